// The raw stored format: a signal kept as it came, its durations through a table.
//
//   bytes           what
//   0               'S' ('R' in codes stored before the repeating part, see framesequence.h)
//   1               the protocol recognised in the first frame whose preset would not sound the
//                   same (0: none); its data then rides in the key's parameters, for showing it
//   2               n, durations in the table (1-255)
//   3 ..            n durations, u16 microseconds each
//   then            f, distinct frames (1-255); for each: u16 count of its durations, then their
//                   table indexes, two to a byte (high nibble first) when n <= 16, else one
//   then            the frame sequence (framesequence.h): entries of frame, gap, count
//
// u16 values are stored low byte first.
#pragma once

#include "frames.h"
#include "protocols.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ir {

constexpr std::uint8_t kRawTag = 'S';
constexpr std::uint8_t kFirstRawTag = 'R'; // still read: codes already in remotes

// The frames as a raw code; empty when they need more than the format can hold.
std::vector<std::uint8_t> writeRaw(const std::vector<Frame>& frames, std::optional<Protocol> protocol);

struct RawCode {
    unsigned protocolNumber = 0;
    Transmission transmission;
};

// The raw code at the front of `code`; nullopt when it is none or is cut short or inconsistent.
std::optional<RawCode> readRaw(std::span<const std::uint8_t> code);

} // namespace ir
