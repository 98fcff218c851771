// The invariants a sound learned-key layout keeps, judged on what the remote's memory reads
// return, so the virtual remote's tool and the configurator's command line check alike.
#pragma once

#include "memorylayout.h"

#include <optional>
#include <string>
#include <vector>

namespace model {

struct LayoutFindings {
    std::vector<std::string> violations;   // each breaks the layout: a key may play the wrong code
    std::vector<std::string> warnings;     // room lost, nothing wrong: an index entry no slot refers to
    std::optional<std::string> unreadable; // a read failed: the layout could not be judged
};

// Reads the locator, header, key list, slots, block map with index and preset count (every read
// with the start-up block unit) and checks them.
LayoutFindings inspectLayout(const BlockReader& read);

} // namespace model
