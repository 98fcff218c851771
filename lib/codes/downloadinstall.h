// Where a downloaded collection is kept and how it takes the place of an older copy: the archive
// and the unpacked files wait under hidden names beside the collection's folder (the library's
// index passes over names starting with a dot), and the new folder replaces the old by a rename.
#pragma once

#include "downloadproblem.h"

#include <filesystem>
#include <optional>
#include <string>

namespace codes {

struct DownloadPlaces {
    std::filesystem::path archive;  // the archive while it arrives
    std::filesystem::path unpacked; // the folder it is unpacked into
    std::filesystem::path target;   // the collection's folder
};

// Places for collection `name` under `codeFolder`, the temporary ones named afresh each time.
DownloadPlaces downloadPlaces(const std::filesystem::path& codeFolder, const std::string& name);

// Removes what an earlier download of `name` left when it was stopped before it could clean up (the
// program killed, the power lost).
void removeLeftovers(const std::filesystem::path& codeFolder, const std::string& name);

// Puts `fresh` in the place of `target` and removes the older copy: a reader of `target` sees the
// old folder or the new one, never a mix; on failure `target` is as it was.
std::optional<DownloadProblem> replaceFolder(const std::filesystem::path& fresh,
                                             const std::filesystem::path& target);

} // namespace codes
