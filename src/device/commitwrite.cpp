#include "commitwrite.h"

#include "devicelink.h"
#include "layoutio.h"

namespace device {

namespace {

void takeIndex(model::DeviceLayout& layout, const model::IndexState& index) {
    layout.codeIndexText = index.codeIndexText;
    layout.blockMap = index.blockMap;
}

} // namespace

CommitOutcome writeCommit(model::DeviceLayout& layout, const model::CommitPlan& plan,
                          std::optional<unsigned>* roomNotFreedAt) {
    if (!layout.complete)
        return CommitOutcome::KeyUnchanged;
    const std::string unit = layout.deviceBlockUnit;
    const unsigned slot = model::slotAddress(layout, static_cast<unsigned>(plan.slot));
    CommitOutcome failed = CommitOutcome::KeyUnchanged;
    // The address of a failed write that was to give the old code's room back.
    std::optional<unsigned> roomFailure;
    if (plan.emptiedFirst) {
        if (!link::writeData(unit, slot, "00"))
            return CommitOutcome::KeyUnchanged;
        failed = CommitOutcome::KeyEmptied;
        // Should this write fail, the old entry stays in use with no slot naming it: the kept
        // layout counts it as free already, so a later index write gives its room back.
        takeIndex(layout, *plan.emptiedFirst);
        if (!writeIndexState(layout))
            roomFailure = layout.blockMapAddress;
    }
    model::DeviceLayout stored = layout;
    if (plan.newCode) {
        const unsigned address = layout.codeAreaAddress + 8 * plan.newCode->firstBlock;
        if (!link::writeData(unit, address, plan.newCode->codeData))
            return failed;
        takeIndex(stored, plan.newCode->stored);
        if (!writeIndexState(stored))
            return failed;
        // The new code's index carries the freed room with it.
        roomFailure.reset();
    }
    if (!link::writeData(unit, slot, plan.slotRecord)) {
        // Take the unused entry back; should that fail too, no slot names it and the kept layout
        // already counts it as free.
        if (plan.newCode)
            writeIndexState(layout);
        return failed;
    }
    layout = std::move(stored);
    if (plan.afterFreeingOld) {
        takeIndex(layout, *plan.afterFreeingOld);
        if (!writeIndexState(layout))
            roomFailure = layout.blockMapAddress;
    }
    if (roomNotFreedAt)
        *roomNotFreedAt = roomFailure;
    return CommitOutcome::Written;
}

CommitOutcome storeLearnedCode(model::DeviceLayout& layout, model::KeyTable& table,
                               const model::CommitPlan& plan, std::optional<unsigned>* roomNotFreedAt) {
    const CommitOutcome outcome = writeCommit(layout, plan, roomNotFreedAt);
    if (plan.slot < table.size()) {
        if (outcome == CommitOutcome::Written)
            table[plan.slot] = plan.keyTableEntry;
        else if (outcome == CommitOutcome::KeyEmptied)
            table[plan.slot] = std::string(model::entryKeyNumber(table[plan.slot])) + "|0";
    }
    return outcome;
}

} // namespace device
