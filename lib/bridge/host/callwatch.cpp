#include "callwatch.h"

namespace host {

CallWatch::CallWatch() : worker_([this] { serve(); }) {}

CallWatch::~CallWatch() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (stuck_)
        worker_.detach();
    else
        worker_.join();
}

bool CallWatch::run(const std::function<void()>& work, std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    work_ = work;
    finished_ = false;
    changed_.notify_all();
    if (!changed_.wait_for(lock, limit, [this] { return finished_; })) {
        stuck_ = true;
        return false;
    }
    return true;
}

void CallWatch::serve() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || static_cast<bool>(work_); });
        if (stopping_)
            return;
        const std::function<void()> work = std::move(work_);
        work_ = nullptr;
        lock.unlock();
        work();
        lock.lock();
        finished_ = true;
        changed_.notify_all();
    }
}

} // namespace host
