#include "commitplan.h"

#include "keydeletion.h"

#include "hextext.h"

#include <algorithm>
#include <cctype>

namespace model {

namespace {

bool sameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string twoHex(unsigned value) { return model::formatHex(static_cast<std::int64_t>(value), 2); }

// The first in-use entry holding `identity` (exact comparison).
std::optional<unsigned> storedEntry(std::string_view indexText, unsigned count, std::string_view identity) {
    for (unsigned e = 0; e < count; ++e) {
        const std::string_view entry = model::indexEntry(indexText, e);
        if (model::indexEntryInUse(entry) && entry.substr(0, 6) == identity)
            return e;
    }
    return std::nullopt;
}

std::optional<unsigned> firstFreeEntry(std::string_view indexText, unsigned count,
                                       std::optional<unsigned> reserved) {
    for (unsigned e = 0; e < count; ++e) {
        const std::string_view entry = model::indexEntry(indexText, e);
        if (entry.size() == model::kIndexEntryChars && !model::indexEntryInUse(entry) && e != reserved)
            return e;
    }
    return std::nullopt;
}

} // namespace

bool isPresetCode(const std::vector<std::string>& presetCodeList, std::string_view identity) {
    return std::any_of(presetCodeList.begin(), presetCodeList.end(),
                       [identity](const std::string& preset) { return sameText(preset, identity); });
}

bool isBuiltInPreset(std::string_view identity) {
    const auto high = model::parseHex(identity.substr(0, 2));
    return identity.size() == 6 && high && *high < 0x22 && identity.substr(2) == "0000";
}

unsigned blocksFor(std::string_view codeData) { return static_cast<unsigned>((codeData.size() + 15) / 16); }

std::optional<unsigned> firstFreeRun(std::string_view blockMap, unsigned codeBlockCount, unsigned need) {
    for (unsigned s = 0; s < codeBlockCount && s < blockMap.size(); ++s) {
        if (blockMap[s] != '0')
            continue;
        if (s + need >= blockMap.size() || s + need > codeBlockCount)
            return std::nullopt;
        if (blockMap.substr(s, need).find_first_not_of('0') == std::string_view::npos)
            return s;
    }
    return std::nullopt;
}

std::string indexEntryText(std::string_view identity, unsigned firstBlock, unsigned blockCount) {
    const unsigned word = 0x8000 + firstBlock;
    return std::string(identity) + twoHex(word & 0xFF) + twoHex(word >> 8) + twoHex(blockCount);
}

CommitDecision planCommit(const model::DeviceLayout& layout, const KeyTable& table,
                          std::string_view keyNumber, const ConverterAnswer& answer) {
    const auto slot = findKeyEntry(table, keyNumber, true);
    if (!slot)
        return CommitRefusal::NoKeyEntry;
    const std::string key = table[*slot].substr(0, 2);

    CommitPlan plan;
    plan.slot = *slot;
    plan.codeIdentity = answer.identity;

    // The key's old code, if no other key uses it, is looked at as already gone.
    std::optional<unsigned> oldEntry;
    IndexState withoutOld{layout.codeIndexText, layout.blockMap};
    if (const auto entry = referencedIndexEntry("", table, *slot);
        entry && !indexEntryShared(table, *slot, *entry)) {
        if (auto freed = freeIndexEntry(layout, *entry)) {
            oldEntry = model::parseHex(*entry);
            withoutOld = {std::move(freed->codeIndexText), std::move(freed->blockMap)};
            plan.afterFreeingOld = withoutOld;
        }
    }

    std::string record;
    if (isPresetCode(layout.presetCodeList, answer.identity) || isBuiltInPreset(answer.identity)) {
        plan.isPreset = plan.alreadyStored = true;
        record = "C00000" + answer.identity;
    } else if (const auto stored =
                   storedEntry(withoutOld.codeIndexText, layout.codeIndexCount, answer.identity)) {
        plan.alreadyStored = true;
        plan.codeIndexRef = twoHex(*stored);
        record = "C00080" + plan.codeIndexRef + "FFFF";
    } else {
        // A new code: its entry and blocks come from what is free now, the old code's not, so the
        // key keeps its old code until the new one is in place.
        const unsigned need = blocksFor(answer.codeData);
        IndexState base{layout.codeIndexText, layout.blockMap};
        auto e = firstFreeEntry(base.codeIndexText, layout.codeIndexCount, oldEntry);
        auto first = firstFreeRun(base.blockMap, layout.codeBlockCount, need);
        const bool emptyFirst = (!e || !first) && plan.afterFreeingOld;
        if (emptyFirst) {
            base = withoutOld;
            e = firstFreeEntry(base.codeIndexText, layout.codeIndexCount, std::nullopt);
            first = firstFreeRun(base.blockMap, layout.codeBlockCount, need);
        }
        if (!e)
            return CommitRefusal::IndexFull;
        if (need == 0)
            return CommitRefusal::NoCodeData;
        if (need > kMostCodeBlocks)
            return CommitRefusal::CodeTooLong;
        if (!first)
            return CommitRefusal::NoRoom;
        plan.codeIndexRef = twoHex(*e) + "FFFF";
        record = "C00080" + plan.codeIndexRef;
        NewCode code{*e, *first, answer.codeData, base};
        std::fill_n(code.stored.blockMap.begin() + *first, need, '1');
        code.stored.codeIndexText.replace(*e * model::kIndexEntryChars, model::kIndexEntryChars,
                                          indexEntryText(answer.identity, *first, need));
        if (emptyFirst) {
            plan.emptiedFirst = std::move(plan.afterFreeingOld);
            plan.afterFreeingOld.reset();
        } else if (plan.afterFreeingOld) {
            std::fill_n(plan.afterFreeingOld->blockMap.begin() + *first, need, '1');
            plan.afterFreeingOld->codeIndexText.replace(*e * model::kIndexEntryChars, model::kIndexEntryChars,
                                                        indexEntryText(answer.identity, *first, need));
        }
        plan.newCode = std::move(code);
    }
    plan.slotRecord = record + answer.firstField + answer.secondField;
    plan.keyTableEntry = key + (plan.isPreset ? "|2|0|" + answer.identity : "|2|1|" + plan.codeIndexRef);
    return plan;
}

} // namespace model
