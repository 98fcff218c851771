// The pulse-template stored format: a remote's bit timing and frame shapes, shared by its keys,
// with each key's bits in the key's own parameters.
//
//   bytes           what
//   0               'T' ('P' in codes stored before the repeating part, see framesequence.h)
//   1 .. 8          the bit timing: zero mark, zero space, one mark, one space, u16 microseconds
//   9               n, literal durations (headers, trailers, odd pairs), then n u16 microseconds
//   then            s, frame shapes; for each: its item count, then per item its kind
//                   (0 bit run, 1 literal pair, 2 closing mark), a (the run's length, or a literal
//                   index) and, for a literal pair only, b (the space's literal index)
//   then            the frame sequence (framesequence.h), shapes for frames; periods when the
//                   capture kept one from frame start to frame start
//
//   key parameters  byte 0: how often the repeating part goes out at least (the sequence's c is
//                   0); 'P': the last entry's count, which the template held as 0;
//                   bytes 1-15: the bits of every bit run, entry by entry, least significant
//                   bit first
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

constexpr std::uint8_t kTemplateTag = 'T';
constexpr std::uint8_t kFirstTemplateTag = 'P'; // still read: codes already in remotes

struct TemplateCode {
    std::vector<std::uint8_t> data;
    Parameters parameters{};
};

// The frames as a pulse template; nullopt when they have no two-symbol bit timing or need more
// bits than the key's parameters hold.
std::optional<TemplateCode> writeTemplate(const std::vector<Frame>& frames);

// What a key with `parameters` sends from the template at the front of `code`; nullopt when it
// is none or is cut short or inconsistent.
std::optional<Transmission> readTemplate(std::span<const std::uint8_t> code, const Parameters& parameters);

} // namespace ir
