// Device bytes as hex text: parsing numbers out of it and formatting numbers into it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace model {

// The value of a run of hex digits (either case), as the firmware's numbers are read;
// nullopt for an empty text, a character that is not a hex digit, or more than 8 digits.
std::optional<std::uint32_t> parseHex(std::string_view text);

// Whether `c` is a hex digit, and whether every character of `text` is one (an empty text is).
bool isHexDigit(char c);
bool isHexText(std::string_view text);

// `value` as at least `digits` upper-case hex digits, more when it needs them; a negative value
// as the 8 digits of its 32-bit two's complement.
std::string formatHex(std::int64_t value, int digits);

// The 16-bit little-endian word at 1-based character `position` of hex text: characters 3-4
// are the high byte, 1-2 the low byte.
std::optional<std::uint32_t> wordAt(std::string_view text, std::size_t position);

// The byte at 1-based character `position` of hex text.
std::optional<std::uint32_t> byteAt(std::string_view text, std::size_t position);

// 1-based characters `first`..`first + count - 1` of text, clipped to its end.
std::string_view characters(std::string_view text, std::size_t first, std::size_t count);

struct SplitAddress {
    std::string high;
    std::string low;
};

// A 16-bit device address as the device library takes it: "B0", "3C" for 0xB03C; nullopt for an
// address past the remote's 64 KiB, which two halves cannot name.
std::optional<SplitAddress> splitAddress(unsigned address);

} // namespace model
