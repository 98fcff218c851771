#include "rawformat.h"

#include "durationtable.h"
#include "framesequence.h"

#include <algorithm>

namespace ir {

std::vector<std::uint8_t> writeRaw(const std::vector<Frame>& frames, std::optional<Protocol> protocol) {
    std::vector<int> all;
    for (const Frame& f : frames)
        all.insert(all.end(), f.durations.begin(), f.durations.end());
    const DurationTable table(all, false);
    if (table.size() > kMostTableEntries)
        return {};
    const bool nibbles = table.size() <= 16;
    std::vector<std::vector<std::uint8_t>> distinct;
    std::vector<std::size_t> frameOf;
    std::vector<int> gaps;
    for (const Frame& f : frames) {
        std::vector<std::uint8_t> indexes;
        for (int d : f.durations)
            indexes.push_back(static_cast<std::uint8_t>(table.indexOf(d)));
        const auto found = std::find(distinct.begin(), distinct.end(), indexes);
        frameOf.push_back(static_cast<std::size_t>(found - distinct.begin()));
        if (found == distinct.end())
            distinct.push_back(std::move(indexes));
        gaps.push_back(static_cast<int>(storedGap(f.gapAfter)));
    }
    if (distinct.size() > 255 || frames.size() > 255)
        return {};
    const Sequence sequence = planSequence(
        frames.size(), gaps, [&](std::size_t a, std::size_t b) { return frameOf[a] == frameOf[b]; });
    ByteWriter w;
    w.u8(kRawTag);
    w.u8(protocol ? static_cast<unsigned>(*protocol) : 0);
    w.u8(static_cast<unsigned>(table.size()));
    for (std::size_t i = 0; i < table.size(); ++i)
        w.u16(static_cast<unsigned>(std::min(table.value(i), 0xFFFF)));
    w.u8(static_cast<unsigned>(distinct.size()));
    for (const auto& indexes : distinct) {
        w.u16(static_cast<unsigned>(indexes.size()));
        for (std::size_t i = 0; i < indexes.size(); i += nibbles ? 2 : 1) {
            if (!nibbles)
                w.u8(indexes[i]);
            else
                w.u8(static_cast<unsigned>(indexes[i] << 4 | (i + 1 < indexes.size() ? indexes[i + 1] : 0)));
        }
    }
    writeSequence(w, sequence, frameOf);
    return w.take();
}

std::optional<RawCode> readRaw(std::span<const std::uint8_t> code) {
    ByteReader r(code);
    const unsigned tag = r.u8();
    if (tag != kRawTag && tag != kFirstRawTag)
        return std::nullopt;
    RawCode raw;
    raw.protocolNumber = r.u8();
    const unsigned tableSize = r.u8();
    if (tableSize == 0)
        return std::nullopt;
    std::vector<int> table;
    for (unsigned i = 0; i < tableSize; ++i)
        table.push_back(static_cast<int>(std::max(r.u16(), 1u)));
    const bool nibbles = tableSize <= 16;
    std::vector<std::vector<int>> distinct(r.u8());
    for (auto& frame : distinct) {
        const unsigned n = r.u16();
        unsigned byte = 0;
        for (unsigned i = 0; i < n && r.ok(); ++i) {
            unsigned index = 0;
            if (!nibbles) {
                index = r.u8();
            } else {
                if (i % 2 == 0)
                    byte = r.u8();
                index = i % 2 == 0 ? byte >> 4 : byte & 15;
            }
            if (index >= table.size())
                return std::nullopt;
            frame.push_back(table[index]);
        }
        if (frame.empty() || frame.size() % 2 == 0)
            return std::nullopt;
    }
    const Sequence sequence = readSequence(r, tag == kRawTag);
    if (!r.ok() || sequence.entries.empty())
        return std::nullopt;
    raw.transmission = expandSequence(distinct, sequence);
    if (raw.transmission.frames.empty())
        return std::nullopt;
    return raw;
}

} // namespace ir
