#include "ownerslibrary.h"

#include <algorithm>
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

namespace {

FolderChangeResult changeFolders(const fs::path& folder, bool add) {
    FolderChangeResult result;
    std::error_code error;
    result.folder = fs::absolute(folder, error).lexically_normal();
    auto loaded = loadLibraryFolders(libraryFoldersFile());
    if (auto* problem = std::get_if<std::string>(&loaded))
        return {FolderChange::ListFailed, std::move(*problem), result.folder};
    LibraryFolders listed = std::get<LibraryFolders>(std::move(loaded));
    if (add && !fs::is_directory(folder, error))
        result.outcome = FolderChange::NotAFolder;
    else if (add && !addLibraryFolder(listed, folder))
        result.outcome = FolderChange::AlreadyListed;
    else if (!add && !removeLibraryFolder(listed, folder)) {
        const auto standard = standardLibraryFolders();
        result.outcome = std::find(standard.begin(), standard.end(), result.folder) != standard.end()
                             ? FolderChange::Standard
                             : FolderChange::NotListed;
    }
    if (result.outcome != FolderChange::Done)
        return result;
    if (add)
        result.folder = listed.folders.back();
    if (auto failure = saveLibraryFolders(libraryFoldersFile(), listed))
        return {FolderChange::ListFailed, std::move(*failure), result.folder};
    return result;
}

} // namespace

FolderChangeResult addOwnersFolder(const fs::path& folder) { return changeFolders(folder, true); }

FolderChangeResult removeOwnersFolder(const fs::path& folder) { return changeFolders(folder, false); }

std::size_t setsUnder(const LibraryIndex& index, const fs::path& folder) {
    const std::string prefix = (folder / "").string();
    std::size_t sets = 0;
    for (const IndexedFile& file : index.files)
        if (file.path.rfind(prefix, 0) == 0)
            sets += file.sets.size();
    return sets;
}

} // namespace codes
