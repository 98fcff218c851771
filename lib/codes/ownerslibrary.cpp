#include "ownerslibrary.h"

#include "model/portablefiles.h"

#include <algorithm>

namespace codes {

namespace fs = std::filesystem;

namespace {

#if defined(_WIN32)
// The Windows folder a variable names (APPDATA: roaming with the user, LOCALAPPDATA: this machine
// only), else where Windows puts it in the user's profile.
fs::path userFolder(const char* variable, const fs::path& underProfile) {
    if (fs::path set = model::environmentPath(variable); !set.empty())
        return set;
    const fs::path profile = model::environmentPath("USERPROFILE");
    return (profile.empty() ? fs::path(".") : profile) / underProfile;
}

fs::path configFolder() { return userFolder("APPDATA", fs::path("AppData") / "Roaming"); }
fs::path cacheFolder() { return userFolder("LOCALAPPDATA", fs::path("AppData") / "Local"); }
fs::path dataFolder() { return configFolder(); }
#else
// The XDG base directory a variable names, else its default under the home folder.
fs::path userFolder(const char* variable, const fs::path& underHome) {
    if (fs::path set = model::environmentPath(variable); !set.empty())
        return set;
    const fs::path home = model::environmentPath("HOME");
    return (home.empty() ? fs::path(".") : home) / underHome;
}

fs::path configFolder() { return userFolder("XDG_CONFIG_HOME", ".config"); }
fs::path cacheFolder() { return userFolder("XDG_CACHE_HOME", ".cache"); }
fs::path dataFolder() { return userFolder("XDG_DATA_HOME", fs::path(".local") / "share"); }
#endif

} // namespace

fs::path libraryFoldersFile() { return configFolder() / "qtm418" / "library.json"; }

fs::path libraryIndexFile() { return cacheFolder() / "qtm418" / "codeindex.db"; }

std::vector<fs::path> standardLibraryFolders() {
#if defined(_WIN32)
    return {dataFolder() / "qtm418" / "codes"};
#else
    return {"/usr/share/lirc/remotes", dataFolder() / "qtm418" / "codes"};
#endif
}

std::variant<OwnersLibrary, std::string> openOwnersLibrary() {
    auto loaded = loadLibraryFolders(libraryFoldersFile());
    if (auto* problem = std::get_if<std::string>(&loaded))
        return std::move(*problem);
    OwnersLibrary library{std::get<LibraryFolders>(std::move(loaded)), {}, {}, {}};
    library.folders = libraryFolders(library.listed, standardLibraryFolders());
    // The index this program kept before in a file of its own, read whole by every search; the
    // database replaces it.
    std::error_code error;
    fs::remove(libraryIndexFile().parent_path() / "codeindex", error);
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

std::size_t setsUnder(const LibraryIndex& index, const fs::path& folder) { return index.setsUnder(folder); }

} // namespace codes
