// What qtm418ctl says about the remote in use: the virtual one or the maker's library, and why the
// maker's files cannot serve.
#pragma once

#include "bridge/bridge.h"

#include <string>

namespace ctl {

// "the virtual QTM-418", or "a QTM-418 through the maker's library in FOLDER".
std::string remoteInUseText(const bridge::RemoteInUse& remote);

// Which file and why, in one sentence.
std::string makerProblemText(const bridge::MakerProblem& problem);

// Why no remote answers: the maker's files' problem when they cannot serve, else the cable.
std::string noRemoteText();

} // namespace ctl
