#include "interrupt.h"

#include <csignal>

namespace ctl {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) { interrupted.store(true); }

} // namespace

static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

InterruptCatcher::InterruptCatcher() {
    interrupted.store(false);
    former_ = std::signal(SIGINT, onInterrupt);
}

InterruptCatcher::~InterruptCatcher() { std::signal(SIGINT, former_ == SIG_ERR ? SIG_DFL : former_); }

std::atomic<bool>& InterruptCatcher::flag() { return interrupted; }

} // namespace ctl
