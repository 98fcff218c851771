// Every key of the remote with what it holds: its state, its code and who shares it, the blocks
// it takes and what it sends.
#pragma once

#include "device/storedkey.h"
#include "model/memorylayout.h"

#include <optional>
#include <string>
#include <vector>

namespace ctl {

struct KeyReport {
    std::size_t slot = 0;
    std::string keyNumber;
    std::string label; // "TV/Up"
    std::string state; // "empty", "downloaded" or "learned"
    std::optional<device::StoredKey> code;
    std::vector<std::string> sharedWith; // key numbers of the other keys on the same stored code
};

// One report per slot of a key, in slot order; slots past the key list are left out.
std::vector<KeyReport> listKeys(const model::LayoutRead& read);

// "NEC address 4 command 8", the stored format's kind ("raw"), or "unknown" when it plays nothing.
std::string sendsText(const KeyReport& key);

std::string keysText(const std::vector<KeyReport>& keys);
std::string keysJson(const std::vector<KeyReport>& keys);

} // namespace ctl
