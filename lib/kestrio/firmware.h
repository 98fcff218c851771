// What the remote's firmware answers to each operation, given its settings and memory.
#pragma once

#include "device.h"

#include <cstdint>

#include <optional>
#include <string>
#include <string_view>

namespace emu {

// An address half or a block unit: exactly two hex digits.
std::optional<unsigned> parseByteText(const char* text);

// The hex text of `blockCount` 8-byte blocks from `address` on, as the firmware renders it
// (model characters and any glitched bytes included); nullopt when the range leaves memory.
std::optional<std::string> readBlocks(const Device& device, unsigned address, long blockCount);

// Stores the hex text `data` from `address` on; false (memory untouched) when the text is not
// whole bytes of hex digits or would run past the end of memory.
bool writeHex(Device& device, unsigned address, std::string_view data);

// The version text, at most the 250 bytes of the caller's buffer.
std::string versionText(const Device& device);

// The basic-information answer: the identification block as a 6-block read renders it.
std::string basicInformation(const Device& device);

// The identity as hex text (the first 30 characters of the identification block).
std::string identityText(const Device& device);

// Milliseconds of the wall clock, the time base every process of the device shares.
std::int64_t wallClockMillis();

// Capture mode from `nowMillis` on: the receiver waits for a signal.
void startCapture(Device& device, std::int64_t nowMillis);

// What one poll in capture mode receives: the record of the first signal sent towards the remote
// (or, with none sent, of a demo remote key a while after capture began), once; nullopt while
// nothing has arrived or capture mode is off.
std::optional<std::string> pollCapture(Device& device, std::int64_t nowMillis);

} // namespace emu
