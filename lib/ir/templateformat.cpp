#include "templateformat.h"

#include "bytestream.h"
#include "durationtable.h"
#include "framesequence.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace ir {

namespace {

// Byte 0 of the key's parameters held the last run's length in the first codes of this format.
constexpr std::size_t kFirstBitByte = 1;
constexpr std::size_t kParameterBits = 8 * (kParameterBytes - kFirstBitByte);
constexpr int kUntimedGapMicros = 20000;

// The period from frame start to frame start that every frame of the capture keeps, when all
// gaps are long enough that receivers do not time them: stored instead of gaps, it lets keys of
// one remote whose frames differ in length share the template.
std::optional<int> commonPeriod(const std::vector<Frame>& frames) {
    std::vector<int> periods, lengths;
    for (std::size_t i = 0; i + 1 < frames.size(); ++i) {
        if (frames[i].gapAfter < kUntimedGapMicros)
            return std::nullopt;
        const auto& d = frames[i].durations;
        lengths.push_back(std::accumulate(d.begin(), d.end(), 0));
        periods.push_back(lengths.back() + frames[i].gapAfter);
    }
    if (periods.empty())
        return std::nullopt;
    // Only frames of clearly different lengths that still start a period apart tell a period
    // from a gap.
    const auto [shortest, longest] = std::minmax_element(lengths.begin(), lengths.end());
    const auto [low, high] = std::minmax_element(periods.begin(), periods.end());
    if (*longest - *shortest < kUntimedGapMicros / 4 || *high - *low > *high / 50)
        return std::nullopt;
    return DurationTable::roundForSharing((*low + *high) / 2);
}

enum ItemKind : std::uint8_t { BitRun = 0, LiteralPair = 1, ClosingMark = 2 };

struct Item {
    ItemKind kind;
    unsigned a = 0, b = 0; // run length, or the table indexes of mark and space
    bool operator==(const Item&) const = default;
};

struct BitTiming {
    int zeroMark = 0, zeroSpace = 0, oneMark = 0, oneSpace = 0;
};

using Shape = std::vector<Item>;

int meanRounded(const std::vector<int>& v) {
    long sum = 0;
    for (int x : v)
        sum += x;
    const int mean = static_cast<int>(sum / static_cast<long>(std::max<std::size_t>(v.size(), 1)));
    return std::max(1, DurationTable::roundForSharing(mean));
}

} // namespace

std::optional<TemplateCode> writeTemplate(const std::vector<Frame>& frames) {
    std::vector<int> marks, spaces;
    for (const Frame& f : frames)
        for (std::size_t i = 0; i + 1 < f.durations.size(); i += 2) {
            marks.push_back(f.durations[i]);
            spaces.push_back(f.durations[i + 1]);
        }
    const DurationTable markGroups(marks, false), spaceGroups(spaces, false);
    std::map<std::pair<std::size_t, std::size_t>, std::vector<std::size_t>> symbols;
    for (std::size_t i = 0; i < marks.size(); ++i)
        symbols[{markGroups.indexOf(marks[i]), spaceGroups.indexOf(spaces[i])}].push_back(i);
    if (symbols.size() < 2)
        return std::nullopt;
    std::vector<std::pair<std::size_t, std::pair<std::size_t, std::size_t>>> bySize;
    for (const auto& [symbol, members] : symbols)
        bySize.push_back({members.size(), symbol});
    std::sort(bySize.rbegin(), bySize.rend());
    if (bySize[0].first + bySize[1].first < 8)
        return std::nullopt;
    const auto timingOf = [&](std::pair<std::size_t, std::size_t> symbol) {
        std::vector<int> m, s;
        for (std::size_t i : symbols[symbol]) {
            m.push_back(marks[i]);
            s.push_back(spaces[i]);
        }
        return std::pair{meanRounded(m), meanRounded(s)};
    };
    auto zero = timingOf(bySize[0].second), one = timingOf(bySize[1].second);
    auto zeroSymbol = bySize[0].second, oneSymbol = bySize[1].second;
    if (one.first + one.second < zero.first + zero.second) {
        std::swap(zero, one);
        std::swap(zeroSymbol, oneSymbol);
    }
    const BitTiming timing{zero.first, zero.second, one.first, one.second};

    std::vector<int> literals;
    for (const Frame& f : frames)
        for (std::size_t i = 0; i < f.durations.size(); i += 2) {
            const bool isPair = i + 1 < f.durations.size();
            const auto symbol = isPair ? std::pair{markGroups.indexOf(f.durations[i]),
                                                   spaceGroups.indexOf(f.durations[i + 1])}
                                       : std::pair<std::size_t, std::size_t>{};
            if (!isPair || (symbol != zeroSymbol && symbol != oneSymbol)) {
                literals.push_back(f.durations[i]);
                if (isPair)
                    literals.push_back(f.durations[i + 1]);
            }
        }
    const DurationTable literalTable(literals, true);
    if (literalTable.size() > kMostTableEntries)
        return std::nullopt;

    std::vector<Shape> shapes;
    std::vector<std::size_t> shapeOf;
    std::vector<std::vector<bool>> bitsOf;
    std::vector<int> gaps;
    for (const Frame& f : frames) {
        Shape shape;
        std::vector<bool> bits;
        for (std::size_t i = 0; i < f.durations.size(); i += 2) {
            if (i + 1 >= f.durations.size()) {
                shape.push_back({ClosingMark, static_cast<unsigned>(literalTable.indexOf(f.durations[i]))});
                continue;
            }
            const std::pair symbol{markGroups.indexOf(f.durations[i]),
                                   spaceGroups.indexOf(f.durations[i + 1])};
            if (symbol == zeroSymbol || symbol == oneSymbol) {
                bits.push_back(symbol == oneSymbol);
                if (!shape.empty() && shape.back().kind == BitRun && shape.back().a < 255)
                    ++shape.back().a;
                else
                    shape.push_back({BitRun, 1});
                continue;
            }
            shape.push_back({LiteralPair, static_cast<unsigned>(literalTable.indexOf(f.durations[i])),
                             static_cast<unsigned>(literalTable.indexOf(f.durations[i + 1]))});
        }
        const auto found = std::find(shapes.begin(), shapes.end(), shape);
        shapeOf.push_back(static_cast<std::size_t>(found - shapes.begin()));
        if (found == shapes.end())
            shapes.push_back(std::move(shape));
        bitsOf.push_back(std::move(bits));
        const int gap = f.gapAfter ? DurationTable::roundForSharing(f.gapAfter) : 0;
        gaps.push_back(static_cast<int>(storedGap(std::max(gap, f.gapAfter ? kGapUnit : 0))));
    }
    if (shapes.size() > 255 || frames.size() > 255)
        return std::nullopt;
    Sequence sequence = planSequence(frames.size(), gaps, [&](std::size_t a, std::size_t b) {
        return shapeOf[a] == shapeOf[b] && bitsOf[a] == bitsOf[b];
    });
    if (const auto period = commonPeriod(frames)) {
        for (SequenceEntry& e : sequence.entries) {
            e.timing = static_cast<int>(storedGap(*period));
            e.period = true;
        }
    }
    std::vector<bool> stream;
    for (const SequenceEntry& e : sequence.entries)
        stream.insert(stream.end(), bitsOf[e.frame].begin(), bitsOf[e.frame].end());
    if (stream.size() > kParameterBits)
        return std::nullopt;

    ByteWriter w;
    w.u8(kTemplateTag);
    w.u16(static_cast<unsigned>(timing.zeroMark));
    w.u16(static_cast<unsigned>(timing.zeroSpace));
    w.u16(static_cast<unsigned>(timing.oneMark));
    w.u16(static_cast<unsigned>(timing.oneSpace));
    w.u8(static_cast<unsigned>(literalTable.size()));
    for (std::size_t i = 0; i < literalTable.size(); ++i)
        w.u16(static_cast<unsigned>(std::min(literalTable.value(i), 0xFFFF)));
    w.u8(static_cast<unsigned>(shapes.size()));
    for (const Shape& shape : shapes) {
        w.u8(static_cast<unsigned>(shape.size()));
        for (const Item& item : shape) {
            w.u8(item.kind);
            w.u8(item.a);
            if (item.kind == LiteralPair)
                w.u8(item.b);
        }
    }
    // How often the repeating part went out depends on how long the key was held: it goes with
    // the key, so keys of one remote share the template.
    const unsigned leastCycles = sequence.leastCycles;
    sequence.leastCycles = 0;
    writeSequence(w, sequence, shapeOf);
    TemplateCode code;
    code.data = w.take();
    code.parameters[0] = static_cast<std::uint8_t>(leastCycles);
    for (std::size_t i = 0; i < stream.size(); ++i)
        if (stream[i])
            code.parameters[kFirstBitByte + i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    return code;
}

std::optional<Transmission> readTemplate(std::span<const std::uint8_t> code, const Parameters& parameters) {
    ByteReader r(code);
    const unsigned tag = r.u8();
    if (tag != kTemplateTag && tag != kFirstTemplateTag)
        return std::nullopt;
    BitTiming timing;
    timing.zeroMark = static_cast<int>(r.u16());
    timing.zeroSpace = static_cast<int>(r.u16());
    timing.oneMark = static_cast<int>(r.u16());
    timing.oneSpace = static_cast<int>(r.u16());
    std::vector<int> literals(r.u8());
    for (int& v : literals)
        v = static_cast<int>(std::max(r.u16(), 1u));
    std::vector<Shape> shapes(r.u8());
    for (Shape& shape : shapes) {
        shape.resize(r.u8());
        for (Item& item : shape) {
            const unsigned kind = r.u8();
            if (kind > ClosingMark)
                return std::nullopt;
            item.kind = static_cast<ItemKind>(kind);
            item.a = r.u8();
            if (item.kind == LiteralPair)
                item.b = r.u8();
            if (item.kind != BitRun && (item.a >= literals.size() || item.b >= literals.size()))
                return std::nullopt;
        }
    }
    Sequence sequence = readSequence(r, tag == kTemplateTag);
    if (!r.ok() || sequence.entries.empty() || timing.zeroMark <= 0 || timing.zeroSpace <= 0 ||
        timing.oneMark <= 0 || timing.oneSpace <= 0)
        return std::nullopt;
    // The key keeps how often its last run (codes stored before the repeating part) or its
    // repeating part goes out.
    if (tag == kFirstTemplateTag)
        sequence.entries.back().count = std::max<unsigned>(parameters[0], 1);
    else if (sequence.leastCycles == 0)
        sequence.leastCycles = std::max<unsigned>(parameters[0], 1);
    std::size_t nextBit = 0;
    std::vector<std::vector<int>> distinct;
    for (SequenceEntry& e : sequence.entries) {
        if (e.frame >= shapes.size())
            return std::nullopt;
        std::vector<int> d;
        for (const Item& item : shapes[e.frame]) {
            if (item.kind == ClosingMark) {
                d.push_back(literals[item.a]);
            } else if (item.kind == LiteralPair) {
                d.push_back(literals[item.a]);
                d.push_back(literals[item.b]);
            } else {
                for (unsigned k = 0; k < item.a; ++k, ++nextBit) {
                    if (nextBit >= kParameterBits)
                        return std::nullopt;
                    const bool one = (parameters[kFirstBitByte + nextBit / 8] >> (nextBit % 8)) & 1;
                    d.push_back(one ? timing.oneMark : timing.zeroMark);
                    d.push_back(one ? timing.oneSpace : timing.zeroSpace);
                }
            }
        }
        if (d.empty() || d.size() % 2 == 0)
            return std::nullopt;
        distinct.push_back(std::move(d));
        e.frame = distinct.size() - 1;
    }
    Transmission t = expandSequence(distinct, sequence);
    if (t.frames.empty())
        return std::nullopt;
    return t;
}

} // namespace ir
