// The order in which a stored code's frames go out: entries, each a frame sent `count` times in a
// row with a gap (or a period, frame start to frame start) after each. The entries are sent once
// in order; while the key is still held, those from `repeatFrom` on go out again and again. Both
// stored formats end with it:
//
//   bytes           what
//   0               e, entries (1-255)
//   1               r, the first entry that repeats while the key is held (e: none repeats)
//   2               c, how often the repeating part goes out however short the press (as often
//                   as in the capture); 0: the key's parameters say (pulse template)
//   then            per entry: frame index (u8); timing (u16, units of kGapUnit), bit 15 set for
//                   a period, clear for a gap; count (u8)
//
// Codes stored before the repeating part and periods existed hold no `r` byte and gaps only;
// their last entry repeats.
#pragma once

#include "bytestream.h"
#include "frames.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace ir {

// Microseconds per unit of a stored gap or period.
constexpr int kGapUnit = 10;

struct SequenceEntry {
    std::size_t frame; // index into the distinct frames (while planning: the captured frame)
    int timing;        // stored units
    unsigned count;
    bool period = false;
};

struct Sequence {
    std::vector<SequenceEntry> entries;
    std::size_t repeatFrom = 0; // an entry index; entries.size() when nothing repeats
    unsigned leastCycles = 1;   // the repeating part goes out at least this often
};

// A gap in microseconds as its stored value (15 bits).
unsigned storedGap(int micros);

// Whether a receiver takes two stored gaps for one another.
bool sameStoredGap(int a, int b);

// Plans the sequence of `frameCount` captured frames, `gaps` the stored gap after each (0 after
// the last) and `same(a, b)` whether two of them are one frame: the frames from the start of the
// capture's final repetition of one to four frames (seen at least twice) become the repeating
// part, the frames before it the lead-in; a capture with no such repetition repeats nothing.
template <typename Same>
Sequence planSequence(std::size_t frameCount, const std::vector<int>& gaps, Same same);

void writeSequence(ByteWriter& w, const Sequence& sequence, const std::vector<std::size_t>& storedFrame);

// The stored sequence; `withRepeat` for codes that hold the repeating part and periods.
Sequence readSequence(ByteReader& r, bool withRepeat);

// The transmission the sequence makes of the distinct frames; no frames when an entry names a
// frame that is not there.
Transmission expandSequence(const std::vector<std::vector<int>>& distinct, const Sequence& sequence);

// ---- planning ----

namespace sequence_detail {

constexpr std::size_t kLongestCycle = 4;

// Folds frames [first, last) in a row into entries as long as they are one frame and the gap
// after each agrees; the very last frame's gap (none) goes with any.
template <typename Same>
void appendRuns(std::vector<SequenceEntry>& entries, std::size_t first, std::size_t last,
                std::size_t frameCount, const std::vector<int>& gaps, Same same) {
    for (std::size_t i = first; i < last; ++i) {
        const bool final = i + 1 == frameCount;
        if (i > first && same(entries.back().frame, i) && entries.back().count < 255 &&
            (final || sameStoredGap(entries.back().timing, gaps[i]))) {
            ++entries.back().count;
            continue;
        }
        entries.push_back({i, gaps[i], 1});
    }
}

} // namespace sequence_detail

template <typename Same>
Sequence planSequence(std::size_t frameCount, const std::vector<int>& gaps, Same same) {
    using sequence_detail::kLongestCycle;
    // The earliest start from which the capture repeats one cycle to its end, the shortest cycle first.
    std::size_t bestStart = frameCount, bestLength = 0;
    for (std::size_t length = 1; length <= kLongestCycle && length <= frameCount; ++length) {
        // Going back from the last cycle, as long as each frame is the one a cycle later.
        std::size_t start = frameCount - length;
        while (start > 0) {
            const std::size_t i = start - 1;
            if (!same(i, i + length))
                break;
            if (i + length + 1 < frameCount && !sameStoredGap(gaps[i], gaps[i + length]))
                break;
            start = i;
        }
        if (frameCount - start >= 2 * length && start < bestStart) {
            bestStart = start;
            bestLength = length;
        }
    }
    Sequence sequence;
    if (bestLength == 0) {
        sequence_detail::appendRuns(sequence.entries, 0, frameCount, frameCount, gaps, same);
        sequence.repeatFrom = sequence.entries.size();
        return sequence;
    }
    sequence_detail::appendRuns(sequence.entries, 0, bestStart, frameCount, gaps, same);
    sequence.repeatFrom = sequence.entries.size();
    for (std::size_t i = bestStart; i < bestStart + bestLength; ++i)
        sequence.entries.push_back({i, gaps[i], 1});
    sequence.leastCycles =
        static_cast<unsigned>(std::min<std::size_t>((frameCount - bestStart) / bestLength, 255));
    return sequence;
}

} // namespace ir
