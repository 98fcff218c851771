#include "downloadfiles.h"

#include "model/portablefiles.h"

#include <cerrno>

namespace codes {

std::FILE* openForWriting(const std::filesystem::path& file) {
#if defined(_WIN32)
    return _wfopen(file.c_str(), L"wb");
#else
    return std::fopen(file.c_str(), "wb");
#endif
}

bool writeBytes(std::FILE* file, const void* bytes, std::size_t size) {
    errno = 0;
    if (std::fwrite(bytes, 1, size, file) == size)
        return true;
    if (errno == 0)
        errno = EIO;
    return false;
}

bool closeWritten(std::FILE* file) {
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!flushed)
        errno = flushError;
    if (flushed && closed)
        return true;
    if (errno == 0)
        errno = EIO;
    return false;
}

DownloadProblem writeProblem(const std::filesystem::path& at, int error) {
    return writeProblem(at, std::error_code(error, std::generic_category()));
}

DownloadProblem writeProblem(const std::filesystem::path& at, const std::error_code& error) {
    const std::string where = model::pathText(at);
    // A file-size limit (EFBIG) leaves the same room as a full disk: none for this collection.
    if (error == std::errc::no_space_on_device || error == std::errc::file_too_large
#if defined(EDQUOT)
        || error.value() == EDQUOT
#endif
    )
        return DownloadProblem{.fault = DownloadFault::DiskFull, .text = where};
    return DownloadProblem{.fault = DownloadFault::CannotWrite, .text = where, .other = error.message()};
}

} // namespace codes
