// The facts of the remote's USB link that the configurator and the virtual remote must agree on:
// where the firmware keeps its identification and memory locator, how large the callers' buffers
// are, and what the infrared receiver does to what it hears. Written once, here, for both sides.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wire {

// The identification block, read as 6 blocks of 8 bytes: the identity, then version and model.
inline constexpr unsigned kIdentificationAddress = 0xB000;
inline constexpr unsigned kIdentityBytes = 15;
inline constexpr unsigned kVersionMajorOffset = 32;
inline constexpr unsigned kVersionMinorOffset = 33;
inline constexpr unsigned kModelOffset = 35; // four characters: "100R" on a supported remote

// Where the memory layout's header and pointer base are found.
inline constexpr unsigned kLocatorAddress = 0xB03C;

// The buffers the callers hand the device library, in characters.
inline constexpr std::size_t kVersionBufferSize = 250;
inline constexpr std::size_t kBasicInfoBufferSize = 1024;
inline constexpr std::size_t kCaptureBufferSize = 10240;
inline constexpr std::size_t kCharsPerBlock = 16; // an 8-byte block as hex text

// A demodulating receiver lengthens marks and shortens spaces by this many microseconds.
inline constexpr int kReceiverWidening = 58;

// The three bytes that name a key's code: a preset's protocol number, or a stored code.
using Identity = std::array<std::uint8_t, 3>;

} // namespace wire
