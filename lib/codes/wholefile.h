// Files the owner keeps (backups, exported codes) written whole or not at all, so a full disk or
// a pulled stick never leaves half a file in the place of a good one; and files read whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace codes {

struct SaveFailure {
    std::filesystem::path file; // the file that could not be written
    std::string why;            // the system's reason, when it gave one
};

// Writes `text` beside `file` first, then puts it in its place.
std::optional<SaveFailure> saveWhole(const std::filesystem::path& file, const std::string& text);

// The whole contents of `file` (an empty file gives ""); nullopt when it cannot be opened or read.
std::optional<std::string> readWhole(const std::filesystem::path& file);

} // namespace codes
