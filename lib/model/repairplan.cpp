#include "repairplan.h"

#include "hextext.h"
#include "keydeletion.h"
#include "numberruns.h"

namespace model {

namespace {

// The entry a key's table entry names, when it names one: "05|2|1|07FFFF" names entry 7.
std::optional<unsigned> namedEntry(const std::string& entry) {
    if (entry.size() < 9 || entryState(entry) == kNoCode || entry[5] != '1')
        return std::nullopt;
    return parseHex(std::string_view(entry).substr(7, 2));
}

} // namespace

RepairPlan planRepair(const DeviceLayout& layout, const KeyTable& table) {
    RepairPlan plan;
    plan.layout = layout;
    plan.table = table;
    for (std::size_t n = 0; n < table.size(); ++n) {
        const auto entry = namedEntry(table[n]);
        if (!entry)
            continue;
        const bool pastIndex = *entry >= layout.codeIndexCount;
        if (pastIndex || !indexEntryInUse(indexEntry(layout.codeIndexText, *entry))) {
            plan.emptiedKeys.push_back({n, *entry, pastIndex});
            plan.table[n] = std::string(entryKeyNumber(table[n])) + "|0";
        }
    }
    plan.freedEntries = orphanEntries(plan.layout, plan.table);
    reclaimOrphans(plan.layout, plan.table);
    // Rebuilt from the entries in use: a block is taken exactly when an entry holds it.
    std::string& map = plan.layout.blockMap;
    const unsigned blocks = std::min<unsigned>(layout.codeBlockCount, static_cast<unsigned>(map.size()));
    std::string rebuilt = map;
    std::fill(rebuilt.begin(), rebuilt.begin() + blocks, '0');
    for (unsigned e = 0; e < layout.codeIndexCount; ++e) {
        const auto held = indexEntryBlocks(indexEntry(plan.layout.codeIndexText, e));
        if (!held)
            continue;
        for (unsigned b = held->firstBlock; b < held->firstBlock + held->blockCount && b < blocks; ++b)
            rebuilt[b] = '1';
    }
    for (unsigned b = 0; b < blocks; ++b) {
        if (layout.blockMap[b] == '1' && rebuilt[b] == '0')
            plan.blocksFreed.push_back(b);
        else if (layout.blockMap[b] != '1' && rebuilt[b] == '1')
            plan.blocksMarked.push_back(b);
    }
    map = std::move(rebuilt);
    return plan;
}

std::vector<std::string> describeRepair(const RepairPlan& plan, const KeyTable& before) {
    std::vector<std::string> lines;
    for (const EmptiedKey& key : plan.emptiedKeys) {
        const std::string number(entryKeyNumber(before[key.slot]));
        lines.push_back("empty key " + number + " (slot " + std::to_string(key.slot) +
                        "): it refers to index entry " + std::to_string(key.entry) +
                        (key.pastIndex
                             ? ", past the index's " + std::to_string(plan.layout.codeIndexCount) + " entries"
                             : ", which is free"));
    }
    for (const unsigned e : plan.freedEntries)
        lines.push_back("free index entry " + std::to_string(e) + ": no key refers to it");
    if (!plan.blocksFreed.empty())
        lines.push_back("block map: mark block(s) " + numberRanges(plan.blocksFreed) +
                        " free, no entry in use holds them");
    if (!plan.blocksMarked.empty())
        lines.push_back("block map: mark block(s) " + numberRanges(plan.blocksMarked) +
                        " in use, an entry in use holds them");
    return lines;
}

} // namespace model
