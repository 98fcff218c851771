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
                    findings_.warnings.push_back(
                        "index entry " + std::to_string(entry) +
                        " is in use but no slot refers to it: its blocks are lost until it is freed");
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
            findings_.unreadable =
                "the remote's memory could not be read at " + hex(static_cast<unsigned>(from));
            return false;
        }
        for (unsigned long i = 0; i < 8 * blocks && from + i < kMemoryEnd; ++i) {
            const auto at = static_cast<unsigned>(from + i);
            const std::string_view chars = std::string_view(text).substr(2 * i, 2);
            const auto value = parseHex(chars);
            if (!value && nonHex_.insert(at).second)
                problem("the firmware answers byte " + hex(at) + " as \"" + std::string(chars) +
                        "\", not as hex");
            memory_[at] = static_cast<std::uint8_t>(value.value_or(0));
        }
        return true;
    }

    unsigned byte(unsigned long address) const { return address < memory_.size() ? memory_[address] : 0; }
    unsigned word(unsigned long address) const { return byte(address) | (byte(address + 1) << 8); }

    void problem(std::string text) { findings_.violations.push_back(std::move(text)); }

    bool inside(const std::string& what, unsigned long address, unsigned long bytes) {
        if (address <= kMemoryEnd && bytes <= kMemoryEnd - address)
            return fetch(address, bytes);
        problem(what + " at " + hex(static_cast<unsigned>(address), 5) + " (" + std::to_string(bytes) +
                " bytes) runs past the end of memory");
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
            problem("block unit " + hex(byte(wire::kLocatorAddress + 8), 2) + " is not 08");
        if (!inside("layout header", header_, 33))
            return false;
        keyListCount_ = byte(header_ + 32);
        if (!inside("key list", header_ + 33, keyListCount_))
            return false;
        slotCount_ = word(header_);
        indexCount_ = byte(header_ + 7);
        blockCount_ = word(header_ + 8);
        slotBase_ = translate(word(header_ + 16));
        presetTable_ = translate(word(header_ + 24));
        blockMap_ = translate(word(header_ + 26));
        codeArea_ = translate(word(header_ + 28));
        mapBytes_ = (blockCount_ + 7) / 8;
        bool ok = inside("key slot table", slotBase_, kSlotRecordBytes * slotCount_);
        ok = inside("block map and code index", blockMap_, mapBytes_ + 6ul * indexCount_) && ok;
        if (codeArea_ > kMemoryEnd || 8ul * blockCount_ > kMemoryEnd - codeArea_) {
            problem("code area at " + hex(static_cast<unsigned>(codeArea_), 5) + " (" +
                    std::to_string(8ul * blockCount_) + " bytes) runs past the end of memory");
            ok = false;
        }
        if (inside("preset table count", presetTable_, 2)) {
            const unsigned long bytes = 2 + 6ul * word(presetTable_);
            if (presetTable_ + bytes > kMemoryEnd) {
                problem("preset table at " + hex(static_cast<unsigned>(presetTable_), 5) + " (" +
                        std::to_string(bytes) + " bytes) runs past the end of memory");
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
            const std::string name = "index entry " + std::to_string(e);
            if (count == 0)
                problem(name + " is in use but holds no blocks");
            if (static_cast<unsigned long>(start) + count > blockCount_) {
                problem(name + " (blocks " + std::to_string(start) + "+" + std::to_string(count) +
                        ") reaches past the code area's " + std::to_string(blockCount_) + " blocks");
                continue;
            }
            for (unsigned b = start; b < start + count; ++b) {
                if (!blockUsed(b))
                    problem(name + " owns block " + std::to_string(b) + ", which the block map marks free");
                auto [it, fresh] = owner.emplace(b, e);
                if (!fresh)
                    problem(name + " overlaps index entry " + std::to_string(it->second) + " at block " +
                            std::to_string(b));
            }
        }
        for (unsigned b = 0; b < blockCount_; ++b) {
            if (!blockUsed(b) || owner.count(b))
                continue;
            unsigned end = b;
            while (end + 1 < blockCount_ && blockUsed(end + 1) && !owner.count(end + 1))
                ++end;
            problem(
                "leak: block" +
                (end > b ? "s " + std::to_string(b) + "-" + std::to_string(end) : " " + std::to_string(b)) +
                " marked in use but owned by no index entry");
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
            const std::string name =
                "slot " + std::to_string(n) + " (key " +
                (n < keyListCount_ ? hex(byte(header_ + 33 + n), 2) : std::string(kNoKeyNumber)) + ")";
            if (entry >= indexCount_)
                problem(name + " refers to index entry " + std::to_string(entry) + " of only " +
                        std::to_string(indexCount_));
            else if (!inUse_.count(entry))
                problem(name + " refers to index entry " + std::to_string(entry) + ", which is free");
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

} // namespace model
