// Reshaping the remote's raw record of one infrared code into the text the code converter takes.
#pragma once

#include "wire.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace model {

// Twenty "7FFF" words: the silence after the first frame group.
inline constexpr std::string_view kGapRun =
    "7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF7FFF";

// Undoes the receiver's widening of marks and narrowing of spaces.
inline constexpr int kMarkAdjust = wire::kReceiverWidening;

// Cuts the capture after its first frame group, keeping the silence and the two carrier words;
// "0000" when the capture holds no such silence.
std::string trimCapture(const std::string& captured);

// Group count, carrier value and marker, then the marks, spaces and gaps in microseconds and
// milliseconds. Returns the empty text when the record ends early or holds a word that is not
// hex, and then writes `trimmed` as the single line of `diagnosticFile` (skipped when it cannot be
// written).
std::string encodeCapture(const std::string& trimmed, const std::filesystem::path& diagnosticFile);

// True when the word's value is 0x8000 or more: a mark; false for a space or a word that is not hex.
bool hasHighBit(std::string_view word);

int low15(int value);

// Line 1 of the diagnostic file, empty when there is none.
std::string diagnosticLine(const std::filesystem::path& diagnosticFile);

} // namespace model
