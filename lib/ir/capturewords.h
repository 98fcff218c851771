// What the remote's receiver makes of a signal: the capture words it leaves in its buffer.
#pragma once

#include "timings.h"

#include "model/wire.h"

#include <string>
#include <vector>

namespace ir {

constexpr int kLongUnits = 0x7FFF;
constexpr int kUnitsPerMicro = 3;
constexpr int kSilenceWords = 20;
// The receiver ends a record at a silence of twenty full words (about 218 ms).
constexpr long kSilenceMicros = static_cast<long>(kSilenceWords) * kLongUnits / kUnitsPerMicro;

// The signal as the receiver takes it in: marks no longer than two words hold, ended at the
// first silence (a closing space is part of it), cut after a mark where the buffer is full.
std::vector<int> receivedTimings(const Signal& signal);

// The record the receiver writes for `signal`: its marks (widened) and spaces (shortened) in
// 1/3 microsecond words, long ones split, ended at the first silence, then the closing silence
// and the carrier words; at most wire::kCaptureBufferSize characters, without the zero rest.
std::string captureRecord(const Signal& signal);

// True when `text` can stand in the capture buffer: hex words, at most wire::kCaptureBufferSize.
bool isCaptureText(std::string_view text);

} // namespace ir
