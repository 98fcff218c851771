// The host started as a child process, without a console window, with two anonymous pipes for its
// standard input and output. An anonymous pipe cannot be waited on with a time limit, so a thread
// of its own reads the answers as they come.
#include "hostprocess.h"

#include "model/windowsapi.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace bridge {

namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD kEndingGraceMillis = 1000;

void closeQuietly(HANDLE& handle) {
    if (handle && handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = nullptr;
}

std::string errorText(const char* what, DWORD code) {
    return std::string(what) + " (error " + std::to_string(code) + ")";
}

class WindowsHost : public Transport {
public:
    WindowsHost(HANDLE process, HANDLE toHost, HANDLE fromHost)
        : process_(process), toHost_(toHost), fromHost_(fromHost), reader_([this] { readAnswers(); }) {}

    ~WindowsHost() override {
        closeQuietly(toHost_);
        if (WaitForSingleObject(process_, kEndingGraceMillis) != WAIT_OBJECT_0)
            TerminateProcess(process_, 1);
        WaitForSingleObject(process_, INFINITE);
        // The pipe breaks with the host's end, and the reader's ReadFile returns.
        reader_.join();
        closeQuietly(fromHost_);
        closeQuietly(process_);
    }

    bool send(std::string_view bytes) override {
        while (!bytes.empty() && toHost_) {
            DWORD written = 0;
            if (!WriteFile(toHost_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                written == 0)
                return false;
            bytes.remove_prefix(written);
        }
        return bytes.empty();
    }

    Received receive(std::string& into, Clock::time_point deadline) override {
        std::unique_lock<std::mutex> lock(mutex_);
        arrived_.wait_until(lock, deadline, [this] { return !pending_.empty() || ended_; });
        if (!pending_.empty()) {
            into.append(pending_);
            pending_.clear();
            return Received::Data;
        }
        return ended_ ? Received::Ended : Received::TimedOut;
    }

    // May come from another thread while a call waits for its answer: the reader then sees the
    // pipe break.
    void stop() override { TerminateProcess(process_, 1); }

private:
    void readAnswers() {
        char bytes[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(fromHost_, bytes, sizeof bytes, &got, nullptr) || got == 0)
                break;
            std::lock_guard<std::mutex> guard(mutex_);
            pending_.append(bytes, got);
            arrived_.notify_all();
        }
        std::lock_guard<std::mutex> guard(mutex_);
        ended_ = true;
        arrived_.notify_all();
    }

    HANDLE process_;
    HANDLE toHost_;
    HANDLE fromHost_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::string pending_;
    bool ended_ = false;
    std::thread reader_;
};

} // namespace

std::variant<std::unique_ptr<Transport>, std::string> startHost(const std::filesystem::path& program) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE hostInput = nullptr, toHost = nullptr, fromHost = nullptr, hostOutput = nullptr;
    if (!CreatePipe(&hostInput, &toHost, &inherited, 0))
        return errorText("no pipe for the host", GetLastError());
    if (!CreatePipe(&fromHost, &hostOutput, &inherited, 0)) {
        const DWORD error = GetLastError();
        closeQuietly(hostInput);
        closeQuietly(toHost);
        return errorText("no pipe for the host", error);
    }
    // Only the host's own ends go with it.
    SetHandleInformation(toHost, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromHost, HANDLE_FLAG_INHERIT, 0);
    HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                 OPEN_EXISTING, 0, nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = hostInput;
    startup.hStdOutput = hostOutput;
    startup.hStdError = nowhere;
    std::wstring commandLine = L"\"" + program.wstring() + L"\"";
    PROCESS_INFORMATION started{};
    const BOOL ok = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started);
    const DWORD error = GetLastError();
    closeQuietly(hostInput);
    closeQuietly(hostOutput);
    closeQuietly(nowhere);
    if (!ok) {
        closeQuietly(toHost);
        closeQuietly(fromHost);
        return errorText("the host could not be started", error);
    }
    CloseHandle(started.hThread);
    return std::unique_ptr<Transport>(std::make_unique<WindowsHost>(started.hProcess, toHost, fromHost));
}

} // namespace bridge
