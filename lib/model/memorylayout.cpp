#include "memorylayout.h"

#include "devicemessages.h"
#include "hextext.h"
#include "wire.h"

#include <algorithm>

namespace model {

namespace {

constexpr std::size_t kMinimumLocatorText = 68;

bool fitsInMemory(unsigned long address, unsigned long bytes) {
    return address <= kMemoryEnd && bytes <= kMemoryEnd - address;
}

// Carries the read from step to step; each step returns false with `failure` set to stop it.
class LayoutReader {
public:
    explicit LayoutReader(const BlockReader& read) : read_(read) {}

    LayoutRead run() {
        if (readLocator() && readHeader() && readKeyList() && readSlots() && readMapAndIndex() &&
            readPresets() && areasFit()) {
            result_.layout.complete = true;
            return std::move(result_);
        }
        // A layout taken only in part is not kept: nothing may be shown or written from it.
        LayoutRead failed;
        failed.failure = kNoRemoteMessage;
        return failed;
    }

private:
    bool readLocator() {
        const std::string text = read_(wire::kLocatorAddress, 2, 512);
        if (text.size() < kMinimumLocatorText)
            return false;
        const auto header = wordAt(text, 1);
        const auto base = wordAt(text, 13);
        const std::string_view unit = characters(text, 17, 2);
        if (!header || !base || unit.size() != 2 || !isHexText(unit))
            return false;
        DeviceLayout& l = result_.layout;
        l.layoutHeaderAddress = *header;
        l.pointerBase = *base;
        l.deviceBlockUnit = std::string(unit);
        return true;
    }

    bool pointer(const std::string& header, std::size_t position, unsigned& out) {
        const auto p = wordAt(header, position);
        if (!p)
            return false;
        const DeviceLayout& l = result_.layout;
        out = translatePointer(*p, l.pointerBase, l.layoutHeaderAddress);
        return out < kMemoryEnd;
    }

    bool readHeader() {
        DeviceLayout& l = result_.layout;
        const std::string text = read_(l.layoutHeaderAddress, 5, 1024);
        const auto slots = wordAt(text, 1);
        const auto indexCount = byteAt(text, 15);
        const auto blocks = wordAt(text, 17);
        const auto keys = byteAt(text, 65);
        if (!slots || !indexCount || !blocks || !keys)
            return false;
        l.keySlotCount = *slots;
        l.codeIndexCount = *indexCount;
        l.codeBlockCount = *blocks;
        l.keyListCount = *keys;
        return pointer(text, 33, l.slotBaseAddress) && pointer(text, 49, l.presetTableAddress) &&
               pointer(text, 53, l.blockMapAddress) && pointer(text, 57, l.codeAreaAddress);
    }

    bool readKeyList() {
        const DeviceLayout& l = result_.layout;
        const std::string text = read_(l.layoutHeaderAddress + 32, 50, 1024);
        if (text.empty())
            return false;
        keyNumbers_.clear();
        for (unsigned n = 0; n < l.keyListCount; ++n) {
            const std::string_view number = characters(text, 3 + 2 * n, 2);
            if (number.size() != 2 || !isHexText(number))
                return false;
            keyNumbers_.emplace_back(number);
        }
        return true;
    }

    bool readSlots() {
        const DeviceLayout& l = result_.layout;
        const unsigned long chars = 44ul * l.keySlotCount;
        const int blocks = static_cast<int>(chars / 16 + 1);
        const std::string text = read_(l.slotBaseAddress, blocks, chars + 16);
        if (text.empty())
            return false;
        auto& table = result_.keyTable;
        table.clear();
        table.reserve(l.keySlotCount);
        for (unsigned n = 0; n < l.keySlotCount; ++n) {
            const auto state = slotState(characters(text, 44 * n + 1, 44));
            if (!state)
                return false;
            const std::string key = n < keyNumbers_.size() ? keyNumbers_[n] : kNoKeyNumber;
            table.push_back(key + "|" + *state);
        }
        return true;
    }

    bool readMapAndIndex() {
        DeviceLayout& l = result_.layout;
        const unsigned mapBytes = (l.codeBlockCount + 7) / 8;
        const unsigned blocks = (6 * l.codeIndexCount + mapBytes) / 8 + 1;
        const std::string text = read_(l.blockMapAddress, static_cast<int>(blocks), 16ul * blocks);
        if (text.empty())
            return false;
        result_.memoText = text;
        const auto map = unpackBlockMap(characters(text, 1, std::size_t{2} * mapBytes));
        const std::string_view index =
            characters(text, std::size_t{2} * mapBytes + 1, kIndexEntryChars * l.codeIndexCount);
        if (!map || map->size() != std::size_t{8} * mapBytes ||
            index.size() != kIndexEntryChars * l.codeIndexCount || !isHexText(index))
            return false;
        l.blockMap = *map;
        l.codeIndexText = std::string(index);
        return true;
    }

    bool readPresets() {
        DeviceLayout& l = result_.layout;
        const std::string text = read_(l.presetTableAddress, kPresetTableBlocks, 2048);
        const auto count = wordAt(text, 1);
        if (!count)
            return false;
        l.presetCodeList.clear();
        // The read holds 160 entries; a larger count names entries that were never read.
        const unsigned readable = std::min<unsigned>(*count, kReadablePresets);
        for (unsigned i = 0; i < readable; ++i) {
            const std::string_view identity = characters(text, 5 + 12 * i, 6);
            if (identity.size() != 6 || !isHexText(identity))
                return false;
            l.presetCodeList.emplace_back(identity);
        }
        return true;
    }

    // Learning and deleting write into the slot table, the map with its index and the code area:
    // all of them must lie inside memory before anything may be written there.
    bool areasFit() {
        const DeviceLayout& l = result_.layout;
        const unsigned long mapBytes = (l.codeBlockCount + 7) / 8;
        return fitsInMemory(l.slotBaseAddress,
                            static_cast<unsigned long>(kSlotRecordBytes) * l.keySlotCount) &&
               fitsInMemory(l.blockMapAddress, mapBytes + 6ul * l.codeIndexCount) &&
               fitsInMemory(l.codeAreaAddress, 8ul * l.codeBlockCount);
    }

    const BlockReader& read_;
    LayoutRead result_;
    std::vector<std::string> keyNumbers_;
};

} // namespace

unsigned translatePointer(unsigned pointer, unsigned pointerBase, unsigned layoutHeaderAddress) {
    return pointer >= pointerBase ? pointer - pointerBase : pointer + layoutHeaderAddress;
}

unsigned slotAddress(const DeviceLayout& layout, unsigned slot) {
    return layout.slotBaseAddress + kSlotRecordBytes * slot;
}

std::optional<std::string> unpackBlockMap(std::string_view hexText) {
    std::string flags;
    flags.reserve(4 * hexText.size());
    for (char c : hexText) {
        const auto digit = parseHex(std::string_view(&c, 1));
        if (!digit)
            return std::nullopt;
        for (int bit = 3; bit >= 0; --bit)
            flags += ((*digit >> bit) & 1) ? '1' : '0';
    }
    return flags;
}

std::string packBlockMap(std::string_view flags) {
    std::string hex;
    hex.reserve(flags.size() / 4);
    for (std::size_t i = 0; i + 8 <= flags.size(); i += 8) {
        unsigned byte = 0;
        for (std::size_t bit = 0; bit < 8; ++bit)
            if (flags[i + bit] == '1')
                byte |= 0x80u >> bit;
        hex += formatHex(byte, 2);
    }
    return hex;
}

std::string_view indexEntry(std::string_view codeIndexText, unsigned e) {
    return characters(codeIndexText, kIndexEntryChars * e + 1, kIndexEntryChars);
}

bool indexEntryInUse(std::string_view entry) {
    const auto digit = parseHex(characters(entry, 9, 1));
    return digit && *digit >= 8;
}

std::optional<IndexBlocks> indexEntryBlocks(std::string_view entry) {
    const auto first = wordAt(entry, 7);
    const auto count = byteAt(entry, 11);
    if (!first || !count || *first < 0x8000)
        return std::nullopt;
    return IndexBlocks{*first - 0x8000, *count};
}

std::optional<std::string> slotState(std::string_view record) {
    const auto flags = byteAt(record, 1);
    const auto storage = byteAt(record, 5);
    const std::string_view reference = characters(record, 7, 6);
    if (!flags || !storage || reference.size() != 6 || !isHexText(reference))
        return std::nullopt;
    if ((*flags & 0xA0) != 0x80)
        return std::string("0|0|");
    const std::string kind = (*flags & 0x40) ? "2|" : "1|";
    if (*storage & 0x80)
        return kind + "1|" + std::string(reference);
    return kind + "0|";
}

LayoutRead readLayout(const BlockReader& read) { return LayoutReader(read).run(); }

} // namespace model
