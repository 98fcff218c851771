// The reads start-up makes of the remote before anyone has to be asked anything: whether it is
// attached, who it is, and its memory. They take a few dozen milliseconds at the remote's pace, so
// the window runs them beside building its controls.
#pragma once

#include "model/identitycheck.h"
#include "model/memorylayout.h"

#include <future>
#include <optional>

namespace device {

struct StartupRead {
    bool attached = false;
    // Read only when attached.
    std::optional<model::Identification> identification;
    // Read only when the remote was accepted with nothing to tell the user first: a question or a
    // notice comes before the memory is read.
    std::optional<model::LayoutRead> layout;
};

StartupRead readAtStartup();
// The same on a thread of its own; an empty future when no thread could be started.
std::future<StartupRead> startReadingAtStartup();

} // namespace device
