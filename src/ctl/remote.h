// The attached remote as a command finds it, opened as the window opens it, with what a command
// says when there is none or when it changed meanwhile.
#pragma once

#include "console.h"

#include "device/identification.h"
#include "device/openremote.h"

#include <optional>

namespace ctl {

using Remote = device::OpenedRemote;

// The attached, supported remote with its layout (left unread unless `withLayout`); nullopt after
// telling why there is none (the command then ends with kNoRemote).
std::optional<Remote> openRemote(const Console& console, bool withLayout = true);

// kDone while the attached remote is still the one opened; else says why not and returns the
// status to end with. Asked before every change, as the window does, in case the remote was
// swapped meanwhile.
int sameRemoteStatus(const Remote& remote, const Console& console);
// The same for a check already made.
int remoteCheckStatus(device::RemoteCheck check, const Console& console);

// Says that `done` ("key 04 (TV/Up) deleted") took effect but the write at `address` that was to
// free the old code's room failed; kRefused, or kNoRemote when the remote went away with it.
int roomNotFreedStatus(const std::string& done, unsigned address, const Console& console);

} // namespace ctl
