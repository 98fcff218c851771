#include "layoutcheck.h"

#include "firmware.h"
#include "layoutbuilder.h"
#include "model/wire.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace emu {

namespace {

std::string hex(unsigned value, int digits = 4) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

class Checker {
public:
    explicit Checker(const Device& device) : m_(device.memory), device_(device) {}

    LayoutFindings run() {
        if (!header())
            return {problems_, {}};
        overlays();
        indexAndMap();
        slots();
        for (const auto& [entry, used] : inUse_)
            if (used && !referenced_.count(entry))
                warnings_.push_back(
                    "index entry " + std::to_string(entry) +
                    " is in use but no slot refers to it: its blocks are lost until it is freed");
        return {problems_, warnings_};
    }

private:
    unsigned byte(unsigned address) const { return address < kMemorySize ? m_[address] : 0; }
    unsigned word(unsigned address) const { return byte(address) | (byte(address + 1) << 8); }

    void problem(std::string text) { problems_.push_back(std::move(text)); }

    bool inside(const std::string& what, unsigned long address, unsigned long bytes) {
        if (address <= kMemorySize && bytes <= kMemorySize - address)
            return true;
        problem(what + " at " + hex(static_cast<unsigned>(address), 5) + " (" + std::to_string(bytes) +
                " bytes) runs past the end of memory");
        return false;
    }

    unsigned long translate(unsigned pointer) const {
        return pointer >= base_ ? pointer - base_ : static_cast<unsigned long>(pointer) + header_;
    }

    bool header() {
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
        bool ok = inside("key slot table", slotBase_, 22ul * slotCount_);
        ok = inside("block map and code index", blockMap_, mapBytes_ + 6ul * indexCount_) && ok;
        ok = inside("code area", codeArea_, 8ul * blockCount_) && ok;
        if (inside("preset table count", presetTable_, 2))
            ok = inside("preset table", presetTable_, 2 + 6ul * word(static_cast<unsigned>(presetTable_))) &&
                 ok;
        else
            ok = false;
        return ok;
    }

    void overlays() {
        for (const auto& [address, text] : device_.settings.textOverlay)
            if (address < wire::kIdentificationAddress || address >= wire::kIdentificationAddress + 48)
                problem("the firmware answers byte " + hex(address) + " as \"" + text + "\", not as hex");
    }

    bool blockUsed(unsigned block) const {
        const unsigned at = static_cast<unsigned>(blockMap_) + block / 8;
        return (byte(at) >> (7 - block % 8)) & 1;
    }

    void indexAndMap() {
        std::map<unsigned, unsigned> owner; // block -> index entry
        for (unsigned e = 0; e < indexCount_; ++e) {
            const unsigned at = static_cast<unsigned>(blockMap_) + mapBytes_ + 6 * e;
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
            const unsigned at = static_cast<unsigned>(slotBase_) + 22 * n;
            const unsigned flags = byte(at);
            if ((flags & 0xA0) != 0x80 || !(byte(at + 2) & 0x80))
                continue;
            const unsigned entry = byte(at + 3);
            referenced_.insert(entry);
            const std::string name =
                "slot " + std::to_string(n) + " (key " +
                (n < keyListCount_ ? hex(byte(header_ + 33 + n), 2) : std::string("--")) + ")";
            if (entry >= indexCount_)
                problem(name + " refers to index entry " + std::to_string(entry) + " of only " +
                        std::to_string(indexCount_));
            else if (!inUse_.count(entry))
                problem(name + " refers to index entry " + std::to_string(entry) + ", which is free");
        }
    }

    const Memory& m_;
    const Device& device_;
    std::vector<std::string> problems_;
    std::vector<std::string> warnings_;
    std::set<unsigned> referenced_;
    unsigned header_ = 0, base_ = 0, keyListCount_ = 0, slotCount_ = 0, indexCount_ = 0, blockCount_ = 0;
    unsigned mapBytes_ = 0;
    unsigned long slotBase_ = 0, presetTable_ = 0, blockMap_ = 0, codeArea_ = 0;
    std::map<unsigned, bool> inUse_;
};

} // namespace

LayoutFindings inspectLayout(const Device& device) { return Checker(device).run(); }

std::vector<std::string> checkLayout(const Device& device) { return inspectLayout(device).violations; }

} // namespace emu
