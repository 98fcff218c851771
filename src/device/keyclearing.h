// Emptying learned keys on the remote: the slot's flag, then the code it used when no other key
// still needs it. The window asks the user and shows the outcome; the writes happen here.
#pragma once

#include "model/keytable.h"
#include "model/memorylayout.h"

#include <set>
#include <string>
#include <vector>

namespace device {

enum class ClearOutcome {
    LayoutUnknown,  // the layout was not read completely: nothing was written
    FlagNotWritten, // the slot's flag byte could not be written
    Cleared,
};

// Empties slot `slot` of key `keyNumber`: writes "00" into its flag byte, then frees the index
// entry it referred to, with its blocks, unless another key still uses it. Keys in `leaving` are
// cleared in the same run, so a code only they shared is freed as well. `layout` follows what
// the remote holds; `table` is not changed.
ClearOutcome clearKeySlot(model::DeviceLayout& layout, const model::KeyTable& table, std::size_t slot,
                          const std::string& keyNumber, const std::string& blockUnit,
                          const std::set<std::string>& leaving = {});

// Empties every slot whose key holds a learned code; the outcome of each, in slot order.
struct SlotClearing {
    std::size_t slot;
    ClearOutcome outcome;
};
std::vector<SlotClearing> clearLearnedKeys(model::DeviceLayout& layout, const model::KeyTable& table,
                                           const std::string& blockUnit);

} // namespace device
