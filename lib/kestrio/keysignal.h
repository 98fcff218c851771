// `qtm418-emu transmit`: what the remote sends when one of its learned keys is pressed.
#pragma once

#include "device.h"

#include "ir/storedcode.h"

#include <optional>
#include <string>

namespace emu {

struct KeySignal {
    std::string keyNumber;
    std::string identity; // the code identity, 6 hex digits
    bool stored = false;  // the code lies in the code area (else it is a preset)
    ir::PlayedKey played;
};

// Reads the key's slot, its stored code or preset and its parameters the way the firmware does;
// nullopt, with the reason in `why`, when there is no such key, it holds no code or its code does
// not play.
std::optional<KeySignal> pressKey(const Device& device, const std::string& keyNumber, std::string& why);

// With `holdMicros`, also every duration the key sends when held that long, from the first mark.
std::string keySignalText(const KeySignal& key, std::optional<long> holdMicros = std::nullopt);
std::string keySignalJson(const KeySignal& key, std::optional<long> holdMicros = std::nullopt);

} // namespace emu
