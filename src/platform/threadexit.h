// The program's last moments: the worker threads the toolkit runs are detached, so waiting for
// one returns before the system has finished ending it and released what it held. A process that
// exits in that instant races those releases (a leak checker at exit then sees them half done).
#pragma once

#include <chrono>

namespace platform {

// Waits until the calling thread is the process's only one, at most `limit`; true when it is.
// Call it after the application object is gone, just before returning from main.
bool awaitOtherThreadsEnded(std::chrono::milliseconds limit = std::chrono::milliseconds(500));

} // namespace platform
