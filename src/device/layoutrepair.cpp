#include "layoutrepair.h"

#include "layoutio.h"

namespace device {

RepairResult applyRepair(const OpenedRemote& remote, const model::RepairPlan& plan) {
    RepairResult result;
    if ((result.check = checkSameRemote(remote.identity)) != RemoteCheck::Same)
        return result;
    result.writing = writeRepair(remote.read.layout, plan);
    if (!result.writing.complete) {
        result.outcome = RepairOutcome::WriteStopped;
        return result;
    }
    result.outcome = RepairOutcome::Repaired;
    result.after = inspectDeviceLayout();
    return result;
}

} // namespace device
