// Every call into the maker's libraries, loading included, runs on the host's main thread, as the
// maker's program made them from its own threads one at a time; a thread of the watch's own ends
// the host when a call does not return in time. Nothing is handed between threads on the way of
// a call: under wine each hand-over would cost a round trip to its server.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace host {

class CallWatch {
public:
    CallWatch();
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

    // Runs `work` on this thread. When it has not returned within `limit`, `overdue` runs on the
    // watch's thread instead, and must end the process: `work` is then never let go on.
    void run(const std::function<void()>& work, std::chrono::milliseconds limit,
             std::function<void()> overdue);

private:
    enum State : int { Idle, Running, Overdue };
    void watch();

    std::atomic<int> state_{Idle};
    std::atomic<std::int64_t> deadline_{0}; // steady clock, nanoseconds
    std::atomic<bool> stopping_{false};
    std::function<void()> overdue_; // written only while Idle, read only once Overdue
    std::thread watcher_;
};

} // namespace host
