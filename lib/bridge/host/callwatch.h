// Every call into the maker's libraries runs on one thread of its own, loading included, as the
// maker's program made them from one place; the host waits for it no longer than a limit.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace host {

class CallWatch {
public:
    CallWatch();
    // The worker is left running when a call never returned: the host then ends without it.
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

    // Runs `work` on the watch's thread; false when it did not return within `limit`.
    bool run(const std::function<void()>& work, std::chrono::milliseconds limit);

private:
    void serve();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> work_;
    bool finished_ = false;
    bool stopping_ = false;
    bool stuck_ = false;
    std::thread worker_;
};

} // namespace host
