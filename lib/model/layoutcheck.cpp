#include "layoutcheck.h"

#include "hextext.h"
#include "wire.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace model {

namespace {

std::string hex(unsigned value, int digits = 4) { return formatHex(value, digits); }

class Checker {
public:
    explicit Checker(const BlockReader& read) : read_(read) {}

    LayoutFindings run() {
        if (header() && !findings_.unreadable) {
            indexAndMap();
            slots();
            for (const auto& [entry, used] : inUse_)
                if (used && !referenced_.count(entry))
                    findings_.warnings.push_back({.fault = LayoutFault::EntryUnreferenced, .entry = entry});
        }
        if (findings_.unreadable) {
            findings_.violations.clear();
            findings_.warnings.clear();
        }
        return std::move(findings_);
    }

private:
    // Reads `bytes` bytes at `address` into the bytes known so far. A read ending past memory
    // starts earlier instead, as every read is of whole blocks.
    bool fetch(unsigned long address, unsigned long bytes) {
        if (bytes == 0 || findings_.unreadable)
            return !findings_.unreadable;
        const unsigned long blocks = (bytes + 7) / 8;
        const unsigned long from = std::min(address, kMemoryEnd - 8 * std::min(blocks, kMemoryEnd / 8ul));
        const std::string text =
            read_(static_cast<unsigned>(from), static_cast<int>(blocks), wire::kCharsPerBlock * blocks);
        if (text.size() < 2 * 8 * blocks) {
            findings_.unreadable = LayoutFinding{.fault = LayoutFault::Unreadable, .address = from};
            return false;
        }
        for (unsigned long i = 0; i < 8 * blocks && from + i < kMemoryEnd; ++i) {
            const auto at = static_cast<unsigned>(from + i);
            const std::string_view chars = std::string_view(text).substr(2 * i, 2);
            const auto value = parseHex(chars);
            if (!value && nonHex_.insert(at).second)
                problem({.fault = LayoutFault::NotHex, .address = at, .text = std::string(chars)});
            memory_[at] = static_cast<std::uint8_t>(value.value_or(0));
        }
        return true;
    }

    unsigned byte(unsigned long address) const { return address < memory_.size() ? memory_[address] : 0; }
    unsigned word(unsigned long address) const { return byte(address) | (byte(address + 1) << 8); }

    void problem(LayoutFinding finding) { findings_.violations.push_back(std::move(finding)); }

    void pastMemory(LayoutArea area, unsigned long address, unsigned long bytes) {
        problem({.fault = LayoutFault::PastMemory, .area = area, .address = address, .count = bytes});
    }

    bool inside(LayoutArea area, unsigned long address, unsigned long bytes) {
        if (address <= kMemoryEnd && bytes <= kMemoryEnd - address)
            return fetch(address, bytes);
        pastMemory(area, address, bytes);
        return false;
    }

    unsigned long translate(unsigned pointer) const {
        return pointer >= base_ ? pointer - base_ : static_cast<unsigned long>(pointer) + header_;
    }

    bool header() {
        if (!fetch(wire::kLocatorAddress, 16))
            return false;
        header_ = word(wire::kLocatorAddress);
        base_ = word(wire::kLocatorAddress + 6);
        if (byte(wire::kLocatorAddress + 8) != 0x08)
            problem({.fault = LayoutFault::BlockUnit, .count = byte(wire::kLocatorAddress + 8)});
        if (!inside(LayoutArea::LayoutHeader, header_, 33))
            return false;
        keyListCount_ = byte(header_ + 32);
        if (!inside(LayoutArea::KeyList, header_ + 33, keyListCount_))
            return false;
        slotCount_ = word(header_);
        indexCount_ = byte(header_ + 7);
        blockCount_ = word(header_ + 8);
        slotBase_ = translate(word(header_ + 16));
        presetTable_ = translate(word(header_ + 24));
        blockMap_ = translate(word(header_ + 26));
        codeArea_ = translate(word(header_ + 28));
        mapBytes_ = (blockCount_ + 7) / 8;
        bool ok = inside(LayoutArea::KeySlotTable, slotBase_, kSlotRecordBytes * slotCount_);
        ok = inside(LayoutArea::BlockMapAndIndex, blockMap_, mapBytes_ + 6ul * indexCount_) && ok;
        if (codeArea_ > kMemoryEnd || 8ul * blockCount_ > kMemoryEnd - codeArea_) {
            pastMemory(LayoutArea::CodeArea, codeArea_, 8ul * blockCount_);
            ok = false;
        }
        if (inside(LayoutArea::PresetTableCount, presetTable_, 2)) {
            const unsigned long bytes = 2 + 6ul * word(presetTable_);
            if (presetTable_ + bytes > kMemoryEnd) {
                pastMemory(LayoutArea::PresetTable, presetTable_, bytes);
                ok = false;
            }
        } else {
            ok = false;
        }
        return ok;
    }

    bool blockUsed(unsigned block) const { return (byte(blockMap_ + block / 8) >> (7 - block % 8)) & 1; }

    void indexAndMap() {
        std::map<unsigned, unsigned> owner; // block -> index entry
        for (unsigned e = 0; e < indexCount_; ++e) {
            const unsigned long at = blockMap_ + mapBytes_ + 6 * e;
            const unsigned first = word(at + 3);
            if (first < 0x8000)
                continue;
            inUse_[e] = true;
            const unsigned start = first - 0x8000;
            const unsigned count = byte(at + 5);
            if (count == 0)
                problem({.fault = LayoutFault::EntryHoldsNoBlocks, .entry = e});
            if (static_cast<unsigned long>(start) + count > blockCount_) {
                problem({.fault = LayoutFault::EntryPastCodeArea,
                         .count = count,
                         .entry = e,
                         .block = start,
                         .limit = blockCount_});
                continue;
            }
            for (unsigned b = start; b < start + count; ++b) {
                if (!blockUsed(b))
                    problem({.fault = LayoutFault::EntryOwnsFreeBlock, .entry = e, .block = b});
                auto [it, fresh] = owner.emplace(b, e);
                if (!fresh)
                    problem(
                        {.fault = LayoutFault::EntriesOverlap, .entry = e, .other = it->second, .block = b});
            }
        }
        for (unsigned b = 0; b < blockCount_; ++b) {
            if (!blockUsed(b) || owner.count(b))
                continue;
            unsigned end = b;
            while (end + 1 < blockCount_ && blockUsed(end + 1) && !owner.count(end + 1))
                ++end;
            problem({.fault = LayoutFault::BlocksLeaked, .block = b, .lastBlock = end});
            b = end;
        }
    }

    void slots() {
        for (unsigned n = 0; n < slotCount_; ++n) {
            const unsigned long at = slotBase_ + kSlotRecordBytes * n;
            const unsigned flags = byte(at);
            if ((flags & 0xA0) != 0x80 || !(byte(at + 2) & 0x80))
                continue;
            const unsigned entry = byte(at + 3);
            referenced_.insert(entry);
            const std::string key =
                n < keyListCount_ ? hex(byte(header_ + 33 + n), 2) : std::string(kNoKeyNumber);
            if (entry >= indexCount_)
                problem({.fault = LayoutFault::SlotPastIndex,
                         .entry = entry,
                         .slot = n,
                         .limit = indexCount_,
                         .text = key});
            else if (!inUse_.count(entry))
                problem({.fault = LayoutFault::SlotRefersToFree, .entry = entry, .slot = n, .text = key});
        }
    }

    const BlockReader& read_;
    LayoutFindings findings_;
    // The bytes read so far by address, zero where nothing was read: the whole memory at once, as
    // one check may read nearly all of it.
    std::vector<std::uint8_t> memory_ = std::vector<std::uint8_t>(kMemoryEnd, 0);
    std::set<unsigned> nonHex_;
    std::set<unsigned> referenced_;
    unsigned header_ = 0, base_ = 0, keyListCount_ = 0, slotCount_ = 0, indexCount_ = 0, blockCount_ = 0;
    unsigned mapBytes_ = 0;
    unsigned long slotBase_ = 0, presetTable_ = 0, blockMap_ = 0, codeArea_ = 0;
    std::map<unsigned, bool> inUse_;
};

} // namespace

LayoutFindings inspectLayout(const BlockReader& read) { return Checker(read).run(); }

namespace {

std::string areaName(LayoutArea area) {
    switch (area) {
    case LayoutArea::LayoutHeader:
        return "layout header";
    case LayoutArea::KeyList:
        return "key list";
    case LayoutArea::KeySlotTable:
        return "key slot table";
    case LayoutArea::BlockMapAndIndex:
        return "block map and code index";
    case LayoutArea::CodeArea:
        return "code area";
    case LayoutArea::PresetTableCount:
        return "preset table count";
    case LayoutArea::PresetTable:
        return "preset table";
    }
    return {};
}

} // namespace

std::string describe(const LayoutFinding& f) {
    const std::string entry = "index entry " + std::to_string(f.entry);
    const std::string slot = "slot " + std::to_string(f.slot) + " (key " + f.text + ")";
    switch (f.fault) {
    case LayoutFault::Unreadable:
        return "the remote's memory could not be read at " + hex(static_cast<unsigned>(f.address));
    case LayoutFault::NotHex:
        return "the firmware answers byte " + hex(static_cast<unsigned>(f.address)) + " as \"" + f.text +
               "\", not as hex";
    case LayoutFault::BlockUnit:
        return "block unit " + hex(static_cast<unsigned>(f.count), 2) + " is not 08";
    case LayoutFault::PastMemory:
        return areaName(f.area) + " at " + hex(static_cast<unsigned>(f.address), 5) + " (" +
               std::to_string(f.count) + " bytes) runs past the end of memory";
    case LayoutFault::EntryHoldsNoBlocks:
        return entry + " is in use but holds no blocks";
    case LayoutFault::EntryPastCodeArea:
        return entry + " (blocks " + std::to_string(f.block) + "+" + std::to_string(f.count) +
               ") reaches past the code area's " + std::to_string(f.limit) + " blocks";
    case LayoutFault::EntryOwnsFreeBlock:
        return entry + " owns block " + std::to_string(f.block) + ", which the block map marks free";
    case LayoutFault::EntriesOverlap:
        return entry + " overlaps index entry " + std::to_string(f.other) + " at block " +
               std::to_string(f.block);
    case LayoutFault::BlocksLeaked:
        return "leak: block" +
               (f.lastBlock > f.block ? "s " + std::to_string(f.block) + "-" + std::to_string(f.lastBlock)
                                      : " " + std::to_string(f.block)) +
               " marked in use but owned by no index entry";
    case LayoutFault::SlotPastIndex:
        return slot + " refers to index entry " + std::to_string(f.entry) + " of only " +
               std::to_string(f.limit);
    case LayoutFault::SlotRefersToFree:
        return slot + " refers to index entry " + std::to_string(f.entry) + ", which is free";
    case LayoutFault::EntryUnreferenced:
        return entry + " is in use but no slot refers to it: its blocks are lost until it is freed";
    }
    return {};
}

} // namespace model
