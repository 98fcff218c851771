// The folders of code files the owner's library is made of, kept as a small JSON file
// ({"folders": ["/path", ...]}) in the user's configuration folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace codes {

struct LibraryFolders {
    std::vector<std::filesystem::path> folders; // as the owner added them
};

// The folders listed in `file` (none when it does not exist yet), or why it cannot be read.
std::variant<LibraryFolders, std::string> loadLibraryFolders(const std::filesystem::path& file);

// Writes the list whole, or says why it could not.
std::optional<std::string> saveLibraryFolders(const std::filesystem::path& file, const LibraryFolders& list);

// The owner's folders, then those of `standardFolders` that exist and are not among them: the
// system's LIRC remotes and the user's own code folder are always in the library when present.
std::vector<std::filesystem::path> libraryFolders(const LibraryFolders& list,
                                                  const std::vector<std::filesystem::path>& standardFolders);

// Adds `folder` (made absolute); false when it is already listed.
bool addLibraryFolder(LibraryFolders& list, const std::filesystem::path& folder);

// Removes `folder`; false when it was not listed.
bool removeLibraryFolder(LibraryFolders& list, const std::filesystem::path& folder);

} // namespace codes
