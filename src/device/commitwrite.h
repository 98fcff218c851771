// Writing a planned learned code to the remote.
#pragma once

#include "model/commitplan.h"
#include "model/keytable.h"
#include "model/memorylayout.h"

#include <optional>

namespace device {

enum class CommitOutcome {
    Written,      // the key holds the new code
    KeyUnchanged, // a write failed; the key still holds what it held
    KeyEmptied,   // a write failed after the key was emptied to make room: it holds no code now
};

// Writes in an order that keeps the remote sound after any failed write: the code's blocks, then
// the index naming them, then the key's slot, and only then is the key's old code freed. When
// the plan empties the key first, its flag and the freeing of its old code come before all that.
// `layout` follows what the remote holds either way, an entry no slot refers to counting as free.
// `roomNotFreedAt`, when given, learns the address of a failed write that was to free the old
// code's room after the key was written (the key holds the new code; the next index write frees it).
CommitOutcome writeCommit(model::DeviceLayout& layout, const model::CommitPlan& plan,
                          std::optional<unsigned>* roomNotFreedAt = nullptr);

// Writes the plan and keeps `table` matching the remote: the key's entry becomes the plan's once
// the code is stored, and reads as cleared when the key was emptied.
CommitOutcome storeLearnedCode(model::DeviceLayout& layout, model::KeyTable& table,
                               const model::CommitPlan& plan,
                               std::optional<unsigned>* roomNotFreedAt = nullptr);

} // namespace device
