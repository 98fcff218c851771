// A code collection downloaded in one step: fetched into a temporary file, unpacked beside the
// collection's folder, put in place of an older copy by a rename and indexed. A cancelled, cut or
// failed download leaves the older copy and the library as they were.
#pragma once

#include "downloadproblem.h"
#include "downloadsources.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <variant>

namespace codes {

enum class DownloadStage { Fetching, Unpacking, Indexing };

struct DownloadProgress {
    DownloadStage stage = DownloadStage::Fetching;
    std::uint64_t done = 0;    // Fetching: bytes received; Unpacking: bytes of the archive read
    std::uint64_t total = 0;   // the same whole; 0 when unknown (GitHub announces no size)
    double bytesPerSecond = 0; // Fetching only: over the last few seconds
    std::size_t files = 0;     // Unpacking: files unpacked so far
};

// Called on the downloading thread a few times a second.
using DownloadNote = std::function<void(const DownloadProgress&)>;

struct Downloaded {
    std::filesystem::path folder; // the collection's folder
    std::uint64_t bytes = 0;      // the archive's size
    double seconds = 0;           // from the first request to the folder in place
    bool replaced = false;        // an older copy was there
    std::size_t sets = 0;         // code sets the library's index found in the folder
    std::string indexProblem;     // why the index could not be brought up to date; "" when it was
};

// False in a build made without libcurl and libarchive (Windows, for now): every download then
// answers DownloadFault::NotInThisBuild.
bool downloadsBuiltIn();

// Downloads `collection` into `codeFolder`/name, created when missing; `cancelled` may be set from
// any thread until the new folder is put in place. The index is not touched.
std::variant<Downloaded, DownloadProblem> downloadCollection(const Collection& collection,
                                                             const std::filesystem::path& codeFolder,
                                                             const DownloadNote& note,
                                                             const std::atomic<bool>& cancelled);

// The same into the user's own code folder, which is always part of the library, then the
// library's index brought up to date.
std::variant<Downloaded, DownloadProblem> downloadIntoLibrary(const Collection& collection,
                                                              const DownloadNote& note,
                                                              const std::atomic<bool>& cancelled);

} // namespace codes
