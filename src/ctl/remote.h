// The attached remote as a command finds it: identified as the window identifies it, and its
// memory layout read with the window's start-up read.
#pragma once

#include "console.h"

#include "model/memorylayout.h"

#include <optional>
#include <string>

namespace ctl {

struct Remote {
    std::string identity; // the first 30 characters of its identification block
    std::string model;    // "100R"
    std::string firmware; // "1.3"
    model::LayoutRead read;
};

// The attached, supported remote with its layout (left unread unless `withLayout`); nullopt after
// telling why there is none (the command then ends with kNoRemote).
std::optional<Remote> openRemote(const Console& console, bool withLayout = true);

// kDone while the attached remote is still the one opened; else says why not and returns the
// status to end with. Asked before every change, as the window does, in case the remote was
// swapped meanwhile.
int sameRemoteStatus(const Remote& remote, const Console& console);

} // namespace ctl
