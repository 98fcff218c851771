// The key list as qtm418ctl prints it: one line a key, or JSON.
#pragma once

#include "device/keylisting.h"

#include <string>
#include <vector>

namespace ctl {

// "NEC address 4 command 8", the stored format's kind ("raw"), or "unknown" when it plays nothing.
std::string sendsText(const device::KeyReport& key);

std::string keysText(const std::vector<device::KeyReport>& keys);
std::string keysJson(const std::vector<device::KeyReport>& keys);

} // namespace ctl
