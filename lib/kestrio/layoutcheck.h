// `qtm418-emu check`: the invariants a sound learned-key layout keeps.
#pragma once

#include "device.h"

#include <string>
#include <vector>

namespace emu {

// Each violation as one line; empty when the layout is sound.
std::vector<std::string> checkLayout(const Device& device);

} // namespace emu
