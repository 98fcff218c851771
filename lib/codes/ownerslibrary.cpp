#include "ownerslibrary.h"

#include <cstdlib>

namespace codes {

namespace fs = std::filesystem;

namespace {

fs::path userFolder(const char* variable, const char* windowsVariable, const fs::path& underHome) {
    if (const char* set = std::getenv(variable); set != nullptr && *set != '\0')
        return set;
    if (const char* set = std::getenv(windowsVariable); set != nullptr && *set != '\0')
        return set;
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : ".") / underHome;
}

} // namespace

fs::path libraryFoldersFile() {
    return userFolder("XDG_CONFIG_HOME", "APPDATA", ".config") / "qtm418" / "library.json";
}

fs::path libraryIndexFile() {
    return userFolder("XDG_CACHE_HOME", "LOCALAPPDATA", ".cache") / "qtm418" / "codeindex";
}

std::vector<fs::path> standardLibraryFolders() {
    return {"/usr/share/lirc/remotes",
            userFolder("XDG_DATA_HOME", "APPDATA", ".local/share") / "qtm418" / "codes"};
}

std::variant<OwnersLibrary, std::string> openOwnersLibrary() {
    auto loaded = loadLibraryFolders(libraryFoldersFile());
    if (auto* problem = std::get_if<std::string>(&loaded))
        return std::move(*problem);
    OwnersLibrary library{std::get<LibraryFolders>(std::move(loaded)), {}, {}, {}};
    library.folders = libraryFolders(library.listed, standardLibraryFolders());
    library.report = refreshIndex(library.index, library.folders, libraryIndexFile());
    return library;
}

std::size_t setsUnder(const LibraryIndex& index, const fs::path& folder) {
    const std::string prefix = (folder / "").string();
    std::size_t sets = 0;
    for (const IndexedFile& file : index.files)
        if (file.path.rfind(prefix, 0) == 0)
            sets += file.sets.size();
    return sets;
}

} // namespace codes
