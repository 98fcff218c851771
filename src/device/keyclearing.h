// Emptying learned keys on the remote: the slot's flag, then the code it used once no other slot
// needs it. The window asks the user and shows the outcome; the writes happen here.
#pragma once

#include "model/keytable.h"
#include "model/memorylayout.h"

#include <optional>
#include <string>
#include <vector>

namespace device {

enum class ClearOutcome {
    LayoutUnknown,  // the layout was not read completely: nothing was written
    FlagNotWritten, // the slot's flag byte could not be written: the key keeps its code
    Cleared,
};

// Empties slot `slot`: writes "00" into its flag byte and, once that is done, frees the index
// entry it referred to, with its blocks, unless another slot still uses it. `layout` and `table`
// follow what the remote holds: the key's entry reads as cleared only once its flag is written.
// The key is cleared either way; `roomNotFreedAt`, when given, learns the address of the write
// that was to free its code's room and failed (the next index write frees it).
ClearOutcome clearKeySlot(model::DeviceLayout& layout, model::KeyTable& table, std::size_t slot,
                          const std::string& blockUnit, std::optional<unsigned>* roomNotFreedAt = nullptr);

struct SlotClearing {
    std::size_t slot;
    ClearOutcome outcome;
    std::optional<unsigned> roomNotFreedAt; // as for clearKeySlot
};

// Empties every slot that holds a learned code, in slot order; the outcome of each. A code that
// several keys share is freed with the last of them, so a key whose writes fail never points at
// a freed entry.
std::vector<SlotClearing> clearLearnedKeys(model::DeviceLayout& layout, model::KeyTable& table,
                                           const std::string& blockUnit);

} // namespace device
