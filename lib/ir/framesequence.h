// The order in which a stored code's frames go out: a list of entries, each a frame sent `count`
// times in a row with a gap after each. Frames repeated in a row are kept once with a count; the
// last entry is what repeats while the key is held. Both stored formats end with it:
//
//   bytes           what
//   0               e, entries (1-255)
//   then            per entry: frame index (u8), gap after each frame (u16, units of kGapUnit),
//                   count (u8)
#pragma once

#include "bytestream.h"
#include "frames.h"

#include <cstddef>
#include <vector>

namespace ir {

// Microseconds per unit of a stored gap.
constexpr int kGapUnit = 10;

struct SequenceEntry {
    std::size_t frame; // index into the distinct frames
    int gap;
    unsigned count;
};

// A gap in microseconds as its stored 16-bit value.
unsigned storedGap(int micros);

// Whether a receiver takes two stored gaps for one another.
bool sameStoredGap(int a, int b);

// Folds frames in a row that `same(a, b)` calls alike into one entry, as long as the gap after
// each (`gaps`, in stored units) is one a receiver takes for the entry's; the last frame's gap
// (none) goes with any.
template <typename Same>
std::vector<SequenceEntry> runsOf(std::size_t frameCount, const std::vector<int>& gaps, Same same) {
    std::vector<SequenceEntry> entries;
    for (std::size_t i = 0; i < frameCount; ++i) {
        const bool last = i + 1 == frameCount;
        if (!entries.empty() && same(entries.back().frame, i) && entries.back().count < 255 &&
            (last || sameStoredGap(entries.back().gap, gaps[i]))) {
            ++entries.back().count;
            continue;
        }
        entries.push_back({i, gaps[i], 1});
    }
    return entries;
}

// The stored entries, their gaps in microseconds.
std::vector<SequenceEntry> readSequence(ByteReader& r);

// The transmission the entries make of the distinct frames; no frames when an entry names a frame
// that is not there.
Transmission expandSequence(const std::vector<std::vector<int>>& distinct,
                            const std::vector<SequenceEntry>& entries);

} // namespace ir
