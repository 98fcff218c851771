#include "keydeletion.h"

#include "hextext.h"

#include <algorithm>

namespace model {

namespace {

// A state or reference-kind character read as a decimal digit; anything else counts as 0.
int decimalValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

} // namespace

std::optional<std::string> referencedIndexEntry(std::string_view slotText, const KeyTable& table,
                                                std::size_t slot) {
    if (!slotText.empty()) {
        const std::string_view record = slotText.substr(0, std::size_t{2} * model::kSlotRecordBytes);
        const auto storage = model::parseHex(record.substr(4, 1));
        if (!storage || *storage < 8)
            return std::nullopt;
        const std::string_view entry = record.substr(6, 2);
        if (entry.size() != 2 || !model::parseHex(entry))
            return std::nullopt;
        return std::string(entry);
    }
    // Without the slot record, only what the key table itself names can be freed.
    if (slot >= table.size())
        return std::nullopt;
    const std::string& own = table[slot];
    if (own.size() < 9 || decimalValue(entryState(own)) == 0 || own[5] != '1')
        return std::nullopt;
    const std::string entry = own.substr(7, 2);
    if (!model::parseHex(entry))
        return std::nullopt;
    return entry;
}

bool indexEntryShared(const KeyTable& table, std::size_t slot, std::string_view entryNumber) {
    for (std::size_t other = 0; other < table.size(); ++other) {
        if (other == slot)
            continue;
        const std::string& entry = table[other];
        if (decimalValue(entryState(entry)) == 0 || entry.size() < 9 || decimalValue(entry[5]) == 0)
            continue;
        // By value: a remote that answers in lower case names the same entry.
        const auto referenced = model::parseHex(std::string_view(entry).substr(7, 2));
        if (referenced && referenced == model::parseHex(entryNumber))
            return true;
    }
    return false;
}

std::optional<FreedEntry> freeIndexEntry(const model::DeviceLayout& layout, std::string_view entryNumber) {
    const auto number = model::parseHex(entryNumber);
    if (!number || *number >= layout.codeIndexCount ||
        layout.codeIndexText.size() < (*number + 1) * model::kIndexEntryChars)
        return std::nullopt;
    FreedEntry freed{layout.codeIndexText, layout.blockMap};
    const std::size_t at = *number * model::kIndexEntryChars;
    if (const auto blocks = model::indexEntryBlocks(model::indexEntry(layout.codeIndexText, *number))) {
        const std::size_t first = std::min<std::size_t>(blocks->firstBlock, freed.blockMap.size());
        const std::size_t end = std::min<std::size_t>(first + blocks->blockCount, freed.blockMap.size());
        std::fill(freed.blockMap.begin() + static_cast<std::ptrdiff_t>(first),
                  freed.blockMap.begin() + static_cast<std::ptrdiff_t>(end), '0');
    }
    freed.codeIndexText.replace(at, model::kIndexEntryChars, std::string(model::kIndexEntryChars, '0'));
    return freed;
}

std::vector<unsigned> orphanEntries(const model::DeviceLayout& layout, const KeyTable& table) {
    std::vector<unsigned> orphans;
    for (unsigned e = 0; e < layout.codeIndexCount; ++e) {
        if (!model::indexEntryInUse(model::indexEntry(layout.codeIndexText, e)))
            continue;
        // No slot is excepted: any slot that refers to the entry keeps it.
        if (!indexEntryShared(table, table.size(), model::formatHex(e, 2)))
            orphans.push_back(e);
    }
    return orphans;
}

std::size_t reclaimOrphans(model::DeviceLayout& layout, const KeyTable& table) {
    if (!layout.complete)
        return 0;
    const auto orphans = orphanEntries(layout, table);
    for (unsigned e : orphans) {
        if (auto freed = freeIndexEntry(layout, model::formatHex(e, 2))) {
            layout.codeIndexText = std::move(freed->codeIndexText);
            layout.blockMap = std::move(freed->blockMap);
        }
    }
    return orphans.size();
}

} // namespace model
