// A repair of the remote's layout carried out: written in an order that keeps the remote
// consistent after every write, then checked again as start-up reads it.
#pragma once

#include "identification.h"
#include "memorycopy.h"
#include "openremote.h"

#include "model/layoutcheck.h"
#include "model/repairplan.h"

namespace device {

enum class RepairOutcome {
    Repaired,     // written; see `after` for what is left
    NotAllowed,   // the remote is no longer the one opened (see check): nothing written
    WriteStopped, // a write failed (see writing)
};

struct RepairResult {
    RepairOutcome outcome = RepairOutcome::NotAllowed;
    RemoteCheck check = RemoteCheck::Same;
    RepairWriting writing;
    model::LayoutFindings after; // the layout checked again once repaired
};

// Writes `plan`, made from the layout `remote` was opened with.
RepairResult applyRepair(const OpenedRemote& remote, const model::RepairPlan& plan);

} // namespace device
