#include "framesequence.h"

#include <algorithm>

namespace ir {

unsigned storedGap(int micros) {
    return static_cast<unsigned>(std::clamp((micros + kGapUnit / 2) / kGapUnit, 0, 0xFFFF));
}

bool sameStoredGap(int a, int b) { return sameDuration(a * kGapUnit, b * kGapUnit); }

std::vector<SequenceEntry> readSequence(ByteReader& r) {
    std::vector<SequenceEntry> entries(r.u8());
    for (SequenceEntry& e : entries) {
        e.frame = r.u8();
        e.gap = static_cast<int>(r.u16()) * kGapUnit;
        e.count = r.u8();
    }
    return entries;
}

Transmission expandSequence(const std::vector<std::vector<int>>& distinct,
                            const std::vector<SequenceEntry>& entries) {
    Transmission t;
    t.carrierHz = kDefaultCarrierHz;
    for (const SequenceEntry& e : entries) {
        if (e.frame >= distinct.size())
            return {};
        if (&e == &entries.back())
            t.repeatFrom = t.frames.size();
        for (unsigned k = 0; k < e.count; ++k)
            t.frames.push_back(Frame{distinct[e.frame], e.gap});
    }
    t.minimumFrames = t.frames.size();
    return t;
}

} // namespace ir
