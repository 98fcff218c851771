// The converter's answer and the remote's play-back of it: a preset identity, or a stored code
// whose data lies in the code area, plus the slot's 16 parameter bytes.
#pragma once

#include "frames.h"
#include "protocols.h"

#include "model/wire.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ir {

using wire::Identity;

// Presets are the protocol number followed by two zero bytes; every other identity names a
// stored code and starts at 0x22.
constexpr std::uint8_t kFirstStoredIdentity = 0x22;

struct Conversion {
    Identity identity{};
    Parameters parameters{};
    std::vector<std::uint8_t> codeData; // empty for a preset
    std::string kind;                   // the protocol's name, "pulse template" or "raw"
};

// Recognises the frames as a preset, else stores the timing shared by a remote's keys with each
// key's bits in its parameters, else stores the signal as it came; each only when it plays back
// what was captured. nullopt when even the signal as it came cannot be stored.
std::optional<Conversion> convertFrames(const std::vector<Frame>& frames);

// The answer text: identity "::" first field ":" second field ":::" code data, in hex; empty
// when the body is no encoded signal.
std::string convertBody(std::string_view body);

std::string answerText(const Conversion& conversion);

struct PlayedKey {
    Transmission transmission;
    std::optional<ProtocolCode> protocol; // for a preset
    std::string kind;
};

// What a key sends, from its identity, its stored code's bytes (only the front of the blocks is
// read) and its parameters; nullopt when they do not make a code.
std::optional<PlayedKey> playKey(const Identity& identity, std::span<const std::uint8_t> codeData,
                                 const Parameters& parameters);

bool isPresetIdentity(const Identity& identity);

} // namespace ir
