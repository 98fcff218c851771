#include "storedcode.h"

#include "model/hextext.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace ir {

namespace {

constexpr std::uint8_t kPulseTemplate = 'P';
constexpr std::uint8_t kRawCode = 'R';
constexpr std::size_t kParameterBits = 8 * (kParameterBytes - 1);
constexpr std::size_t kMostTableEntries = 255;
constexpr int kGapUnit = 10; // microseconds per unit of a stored gap
constexpr int kGridStart = 100;
constexpr double kGridRatio = 1.1;

class ByteWriter {
public:
    void u8(unsigned v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads the front of a stored code; every read past its end fails the whole code.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    unsigned u8() {
        if (at_ >= bytes_.size()) {
            ok_ = false;
            return 0;
        }
        return bytes_[at_++];
    }
    unsigned u16() {
        const unsigned low = u8();
        return low | u8() << 8;
    }
    bool ok() const { return ok_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

Identity hashIdentity(const std::vector<std::uint8_t>& data) {
    std::uint32_t h = 2166136261u;
    for (std::uint8_t b : data)
        h = (h ^ b) * 16777619u;
    return {static_cast<std::uint8_t>(kFirstStoredIdentity + (h >> 24) % (256 - kFirstStoredIdentity)),
            static_cast<std::uint8_t>(h >> 16), static_cast<std::uint8_t>(h >> 8)};
}

unsigned storedGap(int micros) { return static_cast<unsigned>(std::clamp((micros + kGapUnit / 2) / kGapUnit, 0, 0xFFFF)); }

// Groups of durations close enough that one value stands for all of them at a receiver.
class DurationTable {
public:
    // `step` rounds each group's value so that keys of one remote tend to the same table.
    DurationTable(std::vector<int> values, bool rounded) {
        std::sort(values.begin(), values.end());
        std::size_t i = 0;
        while (i < values.size()) {
            const int start = values[i];
            std::size_t j = i;
            while (j < values.size() && values[j] - start <= std::max(50, start / 8))
                ++j;
            int value = (start + values[j - 1]) / 2;
            if (rounded)
                value = roundForSharing(value);
            groups_.push_back({start, values[j - 1], std::max(value, 1)});
            i = j;
        }
    }
    std::size_t size() const { return groups_.size(); }
    int value(std::size_t index) const { return groups_[index].value; }
    std::size_t indexOf(int v) const {
        for (std::size_t i = 0; i < groups_.size(); ++i)
            if (v >= groups_[i].low && v <= groups_[i].high)
                return i;
        return 0;
    }

    // The nearest point of a grid 10 % apart: within 5 % of the value, and the same point for
    // the same duration of another key of the remote unless it lies near the middle between two.
    static int roundForSharing(int v) {
        if (v < kGridStart)
            return v;
        const double step = std::round(std::log(v / static_cast<double>(kGridStart)) / std::log(kGridRatio));
        return static_cast<int>(std::lround(kGridStart * std::pow(kGridRatio, step)));
    }

private:
    struct Group {
        int low, high, value;
    };
    std::vector<Group> groups_;
};

// ---- frames repeated in a row are kept once with a count ----

struct Entry {
    std::size_t frame; // index into the distinct frames
    int gap;
    unsigned count;
};

template <typename Same>
std::vector<Entry> runsOf(std::size_t frameCount, const std::vector<int>& gaps, Same same) {
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < frameCount; ++i) {
        if (!entries.empty() && same(entries.back().frame, i) && entries.back().count < 255 &&
            (entries.back().count == 1 || entries.back().gap == gaps[i - 1])) {
            entries.back().gap = gaps[i - 1];
            ++entries.back().count;
            continue;
        }
        entries.push_back({i, gaps[i], 1});
    }
    return entries;
}

Transmission expand(const std::vector<std::vector<int>>& distinct, const std::vector<Entry>& entries) {
    Transmission t;
    t.carrierHz = kDefaultCarrierHz;
    for (const Entry& e : entries) {
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

// ---- raw: the durations through a table, the frames as they came ----

// `protocol` names a protocol recognised in the first frame whose preset would not sound the same:
// its data then rides in the key's parameters, for showing what the key is.
std::vector<std::uint8_t> rawCode(const std::vector<Frame>& frames, std::optional<Protocol> protocol) {
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
    const auto entries = runsOf(frames.size(), gaps, [&](std::size_t a, std::size_t b) { return frameOf[a] == frameOf[b]; });
    ByteWriter w;
    w.u8(kRawCode);
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
    w.u8(static_cast<unsigned>(entries.size()));
    for (const Entry& e : entries) {
        w.u8(static_cast<unsigned>(frameOf[e.frame]));
        w.u16(static_cast<unsigned>(e.gap));
        w.u8(e.count);
    }
    return w.take();
}

// The stored sequence of frames: how many entries, then for each its frame, gap and count.
std::vector<Entry> readEntries(ByteReader& r) {
    std::vector<Entry> entries(r.u8());
    for (Entry& e : entries) {
        e.frame = r.u8();
        e.gap = static_cast<int>(r.u16()) * kGapUnit;
        e.count = r.u8();
    }
    return entries;
}

std::optional<Transmission> playRaw(ByteReader& r) {
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
    std::vector<Entry> entries = readEntries(r);
    if (!r.ok() || entries.empty())
        return std::nullopt;
    Transmission t = expand(distinct, entries);
    if (t.frames.empty())
        return std::nullopt;
    return t;
}

// ---- pulse template: a remote's timing and frame shapes; each key's bits in its parameters ----

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

struct TemplateCode {
    std::vector<std::uint8_t> data;
    Parameters parameters{};
};

int meanRounded(const std::vector<int>& v) {
    long sum = 0;
    for (int x : v)
        sum += x;
    const int mean = static_cast<int>(sum / static_cast<long>(std::max<std::size_t>(v.size(), 1)));
    return std::max(1, DurationTable::roundForSharing(mean));
}

std::optional<TemplateCode> pulseTemplate(const std::vector<Frame>& frames) {
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
            const auto symbol = isPair ? std::pair{markGroups.indexOf(f.durations[i]), spaceGroups.indexOf(f.durations[i + 1])}
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
            const std::pair symbol{markGroups.indexOf(f.durations[i]), spaceGroups.indexOf(f.durations[i + 1])};
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
    const auto entries = runsOf(frames.size(), gaps, [&](std::size_t a, std::size_t b) {
        return shapeOf[a] == shapeOf[b] && bitsOf[a] == bitsOf[b];
    });
    std::vector<bool> stream;
    for (const Entry& e : entries)
        stream.insert(stream.end(), bitsOf[e.frame].begin(), bitsOf[e.frame].end());
    if (stream.size() > kParameterBits)
        return std::nullopt;

    ByteWriter w;
    w.u8(kPulseTemplate);
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
    w.u8(static_cast<unsigned>(entries.size()));
    for (const Entry& e : entries) {
        w.u8(static_cast<unsigned>(shapeOf[e.frame]));
        w.u16(static_cast<unsigned>(e.gap));
        // The last run's length depends on how long the key was held: it goes with the key.
        w.u8(&e == &entries.back() ? 0 : e.count);
    }
    TemplateCode code;
    code.data = w.take();
    code.parameters[0] = static_cast<std::uint8_t>(entries.back().count);
    for (std::size_t i = 0; i < stream.size(); ++i)
        if (stream[i])
            code.parameters[1 + i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
    return code;
}

std::optional<Transmission> playTemplate(ByteReader& r, const Parameters& parameters) {
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
    std::vector<Entry> entries = readEntries(r);
    if (!r.ok() || entries.empty() || timing.zeroMark <= 0 || timing.zeroSpace <= 0 || timing.oneMark <= 0 ||
        timing.oneSpace <= 0)
        return std::nullopt;
    entries.back().count = std::max<unsigned>(parameters[0], 1);
    std::size_t nextBit = 0;
    std::vector<std::vector<int>> distinct;
    for (Entry& e : entries) {
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
                    const bool one = (parameters[1 + nextBit / 8] >> (nextBit % 8)) & 1;
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
    Transmission t = expand(distinct, entries);
    if (t.frames.empty())
        return std::nullopt;
    return t;
}

std::string hexOf(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes)
        text += model::formatHex(b, 2);
    return text;
}

} // namespace

bool isPresetIdentity(const Identity& identity) {
    return identity[0] < kFirstStoredIdentity && identity[1] == 0 && identity[2] == 0;
}

std::optional<Conversion> convertFrames(const std::vector<Frame>& capturedFrames) {
    const std::vector<Frame> frames = withoutFragments(capturedFrames);
    if (frames.empty())
        return std::nullopt;
    const std::vector<ProtocolCode> codes = recognise(frames);
    for (const ProtocolCode& code : codes) {
        if (!faithful(protocolTransmission(code), frames))
            continue;
        Conversion c;
        c.identity = {static_cast<std::uint8_t>(code.protocol), 0, 0};
        c.parameters = packParameters(code);
        c.kind = protocolName(code.protocol);
        return c;
    }
    const auto stored = [](std::vector<std::uint8_t> data, const Parameters& parameters, const char* kind) {
        Conversion c;
        c.identity = hashIdentity(data);
        c.codeData = std::move(data);
        c.parameters = parameters;
        c.kind = kind;
        return c;
    };
    if (auto code = codes.empty() ? pulseTemplate(frames) : std::nullopt) {
        const auto played = playKey(hashIdentity(code->data), code->data, code->parameters);
        if (played && faithful(played->transmission, frames))
            return stored(std::move(code->data), code->parameters, "pulse template");
    }
    const std::optional<Protocol> protocol =
        codes.empty() ? std::nullopt : std::optional<Protocol>(codes.front().protocol);
    auto raw = rawCode(frames, protocol);
    if (raw.empty())
        return std::nullopt;
    const Parameters parameters = codes.empty() ? Parameters{} : packParameters(codes.front());
    const auto played = playKey(hashIdentity(raw), raw, parameters);
    if (!played || !faithful(played->transmission, frames))
        return std::nullopt;
    return stored(std::move(raw), parameters, "raw");
}

std::string answerText(const Conversion& c) {
    const std::span<const std::uint8_t> p(c.parameters);
    return hexOf(c.identity) + "::" + hexOf(p.first(8)) + ":" + hexOf(p.subspan(8)) + ":::" + hexOf(c.codeData);
}

std::string convertBody(std::string_view body) {
    const auto frames = parseEncodedBody(body);
    if (!frames)
        return {};
    const auto conversion = convertFrames(*frames);
    return conversion ? answerText(*conversion) : std::string();
}

std::optional<PlayedKey> playKey(const Identity& identity, std::span<const std::uint8_t> codeData,
                                 const Parameters& parameters) {
    PlayedKey key;
    if (isPresetIdentity(identity)) {
        const auto protocol = protocolFromNumber(identity[0]);
        if (!protocol)
            return std::nullopt;
        const auto code = unpackParameters(*protocol, parameters);
        if (!code)
            return std::nullopt;
        key.transmission = protocolTransmission(*code);
        key.protocol = code;
        key.kind = protocolName(*protocol);
        return key;
    }
    ByteReader r(codeData);
    const unsigned format = r.u8();
    std::optional<Transmission> t;
    if (format == kRawCode) {
        const unsigned protocolNumber = r.u8();
        if (protocolNumber != 0) {
            const auto protocol = protocolFromNumber(protocolNumber);
            key.protocol = protocol ? unpackParameters(*protocol, parameters) : std::nullopt;
            if (!key.protocol)
                return std::nullopt;
        }
        t = playRaw(r);
        key.kind = "raw";
    } else if (format == kPulseTemplate) {
        t = playTemplate(r, parameters);
        key.kind = "pulse template";
    }
    if (!t)
        return std::nullopt;
    key.transmission = std::move(*t);
    return key;
}

} // namespace ir
