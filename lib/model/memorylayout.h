// The remote's memory layout: where its keys, codes and presets lie, read once at start-up and
// then kept by the main window.
#pragma once

#include "messagestyle.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

constexpr unsigned kMemoryEnd = 0x10000;
constexpr unsigned kSlotRecordBytes = 22;
constexpr std::size_t kIndexEntryChars = 12;
constexpr unsigned kPresetTableBlocks = 120;
constexpr unsigned kReadablePresets = 160; // 960 bytes read: the count word and 160 entries
inline constexpr const char* kStartupBlockUnit = "08";

struct DeviceLayout {
    unsigned layoutHeaderAddress = 0;
    unsigned pointerBase = 0;
    std::string deviceBlockUnit;
    unsigned keySlotCount = 0;
    unsigned codeIndexCount = 0;
    unsigned codeBlockCount = 0;
    unsigned slotBaseAddress = 0;
    unsigned presetTableAddress = 0;
    unsigned blockMapAddress = 0;
    unsigned codeAreaAddress = 0;
    unsigned keyListCount = 0;
    std::string blockMap;      // one "0"/"1" per block, padded to whole map bytes
    std::string codeIndexText; // the index table as hex text, 12 characters per entry
    std::vector<std::string> presetCodeList;
    // Every read succeeded and every area lies inside memory: only then may it be written to.
    bool complete = false;
};

// Reads `blocks` blocks at `address` into a buffer of `bufferChars` characters; the text is the
// whole buffer on success and empty on failure.
using BlockReader = std::function<std::string(unsigned address, int blocks, std::size_t bufferChars)>;

struct LayoutRead {
    DeviceLayout layout;
    std::vector<std::string> keyTable;  // one entry per key slot
    std::string memoText;               // the block map and index as read, for Memo1
    std::optional<std::string> failure; // why the layout could not be taken, for the user
};

// A header pointer as a device address: counted back from the pointer base, or from the header.
unsigned translatePointer(unsigned pointer, unsigned pointerBase, unsigned layoutHeaderAddress);

unsigned slotAddress(const DeviceLayout& layout, unsigned slot);

// "A5" -> "10100101"; nullopt when a character is not a hex digit.
std::optional<std::string> unpackBlockMap(std::string_view hexText);

// "10100101" -> "A5"; the flags come in whole bytes of 8.
std::string packBlockMap(std::string_view flags);

// Entry `e` of the code index text: 12 characters, or fewer past its end.
std::string_view indexEntry(std::string_view codeIndexText, unsigned e);

// An entry is in use when the high digit of its byte 4 (character 9) is 8 or more.
bool indexEntryInUse(std::string_view entry);

struct IndexBlocks {
    unsigned firstBlock = 0;
    unsigned blockCount = 0;
};

// The blocks an entry names: its first-block word less 0x8000, and its block count.
std::optional<IndexBlocks> indexEntryBlocks(std::string_view entry);

// The key-table state of a 44-character slot record: "0|0|", "2|0|", "2|1|03FFFF", ...
// nullopt when the record's header bytes are not hex.
std::optional<std::string> slotState(std::string_view record);

// Slots past the end of the key list carry this in place of a key number: no key shows it.
inline constexpr const char* kNoKeyNumber = "--";

// The start-up read: locator, header, key list, key slots, block map with code index, presets,
// each read once, in that order, stopping at the first read or check that fails.
LayoutRead readLayout(const BlockReader& read);

} // namespace model
