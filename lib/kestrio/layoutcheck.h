// `qtm418-emu check`: the invariants a sound learned-key layout keeps.
#pragma once

#include "device.h"

#include <string>
#include <vector>

namespace emu {

struct LayoutFindings {
    std::vector<std::string> violations; // each breaks the layout: a key may play the wrong code
    std::vector<std::string> warnings;   // room lost, nothing wrong: an index entry no slot refers to
};

LayoutFindings inspectLayout(const Device& device);

// Each violation as one line; empty when the layout is sound.
std::vector<std::string> checkLayout(const Device& device);

} // namespace emu
