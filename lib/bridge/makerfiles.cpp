#include "makerfiles.h"

#include "libraryfile.h"

#include "model/portablefiles.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace bridge {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDeviceLibraryName = "kestrio.dll";
constexpr const char* kConverterName = "conlcode.dll";

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

fs::path userMakerFolder() {
#if defined(_WIN32)
    fs::path base = model::environmentPath("LOCALAPPDATA");
    if (base.empty()) {
        const fs::path profile = model::environmentPath("USERPROFILE");
        base = (profile.empty() ? fs::path(".") : profile) / "AppData" / "Local";
    }
#else
    fs::path base = model::environmentPath("XDG_DATA_HOME");
    if (base.empty()) {
        const fs::path home = model::environmentPath("HOME");
        base = (home.empty() ? fs::path(".") : home) / ".local" / "share";
    }
#endif
    return base / "qtm418" / "maker";
}

std::vector<fs::path> makerFolders(const fs::path& programFolder) {
    if (fs::path named = model::environmentPath("QTM418_MAKER_DIR"); !named.empty())
        return {named};
    return {programFolder / "maker", userMakerFolder()};
}

std::optional<MakerFiles> findMakerFiles(const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        MakerFiles files{folder, {}, {}};
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            if (!it->is_regular_file(ec))
                continue;
            const std::string name = lowered(model::pathText(it->path().filename()));
            if (name == kDeviceLibraryName)
                files.deviceLibrary = it->path();
            else if (name == kConverterName)
                files.converter = it->path();
        }
        if (!files.deviceLibrary.empty() || !files.converter.empty())
            return files;
    }
    return std::nullopt;
}

std::optional<MakerProblem> checkMakerFiles(const MakerFiles& files) {
    // The real firmware plays only what the maker's converter wrote, and the maker's converter
    // means nothing to the virtual remote: the two serve together or not at all.
    if (files.deviceLibrary.empty())
        return MakerProblem{MakerFile::DeviceLibrary, Refusal::Missing, {}, files.folder / "kestrio.dll"};
    if (files.converter.empty())
        return MakerProblem{MakerFile::Converter, Refusal::Missing, {}, files.folder / "ConLCode.dll"};
    const std::pair<MakerFile, const fs::path*> both[] = {{MakerFile::DeviceLibrary, &files.deviceLibrary},
                                                          {MakerFile::Converter, &files.converter}};
    for (const auto& [file, path] : both)
        if (const auto problem = libraryFileProblem(*path))
            return MakerProblem{file, *problem, {}, *path};
    return std::nullopt;
}

} // namespace bridge
