#include "framesequence.h"

#include <algorithm>
#include <numeric>

namespace ir {

namespace {

constexpr unsigned kPeriodFlag = 0x8000;
constexpr int kLongestTiming = 0x7FFF;

} // namespace

unsigned storedGap(int micros) {
    return static_cast<unsigned>(std::clamp((micros + kGapUnit / 2) / kGapUnit, 0, kLongestTiming));
}

bool sameStoredGap(int a, int b) { return sameDuration(a * kGapUnit, b * kGapUnit); }

void writeSequence(ByteWriter& w, const Sequence& sequence, const std::vector<std::size_t>& storedFrame) {
    w.u8(static_cast<unsigned>(sequence.entries.size()));
    w.u8(static_cast<unsigned>(sequence.repeatFrom));
    w.u8(sequence.leastCycles);
    for (const SequenceEntry& e : sequence.entries) {
        w.u8(static_cast<unsigned>(storedFrame[e.frame]));
        w.u16(static_cast<unsigned>(std::clamp(e.timing, 0, kLongestTiming)) | (e.period ? kPeriodFlag : 0));
        w.u8(e.count);
    }
}

Sequence readSequence(ByteReader& r, bool withRepeat) {
    Sequence sequence;
    sequence.entries.resize(r.u8());
    sequence.repeatFrom = withRepeat ? r.u8() : std::max<std::size_t>(sequence.entries.size(), 1) - 1;
    sequence.leastCycles = withRepeat ? r.u8() : 1;
    for (SequenceEntry& e : sequence.entries) {
        e.frame = r.u8();
        const unsigned timing = r.u16();
        e.period = withRepeat && (timing & kPeriodFlag) != 0;
        e.timing = static_cast<int>(withRepeat ? timing & ~kPeriodFlag : timing);
        e.count = r.u8();
    }
    return sequence;
}

Transmission expandSequence(const std::vector<std::vector<int>>& distinct, const Sequence& sequence) {
    Transmission t;
    t.carrierHz = kDefaultCarrierHz;
    if (sequence.repeatFrom > sequence.entries.size())
        return {};
    for (std::size_t n = 0; n < sequence.entries.size(); ++n) {
        const SequenceEntry& e = sequence.entries[n];
        if (e.frame >= distinct.size())
            return {};
        if (n == sequence.repeatFrom)
            t.repeatFrom = t.frames.size();
        const std::vector<int>& durations = distinct[e.frame];
        int gap = e.timing * kGapUnit;
        if (e.period) {
            // The frame's own length comes off the period: never so much that the frames run together.
            const int length = std::accumulate(durations.begin(), durations.end(), 0);
            gap = std::max(gap - length, kFrameGapMicros);
        }
        for (unsigned k = 0; k < e.count; ++k)
            t.frames.push_back(Frame{durations, gap});
    }
    if (sequence.repeatFrom == sequence.entries.size())
        t.repeatFrom = t.frames.size();
    const std::size_t cycleFrames = t.frames.size() - t.repeatFrom;
    t.minimumFrames = t.repeatFrom + cycleFrames * std::max(sequence.leastCycles, 1u);
    return t;
}

} // namespace ir
