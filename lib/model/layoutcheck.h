// The invariants a sound learned-key layout keeps, judged on what the remote's memory reads
// return, so the virtual remote's tool and the configurator's command line check alike.
#pragma once

#include "memorylayout.h"

#include <optional>
#include <string>
#include <vector>

namespace model {

// The areas of the layout a finding may name.
enum class LayoutArea {
    LayoutHeader,
    KeyList,
    KeySlotTable,
    BlockMapAndIndex,
    CodeArea,
    PresetTableCount,
    PresetTable
};

enum class LayoutFault {
    Unreadable,         // the memory could not be read at `address`
    NotHex,             // the firmware answers byte `address` as `text`, not as hex
    BlockUnit,          // the locator's block unit is `count`, not 08
    PastMemory,         // `area` at `address` (`count` bytes) runs past the end of memory
    EntryHoldsNoBlocks, // index entry `entry` is in use but holds no blocks
    EntryPastCodeArea,  // `entry` (blocks `block`+`count`) reaches past the code area's `limit` blocks
    EntryOwnsFreeBlock, // `entry` owns `block`, which the block map marks free
    EntriesOverlap,     // `entry` overlaps index entry `other` at `block`
    BlocksLeaked,       // blocks `block` to `lastBlock` in use, owned by no index entry
    SlotPastIndex,      // slot `slot` (key `text`) refers to index entry `entry` of only `limit`
    SlotRefersToFree,   // slot `slot` (key `text`) refers to index entry `entry`, which is free
    EntryUnreferenced,  // (a warning) index entry `entry` is in use but no slot refers to it
};

// One finding, as a kind and what it names; the window words it in its own language, describe()
// in English.
struct LayoutFinding {
    LayoutFault fault = LayoutFault::Unreadable;
    LayoutArea area = LayoutArea::LayoutHeader;
    unsigned long address = 0;
    unsigned long count = 0;
    unsigned entry = 0, other = 0, block = 0, lastBlock = 0, slot = 0, limit = 0;
    std::string text{}; // a key number, or the characters the firmware answered
};

struct LayoutFindings {
    std::vector<LayoutFinding> violations;   // each breaks the layout: a key may play the wrong code
    std::vector<LayoutFinding> warnings;     // room lost, nothing wrong: an index entry no slot refers to
    std::optional<LayoutFinding> unreadable; // a read failed: the layout could not be judged
};

// Reads the locator, header, key list, slots, block map with index and preset count (every read
// with the start-up block unit) and checks them.
LayoutFindings inspectLayout(const BlockReader& read);

// The finding in English: "slot 4 (key 04) refers to index entry 5, which is free".
std::string describe(const LayoutFinding& finding);

} // namespace model
