// Repairing the remote's layout where no guess is needed: keys that refer to a free index entry
// or to one past the index are emptied, entries no key refers to are freed, and the block map is
// rebuilt from the entries still in use. What needs a guess (entries that overlap, or reach past
// the code area, while keys use them) is left for the owner.
#pragma once

#include "keytable.h"
#include "memorylayout.h"

#include <string>
#include <vector>

namespace model {

struct EmptiedKey {
    std::size_t slot = 0;
    unsigned entry = 0; // the entry it refers to
    bool pastIndex = false;
};

struct RepairPlan {
    std::vector<EmptiedKey> emptiedKeys;
    std::vector<unsigned> freedEntries;
    std::vector<unsigned> blocksFreed;  // map flags that go from in use to free
    std::vector<unsigned> blocksMarked; // and from free to in use
    // The layout and key table once repaired: the index and map to write, the keys as they read.
    DeviceLayout layout;
    KeyTable table;

    bool writesIndex() const {
        return !freedEntries.empty() || !blocksFreed.empty() || !blocksMarked.empty();
    }
    bool empty() const { return emptiedKeys.empty() && !writesIndex(); }
};

// Plans the repair of a completely read layout.
RepairPlan planRepair(const DeviceLayout& layout, const KeyTable& table);

// The plan as lines for the owner, in the order it is written.
std::vector<std::string> describeRepair(const RepairPlan& plan, const KeyTable& before);

} // namespace model
