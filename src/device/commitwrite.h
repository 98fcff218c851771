// Writing a planned learned code to the remote.
#pragma once

#include "model/commitplan.h"

#include "model/memorylayout.h"

namespace device {

// Writes in an order that keeps the remote sound after any failed write: the code's blocks, then
// the index naming them, then the key's slot, and only then is the key's old code freed. False
// when the slot was not written. `layout` follows what the remote holds either way.
bool writeCommit(model::DeviceLayout& layout, const model::CommitPlan& plan);

} // namespace device
