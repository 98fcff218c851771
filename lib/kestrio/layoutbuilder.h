// Writes a learned-key memory layout into the remote's memory: locator, header, key list, key
// slots, block map with code index, preset table and code area.
#pragma once

#include "device.h"

#include "model/wire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace emu {

using wire::Identity;

struct SlotPlan {
    std::uint8_t flags = 0x00;
    std::uint8_t byte1 = 0x00;
    std::uint8_t byte2 = 0x00;
    std::array<std::uint8_t, 3> reference{};
    std::array<std::uint8_t, 16> parameters{};
};

struct IndexEntryPlan {
    Identity identity{};
    unsigned firstBlock = 0;
    unsigned blockCount = 0;
    bool inUse = false;
};

// How a header pointer to an area is stored: as an address counted from the header (below the
// pointer base) or as the address plus the pointer base.
enum class PointerForm { FromHeader, Absolute };

struct AreaPlan {
    unsigned address = 0;
    PointerForm form = PointerForm::Absolute;
    std::optional<std::uint16_t> rawPointer; // stored as is, for corrupt layouts
};

struct LayoutPlan {
    unsigned headerAddress = 0x1000;
    unsigned pointerBase = 0x8000;
    std::uint8_t blockUnit = 0x08;
    std::vector<std::uint8_t> keyNumbers;
    unsigned slotCount = 0; // the header's count; slots beyond `slots` stay empty
    std::vector<SlotPlan> slots;
    unsigned codeBlockCount = 0;
    std::vector<IndexEntryPlan> index; // codeIndexCount entries
    std::vector<Identity> presets;
    AreaPlan slotTable, presetTable, blockMap, codeArea;
    // Code bytes stored in the code area, by first block.
    std::vector<std::pair<unsigned, std::vector<std::uint8_t>>> codeData;
    // Blocks marked in use although no index entry owns them (a leak).
    std::vector<unsigned> strayBlocks;
};

// The 16-bit word stored in the header for an area.
std::uint16_t headerPointer(const LayoutPlan& plan, const AreaPlan& area);

void writeLayout(Memory& memory, const LayoutPlan& plan);

} // namespace emu
