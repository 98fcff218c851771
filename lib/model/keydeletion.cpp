#include "keydeletion.h"

#include "hextext.h"

#include <algorithm>

namespace model {

namespace {

// A state or reference-kind character read as a decimal digit; anything else counts as 0.
int digitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

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
    if (own.size() < 9 || digitValue(entryState(own)) == 0 || own[5] != '1')
        return std::nullopt;
    const std::string entry = own.substr(7, 2);
    if (!model::parseHex(entry))
        return std::nullopt;
    return entry;
}

bool indexEntryShared(const KeyTable& table, std::string_view keyNumber, std::string_view entryNumber,
                      const std::set<std::string>& leaving) {
    for (const auto& entry : table) {
        const std::string_view key = entryKeyNumber(entry);
        if (key == keyNumber || leaving.count(std::string(key)) != 0)
            continue;
        if (digitValue(entryState(entry)) == 0 || entry.size() < 9 || digitValue(entry[5]) == 0)
            continue;
        if (std::string_view(entry).substr(7, 2) == entryNumber)
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

} // namespace model
