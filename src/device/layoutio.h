// The memory layout's exchanges with the remote: the start-up read, the check of its invariants
// and the write-back of the block map with the code index.
#pragma once

#include "model/layoutcheck.h"
#include "model/memorylayout.h"

namespace device {

// Reads the layout from the attached remote, every read with block unit "08".
model::LayoutRead readDeviceLayout();

// Checks the layout's invariants on the attached remote, reading as start-up does.
model::LayoutFindings inspectDeviceLayout();

// Writes the packed block map directly followed by the code index at the block map's address.
// A layout that was not read completely is never written to: false without touching the remote.
bool writeIndexState(const model::DeviceLayout& layout);

} // namespace device
