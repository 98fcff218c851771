#include "layoutbuilder.h"
#include "model/wire.h"

namespace emu {

namespace {

void put8(Memory& memory, unsigned address, std::uint8_t value) { memory.at(address) = value; }

void put16(Memory& memory, unsigned address, unsigned value) {
    put8(memory, address, static_cast<std::uint8_t>(value & 0xFF));
    put8(memory, address + 1, static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

} // namespace

std::uint16_t headerPointer(const LayoutPlan& plan, const AreaPlan& area) {
    if (area.rawPointer)
        return *area.rawPointer;
    if (area.form == PointerForm::FromHeader)
        return static_cast<std::uint16_t>(area.address - plan.headerAddress);
    return static_cast<std::uint16_t>(area.address + plan.pointerBase);
}

void writeLayout(Memory& memory, const LayoutPlan& plan) {
    put16(memory, wire::kLocatorAddress, plan.headerAddress);
    put16(memory, wire::kLocatorAddress + 6, plan.pointerBase);
    put8(memory, wire::kLocatorAddress + 8, plan.blockUnit);

    const unsigned h = plan.headerAddress;
    put16(memory, h + 0, plan.slotCount);
    put8(memory, h + 7, static_cast<std::uint8_t>(plan.index.size()));
    put16(memory, h + 8, plan.codeBlockCount);
    put16(memory, h + 16, headerPointer(plan, plan.slotTable));
    put16(memory, h + 24, headerPointer(plan, plan.presetTable));
    put16(memory, h + 26, headerPointer(plan, plan.blockMap));
    put16(memory, h + 28, headerPointer(plan, plan.codeArea));
    put8(memory, h + 32, static_cast<std::uint8_t>(plan.keyNumbers.size()));
    for (std::size_t n = 0; n < plan.keyNumbers.size(); ++n)
        put8(memory, h + 33 + static_cast<unsigned>(n), plan.keyNumbers[n]);

    for (std::size_t n = 0; n < plan.slots.size(); ++n) {
        const SlotPlan& slot = plan.slots[n];
        const unsigned at = plan.slotTable.address + 22 * static_cast<unsigned>(n);
        put8(memory, at, slot.flags);
        put8(memory, at + 1, slot.byte1);
        put8(memory, at + 2, slot.byte2);
        for (unsigned i = 0; i < 3; ++i)
            put8(memory, at + 3 + i, slot.reference[i]);
        for (unsigned i = 0; i < 16; ++i)
            put8(memory, at + 6 + i, slot.parameters[i]);
    }

    const unsigned mapBytes = (plan.codeBlockCount + 7) / 8;
    std::vector<bool> used(8 * mapBytes, false);
    for (const IndexEntryPlan& entry : plan.index)
        if (entry.inUse)
            for (unsigned b = entry.firstBlock; b < entry.firstBlock + entry.blockCount && b < used.size();
                 ++b)
                used[b] = true;
    for (unsigned b : plan.strayBlocks)
        if (b < used.size())
            used[b] = true;
    for (unsigned i = 0; i < mapBytes; ++i) {
        std::uint8_t byte = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (used[8 * i + bit])
                byte |= static_cast<std::uint8_t>(0x80 >> bit);
        put8(memory, plan.blockMap.address + i, byte);
    }
    for (std::size_t e = 0; e < plan.index.size(); ++e) {
        const IndexEntryPlan& entry = plan.index[e];
        const unsigned at = plan.blockMap.address + mapBytes + 6 * static_cast<unsigned>(e);
        if (!entry.inUse) {
            for (unsigned i = 0; i < 6; ++i)
                put8(memory, at + i, 0);
            continue;
        }
        for (unsigned i = 0; i < 3; ++i)
            put8(memory, at + i, entry.identity[i]);
        put16(memory, at + 3, 0x8000 + entry.firstBlock);
        put8(memory, at + 5, static_cast<std::uint8_t>(entry.blockCount));
    }

    put16(memory, plan.presetTable.address, static_cast<unsigned>(plan.presets.size()));
    for (std::size_t i = 0; i < plan.presets.size(); ++i)
        for (unsigned j = 0; j < 3; ++j)
            put8(memory, plan.presetTable.address + 2 + 6 * static_cast<unsigned>(i) + j, plan.presets[i][j]);

    for (const auto& [firstBlock, bytes] : plan.codeData)
        for (std::size_t i = 0; i < bytes.size(); ++i)
            put8(memory, plan.codeArea.address + 8 * firstBlock + static_cast<unsigned>(i), bytes[i]);
}

} // namespace emu
