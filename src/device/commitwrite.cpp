#include "commitwrite.h"

#include "devicelink.h"
#include "layoutio.h"

namespace device {

bool writeCommit(model::DeviceLayout& layout, const model::CommitPlan& plan) {
    if (!layout.complete)
        return false;
    const std::string unit = layout.deviceBlockUnit;
    model::DeviceLayout stored = layout;
    if (plan.newCode) {
        const unsigned address = layout.codeAreaAddress + 8 * plan.newCode->firstBlock;
        if (!device::link::writeData(unit, address, plan.newCode->codeData))
            return false;
        stored.codeIndexText = plan.newCode->stored.codeIndexText;
        stored.blockMap = plan.newCode->stored.blockMap;
        if (!device::writeIndexState(stored))
            return false;
    }
    const unsigned slot = model::slotAddress(layout, static_cast<unsigned>(plan.slot));
    if (!device::link::writeData(unit, slot, plan.slotRecord)) {
        // Take the unused entry back; if even that fails, the kept layout follows the remote.
        if (plan.newCode && !device::writeIndexState(layout))
            layout = std::move(stored);
        return false;
    }
    layout = std::move(stored);
    if (plan.afterFreeingOld) {
        layout.codeIndexText = plan.afterFreeingOld->codeIndexText;
        layout.blockMap = plan.afterFreeingOld->blockMap;
        device::writeIndexState(layout);
    }
    return true;
}

} // namespace device
