// What a key of the remote holds and sends, read from its slot and, for a stored code, from the
// code area, as the remote itself plays it back.
#pragma once

#include "ir/storedcode.h"
#include "model/memorylayout.h"

#include <optional>
#include <string>

namespace device {

struct StoredKey {
    std::string identity;                // the code identity, 6 hex digits
    std::optional<unsigned> entry;       // the code index entry of a code kept in the code area
    unsigned blocks = 0;                 // code-area blocks the code takes
    std::optional<ir::PlayedKey> played; // nullopt when the bytes do not make a signal
};

// Reads slot `slot`; nullopt when it holds no code or cannot be read.
std::optional<StoredKey> readStoredKey(const model::DeviceLayout& layout, std::size_t slot);

} // namespace device
