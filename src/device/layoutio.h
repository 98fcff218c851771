// The memory layout's exchanges with the remote: the start-up read and the write-back of the
// block map with the code index.
#pragma once

#include "model/memorylayout.h"

namespace device {

// Reads the layout from the attached remote, every read with block unit "08".
model::LayoutRead readDeviceLayout();

// Writes the packed block map directly followed by the code index at the block map's address.
// A layout that was not read completely is never written to: false without touching the remote.
bool writeIndexState(const model::DeviceLayout& layout);

} // namespace device
