// Ctrl+C during a long step (a download) asks the step to stop rather than killing the program,
// so that it can leave everything as it was.
#pragma once

#include <atomic>

namespace ctl {

// While one exists, Ctrl+C (SIGINT) sets its flag instead of ending the program; the former
// handling comes back when it goes.
class InterruptCatcher {
public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // Set by Ctrl+C; a test or the program may set it too.
    std::atomic<bool>& flag();

private:
    void (*former_)(int);
};

} // namespace ctl
