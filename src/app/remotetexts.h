// What the window says about the remote it configures: the virtual one or a real one through the
// maker's library, and why the maker's files cannot serve; in the desktop's language.
#pragma once

#include "bridge/bridge.h"
#include "bridge/makerchoice.h"

#include <QString>

namespace remotetexts {

// The status label's tip.
QString remoteInUse(const bridge::RemoteInUse& remote);

// Which file and why, in one sentence.
QString makerProblem(const bridge::MakerProblem& problem);

// The window menu's choice of remote: the state now and what the next start will do.
QString choiceIntro(const bridge::RemoteInUse& remote, bridge::PendingChoice pending);
QString useMakerItem();
QString useVirtualItem();
QString chooseFolderTitle();
// What was prepared, and what went wrong.
QString choiceMade(bridge::PendingChoice made);
QString alreadyVirtual();
QString choiceProblem(const bridge::ChoiceProblem& problem);

} // namespace remotetexts
