#include "callwatch.h"

namespace host {

namespace {

using Clock = std::chrono::steady_clock;

// How often the watch looks: a call's limit is kept to within this.
constexpr auto kLook = std::chrono::milliseconds(50);

std::int64_t nanos(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

} // namespace

CallWatch::CallWatch() : watcher_([this] { watch(); }) {}

CallWatch::~CallWatch() {
    stopping_ = true;
    watcher_.join();
}

void CallWatch::run(const std::function<void()>& work, std::chrono::milliseconds limit,
                    std::function<void()> overdue) {
    overdue_ = std::move(overdue);
    deadline_.store(nanos(Clock::now() + limit));
    state_.store(Running, std::memory_order_release);
    work();
    int running = Running;
    if (!state_.compare_exchange_strong(running, Idle, std::memory_order_acq_rel))
        // Too late: the watch has taken over and ends the host.
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
}

void CallWatch::watch() {
    while (!stopping_) {
        std::this_thread::sleep_for(kLook);
        if (state_.load(std::memory_order_acquire) != Running || nanos(Clock::now()) <= deadline_.load())
            continue;
        int running = Running;
        if (state_.compare_exchange_strong(running, Overdue, std::memory_order_acq_rel))
            overdue_();
    }
}

} // namespace host
