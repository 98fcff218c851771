// Putting a copy of the whole memory back: which bytes to write, in which order, so that a
// restore cut short leaves the remote's layout as sound as it can be; and the blocks two copies
// of memory differ in. Plain functions over memory as the remote's reads answer it: two
// characters per byte from 0x0000 on.
#pragma once

#include "memorylayout.h"

#include <string>
#include <string_view>
#include <vector>

namespace model {

struct MemoryWrite {
    unsigned address = 0;
    std::string hexData;
};

struct RestorePlan {
    std::vector<MemoryWrite> writes;
    // True when every prefix of `writes` leaves the layout's invariants holding; false only when
    // the copy's layout lies elsewhere and memory has no room for the empty layout between them,
    // or when the copy holds no layout that can be read.
    bool soundAtEveryStep = false;
};

// The writes that turn `current` into `target`, never touching the identification block.
// When the copy's layout lies where the remote's does:
//   1. every key whose slot, index entry or code blocks change is emptied (its flag byte);
//   2. everything outside the slot table, the block map with its index and the header;
//   3. the slot table, each key still empty;
//   4. the block map with its index, in one write;
//   5. the locator and header;
//   6. each key's flag byte, the last step that makes it play.
// When it lies elsewhere, the remote passes through an empty layout: an empty header where neither
// layout looks, the locator turned to it, the copy around it, the locator turned to the copy's
// header, then the empty header's place.
RestorePlan planRestore(std::string_view current, std::string_view target);

// Reads blocks out of a copy of memory, as the remote would answer them.
BlockReader memoryReader(std::string_view memoryText);

// The addresses of the 8-byte blocks in which two copies differ, the identification block aside.
std::vector<unsigned> differingBlocks(std::string_view a, std::string_view b);

// The addresses of the 8-byte blocks the writes touch, in address order.
std::vector<unsigned> blocksWritten(const std::vector<MemoryWrite>& writes);

// Block addresses as short text: "7FA8, 8000-8038" (each block named by its first byte's address).
std::string blockRanges(const std::vector<unsigned>& blockAddresses);

} // namespace model
