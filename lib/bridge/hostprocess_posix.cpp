// The host run under wine, with two pipes for its standard input and output.
#include "hostprocess.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace bridge {

namespace {

using Clock = std::chrono::steady_clock;

// How often a wait looks whether the host still runs: wine's own helper processes may hold the
// answer pipe open after the host ended, so its end is not always seen as the pipe's.
constexpr auto kLifeCheck = std::chrono::milliseconds(50);
// How long a host whose input was closed is given to end by itself.
constexpr auto kEndingGrace = std::chrono::milliseconds(1000);

void closeQuietly(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// A write to a pipe whose reader is gone raises SIGPIPE, which would end the program: the signal
// is held back on this thread for the write, and taken back if it came.
class SigpipeHeld {
public:
    SigpipeHeld() {
        sigemptyset(&pipeSignal_);
        sigaddset(&pipeSignal_, SIGPIPE);
        sigpending(&pending_);
        wasPending_ = sigismember(&pending_, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeSignal_, &old_);
    }
    ~SigpipeHeld() {
        if (!wasPending_) {
            sigset_t now;
            sigpending(&now);
            if (sigismember(&now, SIGPIPE) == 1) {
                const timespec none{0, 0};
                sigtimedwait(&pipeSignal_, nullptr, &none);
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

private:
    sigset_t pipeSignal_{}, pending_{}, old_{};
    bool wasPending_ = false;
};

class WineHost : public Transport {
public:
    WineHost(pid_t pid, int toHost, int fromHost) : pid_(pid), toHost_(toHost), fromHost_(fromHost) {
        ::fcntl(toHost_, F_SETFL, ::fcntl(toHost_, F_GETFL) | O_NONBLOCK);
    }

    ~WineHost() override {
        closeQuietly(toHost_);
        const auto until = Clock::now() + kEndingGrace;
        while (!ended() && Clock::now() < until)
            ::usleep(10000);
        stop();
        closeQuietly(fromHost_);
    }

    // A full pipe is waited on a little at a time, so a host that ended while something else
    // still holds its input does not leave the write waiting for ever.
    bool send(std::string_view bytes) override {
        SigpipeHeld held;
        while (!bytes.empty()) {
            const ssize_t written = ::write(toHost_, bytes.data(), bytes.size());
            if (written > 0) {
                bytes.remove_prefix(static_cast<std::size_t>(written));
                continue;
            }
            if (written < 0 && errno == EINTR)
                continue;
            if (written == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                return false;
            pollfd watched{toHost_, POLLOUT, 0};
            ::poll(&watched, 1, static_cast<int>(kLifeCheck.count()));
            if (ended())
                return false;
        }
        return true;
    }

    Received receive(std::string& into, Clock::time_point deadline) override {
        while (fromHost_ >= 0) {
            const auto now = Clock::now();
            const auto slice =
                std::min<Clock::duration>(std::max<Clock::duration>(deadline - now, {}), kLifeCheck);
            pollfd watched{fromHost_, POLLIN, 0};
            const int ready = ::poll(
                &watched, 1, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready > 0) {
                char bytes[65536];
                const ssize_t got = ::read(fromHost_, bytes, sizeof bytes);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    return Received::Ended;
                into.append(bytes, static_cast<std::size_t>(got));
                return Received::Data;
            }
            if (ended())
                return Received::Ended;
            if (Clock::now() >= deadline)
                return Received::TimedOut;
        }
        return Received::Ended;
    }

    // May come from another thread while a call waits for its answer: that wait then sees the end.
    void stop() override {
        const pid_t pid = pid_.exchange(-1);
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }

private:
    bool ended() {
        pid_t pid = pid_.load();
        if (pid <= 0)
            return true;
        const pid_t reaped = ::waitpid(pid, nullptr, WNOHANG);
        if (reaped == 0 || (reaped < 0 && errno != ECHILD))
            return false;
        pid_.compare_exchange_strong(pid, -1);
        return true;
    }

    std::atomic<pid_t> pid_;
    int toHost_;
    int fromHost_;
};

// The program's environment, with wine's own diagnostics off unless asked for.
std::vector<char*> hostEnvironment(std::vector<std::string>& kept) {
    std::vector<char*> environment;
    bool debugSet = false;
    for (char** entry = environ; entry && *entry; ++entry) {
        debugSet = debugSet || std::strncmp(*entry, "WINEDEBUG=", 10) == 0;
        environment.push_back(*entry);
    }
    if (!debugSet) {
        kept.push_back("WINEDEBUG=-all");
        environment.push_back(kept.back().data());
    }
    environment.push_back(nullptr);
    return environment;
}

} // namespace

std::string wine32Problem(const std::filesystem::path& loader) {
    std::error_code error;
    if (!std::filesystem::exists(loader, error)) {
        // Debian's 64-bit wine without its 32-bit half.
        if (std::filesystem::exists(loader.parent_path() / "wine64", error))
            return "32-bit wine (wine32:i386) is not installed, and the host is a 32-bit Windows program";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string path = loader.string(), version = "--version";
    char* arguments[] = {path.data(), version.data(), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned == 0) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return {};
    }
    if (spawned == ENOEXEC)
        return "this computer runs no 32-bit programs (its kernel refuses them), and the host is one under "
               "wine";
    return {};
}

std::variant<std::unique_ptr<Transport>, std::string> startHost(const std::filesystem::path& program) {
    // Wine would start and end at once, and the host would seem to have ended for no reason.
    if (std::string why = wine32Problem("/usr/lib/wine/wine"); !why.empty())
        return why;
    int toHost[2] = {-1, -1};
    int fromHost[2] = {-1, -1};
    if (::pipe2(toHost, O_CLOEXEC) != 0 || ::pipe2(fromHost, O_CLOEXEC) != 0) {
        const std::string why = std::strerror(errno);
        for (int* fd : {&toHost[0], &toHost[1], &fromHost[0], &fromHost[1]})
            closeQuietly(*fd);
        return "no pipe for the host: " + why;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toHost[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromHost[1], STDOUT_FILENO);
    // Wine's own complaints would only be noise in the program's output.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string wine = "wine";
    std::string path = program.string();
    char* arguments[] = {wine.data(), path.data(), nullptr};
    std::vector<std::string> kept;
    std::vector<char*> environment = hostEnvironment(kept);
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, "wine", &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    closeQuietly(toHost[0]);
    closeQuietly(fromHost[1]);
    if (spawned != 0) {
        closeQuietly(toHost[1]);
        closeQuietly(fromHost[0]);
        return spawned == ENOENT ? std::string("wine is not installed, and the host is a Windows program")
                                 : "wine could not be started: " + std::string(std::strerror(spawned));
    }
    return std::unique_ptr<Transport>(std::make_unique<WineHost>(pid, toHost[1], fromHost[0]));
}

} // namespace bridge
