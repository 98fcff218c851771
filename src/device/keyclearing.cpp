#include "keyclearing.h"

#include "devicelink.h"
#include "layoutio.h"

#include "model/keydeletion.h"

namespace device {

namespace {

// The flag written, the key's entry marked cleared; then its code freed when no other slot
// still refers to it. `secondFlagWrite` writes the flag once more before the code is freed.
ClearOutcome emptySlot(model::DeviceLayout& layout, model::KeyTable& table, std::size_t slot,
                       const std::string& blockUnit, bool secondFlagWrite,
                       std::optional<unsigned>& roomNotFreedAt) {
    if (!layout.complete)
        return ClearOutcome::LayoutUnknown;
    const unsigned address = model::slotAddress(layout, static_cast<unsigned>(slot));
    const std::string slotText = link::readData(address, 5, blockUnit, 512);
    bool flagWritten = link::writeData(blockUnit, address, "00");
    if (secondFlagWrite)
        flagWritten = link::writeData(blockUnit, address, "00") || flagWritten;
    if (!flagWritten)
        return ClearOutcome::FlagNotWritten;
    const auto entry = model::referencedIndexEntry(slotText, table, slot);
    if (slot < table.size())
        table[slot] = std::string(model::entryKeyNumber(table[slot])) + "|0";
    if (!entry || model::indexEntryShared(table, slot, *entry))
        return ClearOutcome::Cleared;
    if (auto freed = model::freeIndexEntry(layout, *entry)) {
        layout.codeIndexText = std::move(freed->codeIndexText);
        layout.blockMap = std::move(freed->blockMap);
        // Should this write fail, the entry is left in use with no slot naming it: the kept
        // layout counts it as free, so the next index write gives its room back.
        if (!writeIndexState(layout))
            roomNotFreedAt = layout.blockMapAddress;
    }
    return ClearOutcome::Cleared;
}

} // namespace

ClearOutcome clearKeySlot(model::DeviceLayout& layout, model::KeyTable& table, std::size_t slot,
                          const std::string& blockUnit, std::optional<unsigned>* roomNotFreedAt) {
    std::optional<unsigned> failedAt;
    const ClearOutcome outcome = emptySlot(layout, table, slot, blockUnit, false, failedAt);
    if (roomNotFreedAt)
        *roomNotFreedAt = failedAt;
    return outcome;
}

std::vector<SlotClearing> clearLearnedKeys(model::DeviceLayout& layout, model::KeyTable& table,
                                           const std::string& blockUnit) {
    std::vector<SlotClearing> outcomes;
    for (std::size_t n = 0; n < table.size(); ++n) {
        if (model::entryState(table[n]) != model::kLearnedCode)
            continue;
        // Each slot's flag is written twice, so one lost write does not leave a key learned.
        SlotClearing clearing{n, ClearOutcome::LayoutUnknown, std::nullopt};
        clearing.outcome = emptySlot(layout, table, n, blockUnit, true, clearing.roomNotFreedAt);
        outcomes.push_back(clearing);
    }
    return outcomes;
}

} // namespace device
