// Files a download writes (the archive, the unpacked code files), opened and closed alike on every
// system, and a failed write told as a full disk or as what the system said.
#pragma once

#include "downloadproblem.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace codes {

// `file` created (or emptied) for writing bytes; nullptr with errno set when it cannot be.
std::FILE* openForWriting(const std::filesystem::path& file);

// Writes `size` bytes; false with errno set when not all were written.
bool writeBytes(std::FILE* file, const void* bytes, std::size_t size);

// Closes `file`, whose last bytes may only now reach the disk; false with errno set when they did
// not.
bool closeWritten(std::FILE* file);

// The problem of a write to `at` that failed with `error` (an errno value or an error_code): a
// full disk or a file too large for the system's limits is DiskFull, anything else CannotWrite.
DownloadProblem writeProblem(const std::filesystem::path& at, int error);
DownloadProblem writeProblem(const std::filesystem::path& at, const std::error_code& error);

} // namespace codes
