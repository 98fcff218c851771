// The owner's code library where it is kept: the list of its folders in the user's configuration
// folder, its index in the user's cache folder (XDG's; on Windows %APPDATA% and %LOCALAPPDATA%),
// opened the same way by the window and the command line.
#pragma once

#include "libraryfolders.h"
#include "libraryindex.h"

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace codes {

std::filesystem::path libraryFoldersFile(); // .../qtm418/library.json
std::filesystem::path libraryIndexFile();   // .../qtm418/codeindex.db

// The folders always in the library while they exist: the system's LIRC remotes (not on Windows)
// and the user's own code folder.
std::vector<std::filesystem::path> standardLibraryFolders();

struct OwnersLibrary {
    LibraryFolders listed;                      // as the owner added them
    std::vector<std::filesystem::path> folders; // listed, then the standard ones present
    LibraryIndex index;
    IndexReport report;
};

// The library with its index brought up to date (and written back when it changed); the message
// when the list of folders cannot be read.
std::variant<OwnersLibrary, std::string> openOwnersLibrary();

enum class FolderChange {
    Done,
    NotAFolder,    // add: no such folder
    AlreadyListed, // add
    NotListed,     // remove
    Standard,      // remove: a standard folder is in the library while it exists
    ListFailed,    // the list could not be read or written (see FolderChangeResult::problem)
};

struct FolderChangeResult {
    FolderChange outcome = FolderChange::Done;
    std::string problem;
    std::filesystem::path folder; // as it is listed: absolute
};

// Adds or removes one of the owner's folders, the list written back whole.
FolderChangeResult addOwnersFolder(const std::filesystem::path& folder);
FolderChangeResult removeOwnersFolder(const std::filesystem::path& folder);

// How many code sets the index holds from files under `folder`.
std::size_t setsUnder(const LibraryIndex& index, const std::filesystem::path& folder);

} // namespace codes
