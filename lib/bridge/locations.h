// Where this program and its libraries are on disk, and where the host is looked for.
#pragma once

#include <filesystem>
#include <vector>

namespace bridge {

// The folder of the running program.
std::filesystem::path programFolder();

// The folder of the library this code is linked into.
std::filesystem::path libraryFolder();

// Where qtm418-host32.exe is looked for, first first: the file QTM418_HOST32 names, and then no
// other; else beside the libraries (the build and Windows), in their qtm418 folder (installed on
// Linux), beside the program.
std::vector<std::filesystem::path> hostPlaces();

} // namespace bridge
