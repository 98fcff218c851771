#include "keyclearing.h"

#include "devicelink.h"
#include "layoutio.h"

#include "model/keydeletion.h"

namespace device {

ClearOutcome clearKeySlot(model::DeviceLayout& layout, const model::KeyTable& table, std::size_t slot,
                          const std::string& keyNumber, const std::string& blockUnit,
                          const std::set<std::string>& leaving) {
    // Without a completely read layout no slot address can be trusted: nothing is written.
    if (!layout.complete)
        return ClearOutcome::LayoutUnknown;
    const unsigned address = model::slotAddress(layout, static_cast<unsigned>(slot));
    const std::string slotText = link::readData(address, 5, blockUnit, 512);
    const bool flagWritten = link::writeData(blockUnit, address, "00");
    const ClearOutcome outcome = flagWritten ? ClearOutcome::Cleared : ClearOutcome::FlagNotWritten;
    const auto entry = model::referencedIndexEntry(slotText, table, slot);
    if (!entry || model::indexEntryShared(table, keyNumber, *entry, leaving))
        return outcome;
    if (auto freed = model::freeIndexEntry(layout, *entry)) {
        layout.codeIndexText = std::move(freed->codeIndexText);
        layout.blockMap = std::move(freed->blockMap);
        writeIndexState(layout);
    }
    return outcome;
}

std::vector<SlotClearing> clearLearnedKeys(model::DeviceLayout& layout, const model::KeyTable& table,
                                           const std::string& blockUnit) {
    std::set<std::string> leaving;
    for (const auto& entry : table)
        if (model::entryState(entry) == model::kLearnedCode)
            leaving.insert(std::string(model::entryKeyNumber(entry)));
    std::vector<SlotClearing> outcomes;
    for (std::size_t n = 0; n < table.size(); ++n) {
        if (model::entryState(table[n]) != model::kLearnedCode)
            continue;
        const std::string keyNumber(model::entryKeyNumber(table[n]));
        outcomes.push_back({n, clearKeySlot(layout, table, n, keyNumber, blockUnit, leaving)});
        // The flag once more, now that the code is freed: one lost write never leaves it learned.
        if (layout.complete)
            link::writeData(blockUnit, model::slotAddress(layout, static_cast<unsigned>(n)), "00");
    }
    return outcomes;
}

} // namespace device
