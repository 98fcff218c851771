#include "downloadtransfer.h"

#include "downloadfiles.h"
#include "downloadsources.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>

namespace codes {

namespace {

// The speed of the last few seconds, so that a server that slows down or stops is seen to.
class RecentSpeed {
public:
    double at(std::chrono::steady_clock::time_point now, std::uint64_t bytes) {
        samples_.push_back({now, bytes});
        while (samples_.size() > 2 && now - samples_[1].first >= std::chrono::seconds(3))
            samples_.pop_front();
        const double seconds = std::chrono::duration<double>(now - samples_.front().first).count();
        return seconds > 0 ? static_cast<double>(bytes - samples_.front().second) / seconds : 0;
    }

private:
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::uint64_t>> samples_;
};

struct Transfer {
    std::FILE* file = nullptr;
    const std::filesystem::path* path = nullptr;
    const TransferNote* note = nullptr;
    const std::atomic<bool>* cancelled = nullptr;
    std::uint64_t largest = 0;
    std::uint64_t written = 0;
    int writeError = 0;    // errno of a failed write
    bool tooLarge = false; // the archive grew past the limit
    bool stalled = false;  // nothing came for too long
    std::chrono::seconds stallLimit{};
    CURL* curl = nullptr;
    std::chrono::steady_clock::time_point lastNote{};
    std::chrono::steady_clock::time_point lastData = std::chrono::steady_clock::now();
    RecentSpeed speed;

    TransferProgress report(std::chrono::steady_clock::time_point now) {
        curl_off_t total = -1;
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &total);
        return {written, total > 0 ? static_cast<std::uint64_t>(total) : 0, speed.at(now, written)};
    }
};

size_t receive(char* bytes, size_t size, size_t count, void* user) {
    auto& t = *static_cast<Transfer*>(user);
    const size_t n = size * count;
    if (t.cancelled->load())
        return 0;
    // GitHub's archives come without a length: the limit is kept here, as they arrive.
    if (t.written + n > t.largest) {
        t.tooLarge = true;
        return 0;
    }
    if (!writeBytes(t.file, bytes, n)) {
        t.writeError = errno;
        return 0;
    }
    t.written += n;
    t.lastData = std::chrono::steady_clock::now();
    return n;
}

int progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto& t = *static_cast<Transfer*>(user);
    const auto now = std::chrono::steady_clock::now();
    if (*t.note && now - t.lastNote >= std::chrono::milliseconds(100)) {
        t.lastNote = now;
        (*t.note)(t.report(now));
    }
    // Looked at after the note, which may be what cancels; while the server sends nothing this is
    // called about once a second, which is as soon as a stall is seen.
    if (t.cancelled->load())
        return 1;
    t.stalled = now - t.lastData >= t.stallLimit;
    return t.stalled ? 1 : 0;
}

std::string hostOf(const std::string& address) {
    const auto start = address.find("://");
    if (start == std::string::npos)
        return address;
    const auto end = address.find_first_of("/?#", start + 3);
    return address.substr(start + 3, end == std::string::npos ? std::string::npos : end - start - 3);
}

std::string reasonOf(CURLcode code, const char* detail) {
    return *detail ? std::string(detail) : std::string(curl_easy_strerror(code));
}

DownloadProblem problemOf(CURLcode code, const Transfer& t, const std::string& address, const char* detail,
                          const TransferLimits& limits) {
    switch (code) {
    case CURLE_ABORTED_BY_CALLBACK:
        if (t.stalled)
            return {.fault = DownloadFault::Stalled,
                    .number = static_cast<std::uint64_t>(limits.stalledSeconds)};
        return {.fault = DownloadFault::Cancelled};
    case CURLE_WRITE_ERROR:
        if (t.tooLarge)
            return {.fault = DownloadFault::TooLarge, .text = "archive", .limit = t.largest};
        if (t.writeError != 0)
            return writeProblem(*t.path, t.writeError);
        return {.fault = DownloadFault::Cancelled};
    case CURLE_FILESIZE_EXCEEDED:
        return {.fault = DownloadFault::TooLarge, .text = "archive", .limit = t.largest};
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        curl_easy_getinfo(t.curl, CURLINFO_RESPONSE_CODE, &status);
        char* last = nullptr;
        curl_easy_getinfo(t.curl, CURLINFO_EFFECTIVE_URL, &last);
        return {.fault = DownloadFault::HttpStatus,
                .text = last ? std::string(last) : address,
                .number = static_cast<std::uint64_t>(status)};
    }
    case CURLE_COULDNT_RESOLVE_HOST:
        return {.fault = DownloadFault::HostNotFound, .text = hostOf(address)};
    case CURLE_UNSUPPORTED_PROTOCOL:
        return {.fault = DownloadFault::AddressRefused, .text = address};
    case CURLE_COULDNT_CONNECT:
        return {
            .fault = DownloadFault::NoConnection, .text = hostOf(address), .other = reasonOf(code, detail)};
    case CURLE_OPERATION_TIMEDOUT:
        return {
            .fault = DownloadFault::NoConnection, .text = hostOf(address), .other = reasonOf(code, detail)};
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
        return {.fault = DownloadFault::ConnectionCut, .number = t.written};
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
    case CURLE_USE_SSL_FAILED:
        return {.fault = DownloadFault::SecureLinkFailed, .other = reasonOf(code, detail)};
    default:
        return {.fault = DownloadFault::TransferFailed, .other = reasonOf(code, detail)};
    }
}

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

} // namespace

std::optional<DownloadProblem> fetchToFile(const std::string& address, const std::filesystem::path& file,
                                           const TransferNote& note, const std::atomic<bool>& cancelled,
                                           const TransferLimits& limits) {
    const auto checked = collectionAt(address);
    if (const auto* refused = std::get_if<DownloadProblem>(&checked))
        return *refused;
    static std::once_flag started;
    std::call_once(started, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl)
        return DownloadProblem{.fault = DownloadFault::TransferFailed, .other = "libcurl could not start"};

    Transfer t;
    t.path = &file;
    t.note = &note;
    t.cancelled = &cancelled;
    t.largest = limits.largest;
    t.stallLimit = std::chrono::seconds(limits.stalledSeconds);
    t.curl = curl.get();
    t.file = openForWriting(file);
    if (t.file == nullptr)
        return writeProblem(file, errno);

    char detail[CURL_ERROR_SIZE] = {};
    const bool plain = address.rfind("http://", 0) == 0;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    // Plain http only where collectionAt let it through (this computer itself); never after a
    // redirection.
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, plain ? "http" : "https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "qtm418");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, limits.connectSeconds);
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.largest));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, receive);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);

    const CURLcode code = curl_easy_perform(c);
    const bool closed = closeWritten(t.file);
    const int closeError = errno;
    if (code != CURLE_OK)
        return problemOf(code, t, address, detail, limits);
    if (!closed)
        return writeProblem(file, closeError);
    if (note)
        note(t.report(std::chrono::steady_clock::now()));
    return std::nullopt;
}

} // namespace codes
