// The code files under the library's folders, as found on disk: each once, with its size and
// modification time, which tell the index whether it must be read again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace codes {

struct FoundFile {
    std::string path;   // absolute, in UTF-8
    std::size_t folder; // which of the folders walked it was found under (the first, when several)
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // the file system's modification time, in its own ticks
};

struct FolderWalk {
    std::vector<FoundFile> files;
    std::vector<std::string> faults; // a folder that could not be walked, naming it
};

// Every file under `folders` that looks like a code file, hidden folders (".git") left out; a
// file that vanishes while walked, or a link to nowhere, is passed over. A folder's files come in
// the order of their paths where the system lets the walk find them so (not on Windows).
FolderWalk walkFolders(const std::vector<std::filesystem::path>& folders);

} // namespace codes
