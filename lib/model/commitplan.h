// Everything a learned code needs before the remote is written to: how the code is classified
// (a preset, a code the remote already stores, a new code), the key's slot record and key-table
// entry, the blocks and index entry a new code takes, and the index entry the key leaves behind.
// A plan that cannot be carried out is refused before any write.
#pragma once

#include "converteranswer.h"
#include "keytable.h"

#include "memorylayout.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace model {

// True when `identity` is in the remote's preset list, letter case aside.
bool isPresetCode(const std::vector<std::string>& presetCodeList, std::string_view identity);
// Identities below 0x22 followed by 0000 are presets the remote generates without a list entry.
bool isBuiltInPreset(std::string_view identity);

// 8-byte blocks that hold `codeData` hex digits: length / 16, rounded up.
unsigned blocksFor(std::string_view codeData);

// First fit of `need` free blocks; the run must end before the last flag of the map and within
// the code area's block count.
std::optional<unsigned> firstFreeRun(std::string_view blockMap, unsigned codeBlockCount, unsigned need);

// The index entry of a stored code: identity, the low and high byte of 0x8000 + first block,
// the block count.
std::string indexEntryText(std::string_view identity, unsigned firstBlock, unsigned blockCount);

struct IndexState {
    std::string codeIndexText;
    std::string blockMap;
};

struct NewCode {
    unsigned entry = 0;
    unsigned firstBlock = 0;
    std::string codeData;
    IndexState stored; // the new entry in use and its blocks taken, nothing freed yet
};

struct CommitPlan {
    std::size_t slot = 0;
    std::string codeIdentity;
    bool isPreset = false;
    bool alreadyStored = false;
    std::string codeIndexRef;
    std::string slotRecord;    // 44 hex digits
    std::string keyTableEntry; // what the key's entry becomes
    std::optional<NewCode> newCode;
    // The index once the key's old code, used by no other key, has been freed.
    std::optional<IndexState> afterFreeingOld;
    // Set when the new code fits only in the room the key's old code frees: the key is emptied
    // first (its flag, then its old entry freed, giving this index), and the new code is stored
    // in that room afterwards. `newCode` then starts from this index.
    std::optional<IndexState> emptiedFirst;
};

// The most blocks one code may take: an index entry holds its block count in one byte.
inline constexpr unsigned kMostCodeBlocks = 0xFF;

enum class CommitRefusal { NoKeyEntry, IndexFull, NoCodeData, NoRoom, CodeTooLong };

using CommitDecision = std::variant<CommitPlan, CommitRefusal>;

// Plans storing `answer` under key `keyNumber`. The key's old code counts as gone when no other
// key uses it, so a key re-learned with the code it holds never points at a freed entry; its
// entry and blocks are freed only after the new code is in place, and are not reused meanwhile,
// unless the new code fits nowhere else: then the key is emptied first (see `emptiedFirst`).
CommitDecision planCommit(const model::DeviceLayout& layout, const KeyTable& table,
                          std::string_view keyNumber, const ConverterAnswer& answer);

} // namespace model
