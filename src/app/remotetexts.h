// What the window says about the remote it configures: the virtual one or a real one through the
// maker's library, and why the maker's files cannot serve; in the desktop's language.
#pragma once

#include "bridge/bridge.h"

#include <QString>

namespace remotetexts {

// The status label's tip.
QString remoteInUse(const bridge::RemoteInUse& remote);

// Which file and why, in one sentence.
QString makerProblem(const bridge::MakerProblem& problem);

} // namespace remotetexts
