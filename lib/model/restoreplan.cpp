#include "restoreplan.h"

#include "backupfile.h"
#include "hextext.h"
#include "numberruns.h"
#include "wire.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>

namespace model {

namespace {

constexpr unsigned kMostBytesPerWrite = 256;
constexpr unsigned kLocatorBytes = 16;

struct Region {
    unsigned from = 0, to = 0; // [from, to)
    bool holds(unsigned address) const { return address >= from && address < to; }
};

Region slotTable(const DeviceLayout& l) {
    return {l.slotBaseAddress, std::min(kMemoryEnd, l.slotBaseAddress + kSlotRecordBytes * l.keySlotCount)};
}

Region mapAndIndex(const DeviceLayout& l) {
    const unsigned bytes = (l.codeBlockCount + 7) / 8 + 6 * l.codeIndexCount;
    return {l.blockMapAddress, std::min(kMemoryEnd, l.blockMapAddress + bytes)};
}

Region header(const DeviceLayout& l) {
    return {l.layoutHeaderAddress,
            std::min(kMemoryEnd, l.layoutHeaderAddress + std::max(40u, 33 + l.keyListCount))};
}

const Region kLocator{wire::kLocatorAddress, wire::kLocatorAddress + kLocatorBytes};

// An empty layout the remote is pointed at while a copy of another layout goes in: a header of no
// slots, no index entries and no blocks, with a preset table of no entries after it. Its pointers
// count from 0. Both reads of it (the key list of 50 blocks after byte 32, the preset table of
// kPresetTableBlocks) must lie in memory.
constexpr unsigned kInterimBytes = 48;
constexpr unsigned kInterimPresetOffset = 40;
constexpr unsigned kInterimReach = kInterimPresetOffset + 8 * kPresetTableBlocks;

std::string interimHeader(unsigned at) {
    std::string bytes(2 * kInterimBytes, '0');
    const auto put = [&bytes](unsigned offset, unsigned word) {
        bytes.replace(2 * offset, 4, formatHex(word & 0xFF, 2) + formatHex(word >> 8, 2));
    };
    put(16, at);                        // slot table: none
    put(24, at + kInterimPresetOffset); // preset table: a count of 0
    put(26, at);                        // block map and index: none
    put(28, at);                        // code area: none
    return bytes;
}

bool sameGeometry(const DeviceLayout& a, const DeviceLayout& b) {
    return a.layoutHeaderAddress == b.layoutHeaderAddress && a.pointerBase == b.pointerBase &&
           a.keySlotCount == b.keySlotCount && a.codeIndexCount == b.codeIndexCount &&
           a.codeBlockCount == b.codeBlockCount && a.slotBaseAddress == b.slotBaseAddress &&
           a.presetTableAddress == b.presetTableAddress && a.blockMapAddress == b.blockMapAddress &&
           a.codeAreaAddress == b.codeAreaAddress && a.keyListCount == b.keyListCount;
}

class Planner {
public:
    Planner(std::string_view current, std::string_view target) : memory_(current), target_(target) {}

    RestorePlan run() {
        const LayoutRead now = readLayout(memoryReader(memory_));
        const LayoutRead then = readLayout(memoryReader(target_));
        const bool layoutKnown = then.layout.complete;
        const bool same = now.layout.complete && layoutKnown && sameGeometry(now.layout, then.layout);
        if (layoutKnown && !same) {
            if (const auto spot = interimSpot(now, then)) {
                throughEmptyLayout(*spot);
                plan_.soundAtEveryStep = true;
                return std::move(plan_);
            }
        }
        if (now.layout.complete)
            emptyChangingKeys(now.layout, same);
        if (layoutKnown) {
            const DeviceLayout& l = then.layout;
            const Region slots = slotTable(l), index = mapAndIndex(l), head = header(l);
            writeWhere(
                [&](unsigned a) {
                    return !slots.holds(a) && !index.holds(a) && !head.holds(a) && !kLocator.holds(a);
                },
                kMostBytesPerWrite);
            // The slot table with every key still empty: its flag comes last.
            flagOverride_ = [this, slots](unsigned a) {
                return slots.holds(a) && (a - slots.from) % kSlotRecordBytes == 0 && active(target_, a) &&
                       byteText(memory_, a) != byteText(target_, a);
            };
            writeWhere([&](unsigned a) { return slots.holds(a); }, kMostBytesPerWrite);
            flagOverride_ = nullptr;
            // The map and its index change at once, so no entry ever names a block the map calls free.
            writeAtOnce(index);
            writeWhere([&](unsigned a) { return kLocator.holds(a) || head.holds(a); }, kMostBytesPerWrite);
            writeWhere([&](unsigned a) { return slots.holds(a); }, kSlotRecordBytes);
        }
        writeWhere([](unsigned) { return true; }, kMostBytesPerWrite);
        plan_.soundAtEveryStep = same;
        return std::move(plan_);
    }

private:
    std::string_view byteText(std::string_view text, unsigned a) const { return text.substr(2 * a, 2); }

    bool active(std::string_view text, unsigned a) const {
        const auto flags = parseHex(byteText(text, a));
        return flags && (*flags & 0xA0) == 0x80;
    }

    std::string wanted(unsigned a) const {
        if (flagOverride_ && flagOverride_(a))
            return "00";
        return std::string(byteText(target_, a));
    }

    bool differs(unsigned a) const { return !inIdentificationBlock(a) && byteText(memory_, a) != wanted(a); }

    void write(unsigned from, unsigned to) {
        MemoryWrite w{from, {}};
        for (unsigned a = from; a < to; ++a)
            w.hexData += wanted(a);
        memory_.replace(2 * from, w.hexData.size(), w.hexData);
        plan_.writes.push_back(std::move(w));
    }

    // Writes every byte `where` holds that differs, in runs of consecutive bytes of at most
    // `most` bytes; a run does not cross a multiple of `most` when `most` is a slot record.
    void writeWhere(const std::function<bool(unsigned)>& where, unsigned most) {
        unsigned a = 0;
        while (a < kMemoryEnd) {
            if (!where(a) || !differs(a)) {
                ++a;
                continue;
            }
            unsigned end = a + 1;
            while (end < kMemoryEnd && end - a < most && where(end) && differs(end))
                ++end;
            write(a, end);
            a = end;
        }
    }

    // One write from the first byte of `region` that differs to the last.
    void writeAtOnce(const Region& region) {
        unsigned first = region.to, last = region.from;
        for (unsigned a = region.from; a < region.to; ++a) {
            if (differs(a)) {
                first = std::min(first, a);
                last = a;
            }
        }
        if (first <= last && first < region.to)
            write(first, last + 1);
    }

    // Where memory holds what the remote reads of a layout: its header and key list, slot table,
    // block map with index, preset table, and every code block an index entry owns.
    void addLayoutRegions(const LayoutRead& read, std::string_view text, std::vector<Region>& out) const {
        if (!read.layout.complete)
            return;
        const DeviceLayout& l = read.layout;
        const Region index = mapAndIndex(l);
        out.insert(out.end(), {header(l), slotTable(l), index});
        const auto presets = wordAt(text.substr(2 * l.presetTableAddress, 4), 1).value_or(0xFFFF);
        out.push_back({l.presetTableAddress, std::min(kMemoryEnd, l.presetTableAddress + 2 + 6 * presets)});
        const unsigned mapBytes = (l.codeBlockCount + 7) / 8;
        for (unsigned e = 0; e < l.codeIndexCount; ++e) {
            const unsigned at = index.from + mapBytes + 6 * e;
            if (at + 6 > kMemoryEnd)
                break;
            if (const auto blocks = indexEntryBlocks(text.substr(2 * at, 12))) {
                const unsigned long from = l.codeAreaAddress + 8ul * blocks->firstBlock;
                out.push_back({static_cast<unsigned>(std::min<unsigned long>(kMemoryEnd, from)),
                               static_cast<unsigned>(
                                   std::min<unsigned long>(kMemoryEnd, from + 8ul * blocks->blockCount))});
            }
        }
    }

    // A place for the empty layout that neither the remote's layout nor the copy's uses, nor
    // the identification block: writing there changes nothing either of them reads.
    std::optional<unsigned> interimSpot(const LayoutRead& now, const LayoutRead& then) const {
        std::vector<Region> used{
            kLocator,
            {wire::kIdentificationAddress, wire::kIdentificationAddress + kIdentificationBlockBytes}};
        addLayoutRegions(now, memory_, used);
        addLayoutRegions(then, target_, used);
        for (unsigned at = (kLocator.to + 7) / 8 * 8; at + kInterimReach <= kMemoryEnd; at += 8) {
            const Region spot{at, at + kInterimBytes};
            if (std::none_of(used.begin(), used.end(),
                             [&spot](const Region& r) { return r.from < spot.to && spot.from < r.to; }))
                return at;
        }
        return std::nullopt;
    }

    // Between two layouts that lie in different places no order of writes keeps both sound, so
    // the remote is pointed at an empty layout first: the empty header goes where neither layout
    // looks, the locator turns to it in one write, then the copy goes in around it, the locator
    // turns to the copy's header in one write, and last the empty header's place gets the copy's
    // bytes. Whenever it stops, the remote holds its old keys, no keys, or the copy's keys.
    void throughEmptyLayout(unsigned spot) {
        writeBytes(spot, interimHeader(spot));
        std::string locator(byteTextRange(memory_, kLocator));
        locator.replace(0, 4, formatHex(spot & 0xFF, 2) + formatHex(spot >> 8, 2));
        locator.replace(12, 6, "000008"); // pointers count from 0; blocks of 8 bytes
        writeBytes(kLocator.from, locator);
        const Region interim{spot, spot + kInterimBytes};
        writeWhere([&](unsigned a) { return !interim.holds(a) && !kLocator.holds(a); }, kMostBytesPerWrite);
        writeAtOnce(kLocator);
        writeWhere([](unsigned) { return true; }, kMostBytesPerWrite);
    }

    std::string_view byteTextRange(std::string_view text, const Region& r) const {
        return text.substr(2 * r.from, 2 * (r.to - r.from));
    }

    void writeBytes(unsigned from, const std::string& hexData) {
        memory_.replace(2 * from, hexData.size(), hexData);
        plan_.writes.push_back({from, hexData});
    }

    // A key that is to change is emptied before anything it uses is overwritten.
    void emptyChangingKeys(const DeviceLayout& l, bool same) {
        const Region index = mapAndIndex(l);
        const unsigned mapBytes = (l.codeBlockCount + 7) / 8;
        for (unsigned n = 0; n < l.keySlotCount; ++n) {
            const unsigned at = slotAddress(l, n);
            if (!active(memory_, at))
                continue;
            bool changes = !same;
            for (unsigned a = at; a < at + kSlotRecordBytes && !changes; ++a)
                changes = differs(a);
            const auto storage = parseHex(byteText(memory_, at + 2));
            const auto entry = parseHex(byteText(memory_, at + 3));
            if (!changes && storage && (*storage & 0x80) && entry) {
                const unsigned entryAt = index.from + mapBytes + 6 * *entry;
                changes = *entry >= l.codeIndexCount;
                for (unsigned a = entryAt; a < entryAt + 6 && !changes; ++a)
                    changes = differs(a);
                const auto blocks = indexEntryBlocks(memory_.substr(2 * entryAt, 12));
                if (!changes && blocks) {
                    const unsigned long from = l.codeAreaAddress + 8ul * blocks->firstBlock;
                    const unsigned long to =
                        std::min<unsigned long>(kMemoryEnd, from + 8ul * blocks->blockCount);
                    for (unsigned long a = from; a < to && !changes; ++a)
                        changes = differs(static_cast<unsigned>(a));
                }
            }
            if (changes) {
                memory_.replace(2 * at, 2, "00");
                plan_.writes.push_back({at, "00"});
            }
        }
    }

    std::string memory_;
    std::string_view target_;
    std::function<bool(unsigned)> flagOverride_;
    RestorePlan plan_;
};

} // namespace

RestorePlan planRestore(std::string_view current, std::string_view target) {
    if (current.size() != 2 * kMemoryEnd || target.size() != 2 * kMemoryEnd)
        return {};
    return Planner(current, target).run();
}

BlockReader memoryReader(std::string_view memoryText) {
    return [memoryText](unsigned address, int blocks, std::size_t bufferChars) -> std::string {
        const unsigned long bytes = 8ul * static_cast<unsigned long>(std::max(blocks, 0));
        if (blocks <= 0 || address >= kMemoryEnd || bytes > kMemoryEnd - address)
            return {};
        std::string text(memoryText.substr(2ul * address, 2 * bytes));
        text.resize(std::max(bufferChars, text.size()), '\0');
        return text;
    };
}

std::vector<unsigned> differingBlocks(std::string_view a, std::string_view b) {
    std::vector<unsigned> blocks;
    for (unsigned block = 0; block < kMemoryEnd; block += 8) {
        for (unsigned at = block; at < block + 8; ++at) {
            const std::size_t i = 2ul * at;
            if (!inIdentificationBlock(at) &&
                a.substr(std::min(i, a.size()), 2) != b.substr(std::min(i, b.size()), 2)) {
                blocks.push_back(block);
                break;
            }
        }
    }
    return blocks;
}

std::vector<unsigned> blocksWritten(const std::vector<MemoryWrite>& writes) {
    std::set<unsigned> seen;
    std::vector<unsigned> blocks;
    for (const MemoryWrite& w : writes) {
        const unsigned end = w.address + static_cast<unsigned>(w.hexData.size() / 2);
        for (unsigned block = w.address / 8 * 8; block < end; block += 8)
            if (seen.insert(block).second)
                blocks.push_back(block);
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

std::string blockRanges(const std::vector<unsigned>& blockAddresses) {
    return runsText(blockAddresses, 8, [](unsigned address) { return formatHex(address, 4); });
}

} // namespace model
