#include "storedkey.h"

#include "devicelink.h"

#include "model/hextext.h"

#include <algorithm>
#include <vector>

namespace device {

namespace {

// `count` bytes of hex text from 1-based character `first`; nullopt when any is not hex.
std::optional<std::vector<std::uint8_t>> bytesOf(std::string_view text, std::size_t first,
                                                 std::size_t count) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < count; ++i) {
        const auto value = model::byteAt(text, first + 2 * i);
        if (!value)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    return bytes;
}

} // namespace

std::optional<StoredKey> readStoredKey(const model::DeviceLayout& layout, std::size_t slot) {
    if (!layout.complete)
        return std::nullopt;
    const unsigned address = model::slotAddress(layout, static_cast<unsigned>(slot));
    const auto record =
        bytesOf(link::readData(address, 3, layout.deviceBlockUnit, 48), 1, model::kSlotRecordBytes);
    if (!record || ((*record)[0] & 0xA0) != 0x80)
        return std::nullopt;
    StoredKey key;
    std::vector<std::uint8_t> code;
    if ((*record)[2] & 0x80) {
        key.entry = (*record)[3];
        const std::string_view entry = model::indexEntry(layout.codeIndexText, *key.entry);
        const auto blocks = model::indexEntryBlocks(entry);
        if (!model::indexEntryInUse(entry) || !blocks || blocks->blockCount == 0 ||
            blocks->firstBlock + blocks->blockCount > layout.codeBlockCount)
            return key;
        key.identity = std::string(entry.substr(0, 6));
        key.blocks = blocks->blockCount;
        const auto data = bytesOf(link::readData(layout.codeAreaAddress + 8 * blocks->firstBlock,
                                                 static_cast<int>(blocks->blockCount), layout.deviceBlockUnit,
                                                 16 * blocks->blockCount),
                                  1, 8 * blocks->blockCount);
        if (!data)
            return key;
        code = *data;
    } else {
        for (std::size_t i = 3; i < 6; ++i)
            key.identity += model::formatHex((*record)[i], 2);
    }
    ir::Identity identity{};
    const auto identityBytes = bytesOf(key.identity, 1, 3);
    if (!identityBytes)
        return key;
    std::copy(identityBytes->begin(), identityBytes->end(), identity.begin());
    ir::Parameters parameters{};
    std::copy(record->begin() + 6, record->end(), parameters.begin());
    key.played = ir::playKey(identity, code, parameters);
    return key;
}

} // namespace device
