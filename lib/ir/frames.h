// A signal cut into frames at its long silences, and the test of whether one signal can stand in
// for another at a receiver.
#pragma once

#include "timings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ir {

// A space this long ends a frame: longer than any header or bit of the known protocols.
constexpr int kFrameGapMicros = 6000;

struct Frame {
    std::vector<int> durations; // mark, space, ..., mark
    int gapAfter = 0;           // microseconds of silence before the next frame; 0 after the last
    bool operator==(const Frame&) const = default;
};

// What a key press sends: the frames in order, those from `repeatFrom` on again while it is held
// or until `minimumFrames` have gone out (`repeatFrom` past the last frame: none repeats). The
// last frame's gap is the one before a repeat.
struct Transmission {
    int carrierHz = kDefaultCarrierHz;
    std::vector<Frame> frames;
    std::size_t repeatFrom = 0;
    std::size_t minimumFrames = 1;
};

// Splits mark/space timings at spaces of kFrameGapMicros or more; a closing space is dropped.
std::vector<Frame> splitFrames(const std::vector<int>& timings);

// The converter's input: the encoder's body of durations in microseconds, gap markers in
// milliseconds and the end marker. A body shifted by one character (a two-digit group count) is
// realigned. nullopt for anything else.
std::optional<std::vector<Frame>> parseEncodedBody(std::string_view body);

// The frames a press sends when it lasts at least `count` frames (and the minimum).
std::vector<Frame> pressFrames(const Transmission& transmission, std::size_t count);

// Every duration the remote emits for a press held `holdMicros`, from the first mark: the frames
// in order, then the repeating ones while the key is still held when the next would start (and
// always at least `minimumFrames`), with the gaps between them and none after the last. A frame
// without a gap after it is not repeated.
std::vector<int> heldPress(const Transmission& transmission, long holdMicros);

// The frames' durations in a row, each gap between two frames as a space.
std::vector<int> joinFrames(const std::vector<Frame>& frames);

// A duration a receiver takes for another: within 100 us or a quarter of it.
bool sameDuration(int played, int captured);

// Whether `played`, the key held as long as the capture lasted, sends every duration `captured`
// holds, mark for mark, space for space and gap for gap.
bool faithful(const Transmission& played, const std::vector<Frame>& captured);

} // namespace ir
