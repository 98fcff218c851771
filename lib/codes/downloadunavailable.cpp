// The download's entry points in a build made without libcurl and libarchive: each says so.
#include "download.h"

namespace codes {

bool downloadsBuiltIn() { return false; }

std::variant<Downloaded, DownloadProblem> downloadCollection(const Collection&, const std::filesystem::path&,
                                                             const DownloadNote&, const std::atomic<bool>&) {
    return DownloadProblem{.fault = DownloadFault::NotInThisBuild};
}

std::variant<Downloaded, DownloadProblem> downloadIntoLibrary(const Collection&, const DownloadNote&,
                                                              const std::atomic<bool>&) {
    return DownloadProblem{.fault = DownloadFault::NotInThisBuild};
}

} // namespace codes
