// One archive fetched over HTTPS into a file with libcurl, with how far it has come, cancellable
// from another thread, and every way it can fail told as a DownloadProblem.
#pragma once

#include "downloadproblem.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace codes {

struct TransferProgress {
    std::uint64_t bytes = 0;   // received so far
    std::uint64_t total = 0;   // as the server announced it; 0 when it did not (GitHub's archives)
    double bytesPerSecond = 0; // over the last few seconds
};

using TransferNote = std::function<void(const TransferProgress&)>;

struct TransferLimits {
    std::uint64_t largest = std::uint64_t(1) << 30; // no collection comes near a gigabyte
    long connectSeconds = 30;
    long stalledSeconds = 60; // a server that sends nothing for this long is given up
};

// Fetches `address` (https, or http to this computer itself) into `file`, created or emptied,
// following the server's redirections to https only. `note` is called from this thread a few
// times a second and once at the end; setting `cancelled` ends the transfer soon after. On failure
// `file` may hold part of the archive: the caller removes it.
std::optional<DownloadProblem> fetchToFile(const std::string& address, const std::filesystem::path& file,
                                           const TransferNote& note, const std::atomic<bool>& cancelled,
                                           const TransferLimits& limits = {});

} // namespace codes
