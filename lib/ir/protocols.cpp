#include "protocols.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ir {

namespace {

enum class Coding { Pulse, Biphase5, Biphase6 };

// A protocol's timing: header, the mark and space of a 0 and of a 1, a closing mark.
struct ProtocolTiming {
    Protocol protocol;
    const char* name;
    Coding coding;
    int headerMark, headerSpace;
    int zeroMark, zeroSpace, oneMark, oneSpace;
    bool stopMark;
    int bitCount;
    int carrierHz;
    int gapMicros; // after a frame, when the capture shows none
    RepeatForm repeat;
    int minimumFrames;
};

constexpr int kRc5Half = 889;
constexpr int kRc6Unit = 444;
constexpr int kRc5Bits = 14;
constexpr int kRc6Bits = 21; // start, three mode bits, toggle, 16 data bits

constexpr ProtocolTiming kTimings[] = {
    // clang-format off
    {Protocol::NEC, "NEC", Coding::Pulse, 9000, 4500, 560, 560, 560, 1690, true, 32, 38000, 40000, RepeatForm::RepeatCode, 1},
    {Protocol::NECext, "NECext", Coding::Pulse, 9000, 4500, 560, 560, 560, 1690, true, 32, 38000, 40000, RepeatForm::RepeatCode, 1},
    {Protocol::Samsung32, "Samsung32", Coding::Pulse, 4500, 4500, 560, 560, 560, 1690, true, 32, 38000, 47000, RepeatForm::SameFrame, 1},
    {Protocol::RC5, "RC5", Coding::Biphase5, 0, 0, 0, 0, 0, 0, false, kRc5Bits, 36000, 89000, RepeatForm::SameFrame, 1},
    {Protocol::RC6, "RC6", Coding::Biphase6, 2666, 889, 0, 0, 0, 0, false, kRc6Bits, 36000, 83000, RepeatForm::SameFrame, 1},
    {Protocol::SIRC, "SIRC", Coding::Pulse, 2400, 600, 600, 600, 1200, 600, false, 12, 40000, 25000, RepeatForm::SameFrame, 3},
    {Protocol::SIRC15, "SIRC15", Coding::Pulse, 2400, 600, 600, 600, 1200, 600, false, 15, 40000, 22000, RepeatForm::SameFrame, 3},
    {Protocol::SIRC20, "SIRC20", Coding::Pulse, 2400, 600, 600, 600, 1200, 600, false, 20, 40000, 13000, RepeatForm::SameFrame, 3},
    {Protocol::JVC, "JVC", Coding::Pulse, 8400, 4200, 525, 525, 525, 1575, true, 16, 38000, 22000, RepeatForm::WithoutHeader, 1},
    {Protocol::Kaseikyo, "Kaseikyo", Coding::Pulse, 3456, 1728, 432, 432, 432, 1296, true, 48, 37000, 74000, RepeatForm::SameFrame, 1},
    {Protocol::Sharp, "Sharp", Coding::Pulse, 0, 0, 320, 680, 320, 1680, true, 15, 38000, 40000, RepeatForm::InvertedPair, 2},
    {Protocol::RCA, "RCA", Coding::Pulse, 4000, 4000, 500, 1000, 500, 2000, true, 24, 56000, 8000, RepeatForm::SameFrame, 1},
    {Protocol::Pioneer, "Pioneer", Coding::Pulse, 8500, 4250, 560, 560, 560, 1690, true, 32, 40000, 26000, RepeatForm::SameFrame, 1},
    {Protocol::Denon, "Denon", Coding::Pulse, 0, 0, 260, 780, 260, 1820, true, 15, 38000, 65000, RepeatForm::InvertedPair, 2},
    // clang-format on
};

const ProtocolTiming& timingOf(Protocol protocol) {
    for (const ProtocolTiming& timing : kTimings)
        if (timing.protocol == protocol)
            return timing;
    return kTimings[0];
}

// A duration matches the protocol's when it is within 100 us or a quarter of it.
bool matches(int measured, int nominal) { return std::abs(measured - nominal) <= std::max(100, nominal / 4); }

std::uint64_t lowBits(int count) { return count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1; }

// ---- pulse codings: header, one mark and space per bit, maybe a closing mark ----

std::vector<int> pulseFrame(const ProtocolTiming& timing, int bitCount, std::uint64_t bits, bool header) {
    std::vector<int> d;
    if (header && timing.headerMark) {
        d.push_back(timing.headerMark);
        d.push_back(timing.headerSpace);
    }
    for (int i = 0; i < bitCount; ++i) {
        const bool one = bitAt(bits, i);
        d.push_back(one ? timing.oneMark : timing.zeroMark);
        d.push_back(one ? timing.oneSpace : timing.zeroSpace);
    }
    if (timing.stopMark)
        d.push_back(timing.zeroMark);
    else if (!d.empty())
        d.pop_back(); // the last bit's space is the silence after the frame
    return d;
}

std::optional<std::uint64_t> readPulses(const ProtocolTiming& timing, int bitCount, const std::vector<int>& d,
                                        bool header) {
    const std::size_t first = header && timing.headerMark ? 2 : 0;
    const std::size_t expected = first + 2 * static_cast<std::size_t>(bitCount) + (timing.stopMark ? 1 : 0) -
                                 (timing.stopMark ? 0 : 1);
    if (d.size() != expected)
        return std::nullopt;
    if (first && (!matches(d[0], timing.headerMark) || !matches(d[1], timing.headerSpace)))
        return std::nullopt;
    std::uint64_t bits = 0;
    for (int i = 0; i < bitCount; ++i) {
        const std::size_t at = first + 2 * static_cast<std::size_t>(i);
        const int mark = d[at];
        const bool hasSpace = at + 1 < d.size();
        const int space = hasSpace ? d[at + 1] : 0;
        const bool zero = matches(mark, timing.zeroMark) && (!hasSpace || matches(space, timing.zeroSpace));
        const bool one = matches(mark, timing.oneMark) && (!hasSpace || matches(space, timing.oneSpace));
        if (zero == one)
            return std::nullopt;
        if (one)
            bits |= std::uint64_t{1} << i;
    }
    if (timing.stopMark && !matches(d.back(), timing.zeroMark))
        return std::nullopt;
    return bits;
}

// ---- biphase codings: each bit a half mark and a half space, in its own order ----

// Turns durations into levels of `unit` each: true for mark. nullopt when one is no whole
// number of units up to `most`.
std::optional<std::vector<bool>> unitLevels(const std::vector<int>& d, std::size_t from, int unit, int most) {
    std::vector<bool> levels;
    for (std::size_t i = from; i < d.size(); ++i) {
        int units = 0;
        for (int k = 1; k <= most; ++k)
            if (matches(d[i], k * unit))
                units = k;
        if (units == 0)
            return std::nullopt;
        levels.insert(levels.end(), static_cast<std::size_t>(units), i % 2 == 0);
    }
    return levels;
}

std::vector<int> levelDurations(const std::vector<bool>& levels, int unit) {
    std::vector<int> d;
    bool current = false;
    for (bool level : levels) {
        if (d.empty() || level != current) {
            if (d.empty() && !level)
                continue; // the frame starts with its first mark
            d.push_back(0);
            current = level;
        }
        d.back() += unit;
    }
    if (!d.empty() && !current)
        d.pop_back();
    return d;
}

// RC5: a 1 is space then mark; 14 bits from the first start bit on.
std::vector<bool> rc5Levels(std::uint64_t bits) {
    std::vector<bool> levels;
    for (int i = 0; i < kRc5Bits; ++i) {
        const bool one = bitAt(bits, i);
        levels.push_back(!one);
        levels.push_back(one);
    }
    return levels;
}

std::optional<std::uint64_t> readRc5(const std::vector<int>& d) {
    auto levels = unitLevels(d, 0, kRc5Half, 2);
    if (!levels)
        return std::nullopt;
    levels->insert(levels->begin(), false); // the start bit's half space is never seen
    if (levels->size() == 2 * kRc5Bits - 1)
        levels->push_back(false);
    if (levels->size() != 2 * kRc5Bits)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (int i = 0; i < kRc5Bits; ++i) {
        const bool first = (*levels)[2 * i], second = (*levels)[2 * i + 1];
        if (first == second)
            return std::nullopt;
        if (second)
            bits |= std::uint64_t{1} << i;
    }
    if (!bitAt(bits, 0))
        return std::nullopt;
    return bits;
}

// RC6: leader, then a 1 is mark then space; the fifth bit (the toggle) lasts twice as long.
std::vector<bool> rc6Levels(std::uint64_t bits) {
    std::vector<bool> levels(6, true);
    levels.insert(levels.end(), 2, false);
    for (int i = 0; i < kRc6Bits; ++i) {
        const bool one = bitAt(bits, i);
        const std::size_t width = i == 4 ? 2 : 1;
        levels.insert(levels.end(), width, one);
        levels.insert(levels.end(), width, !one);
    }
    return levels;
}

std::optional<std::uint64_t> readRc6(const std::vector<int>& d) {
    if (d.size() < 3 || !matches(d[0], 6 * kRc6Unit) || !matches(d[1], 2 * kRc6Unit))
        return std::nullopt;
    auto levels = unitLevels(d, 2, kRc6Unit, 3);
    if (!levels)
        return std::nullopt;
    constexpr std::size_t kUnits = 2 * kRc6Bits + 2;
    if (levels->size() == kUnits - 1)
        levels->push_back(false);
    if (levels->size() != kUnits)
        return std::nullopt;
    std::uint64_t bits = 0;
    std::size_t at = 0;
    for (int i = 0; i < kRc6Bits; ++i) {
        const std::size_t width = i == 4 ? 2 : 1;
        const bool first = (*levels)[at], second = (*levels)[at + width];
        if (first == second || (width == 2 && ((*levels)[at + 1] != first || (*levels)[at + 3] != second)))
            return std::nullopt;
        if (first)
            bits |= std::uint64_t{1} << i;
        at += 2 * width;
    }
    // Start bit 1, mode 0.
    if ((bits & 0xF) != 0x1)
        return std::nullopt;
    return bits;
}

// ---- frames of a key ----

std::vector<int> firstFrame(const ProtocolCode& code) {
    const ProtocolTiming& timing = timingOf(code.protocol);
    switch (timing.coding) {
    case Coding::Biphase5:
        return levelDurations(rc5Levels(code.bits), kRc5Half);
    case Coding::Biphase6:
        return levelDurations(rc6Levels(code.bits), kRc6Unit);
    case Coding::Pulse:
        break;
    }
    return pulseFrame(timing, code.bitCount, code.bits, true);
}

std::optional<std::uint64_t> readFrame(const ProtocolTiming& timing, int bitCount,
                                       const std::vector<int>& d) {
    switch (timing.coding) {
    case Coding::Biphase5:
        return readRc5(d);
    case Coding::Biphase6:
        return readRc6(d);
    case Coding::Pulse:
        break;
    }
    return readPulses(timing, bitCount, d, true);
}

std::uint64_t invertedCommand(std::uint64_t bits) { return bits ^ (lowBits(10) << 5); }

std::vector<int> corrected(std::vector<int> d, const ProtocolCode& code) {
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = std::max(1, d[i] + (i % 2 == 0 ? code.markCorrection : code.spaceCorrection));
    return d;
}

// The protocol's own form of the frames after the first, to compare a capture with.
bool isRepeatCode(const std::vector<int>& d) {
    return d.size() == 3 && matches(d[0], 9000) && matches(d[1], 2250) && matches(d[2], 560);
}

// Whether the protocol's data checks hold, telling apart protocols of one timing.
bool plausible(Protocol protocol, std::uint64_t bits) {
    const auto byte = [bits](int n) { return static_cast<unsigned>((bits >> (8 * n)) & 0xFF); };
    switch (protocol) {
    case Protocol::NEC:
        return byte(0) == (~byte(1) & 0xFF) && byte(2) == (~byte(3) & 0xFF);
    case Protocol::NECext:
        return !(byte(0) == (~byte(1) & 0xFF) && byte(2) == (~byte(3) & 0xFF));
    case Protocol::Samsung32:
        return byte(0) == byte(1) && byte(2) == (~byte(3) & 0xFF);
    case Protocol::RCA:
        return ((bits >> 12) & 0xFFF) == (~bits & 0xFFF);
    case Protocol::Sharp:
        return bitAt(bits, 13) == 1 && bitAt(bits, 14) == 0;
    case Protocol::Denon:
        return bitAt(bits, 13) == 0 && bitAt(bits, 14) == 0;
    default:
        return true;
    }
}

// The mean amount by which the captured marks (and spaces) exceed the protocol's.
void measureCorrections(ProtocolCode& code, const std::vector<int>& captured) {
    const std::vector<int> nominal = firstFrame(code);
    if (nominal.size() != captured.size())
        return;
    long marks = 0, spaces = 0, markCount = 0, spaceCount = 0;
    for (std::size_t i = 0; i < nominal.size(); ++i) {
        if (i % 2 == 0) {
            marks += captured[i] - nominal[i];
            ++markCount;
        } else {
            spaces += captured[i] - nominal[i];
            ++spaceCount;
        }
    }
    constexpr int kStep = 4;
    const auto mean = [](long sum, long count) {
        return count ? static_cast<int>(std::lround(static_cast<double>(sum) / count / kStep)) * kStep : 0;
    };
    code.markCorrection = std::clamp(mean(marks, markCount), -127 * kStep, 127 * kStep);
    code.spaceCorrection = std::clamp(mean(spaces, spaceCount), -127 * kStep, 127 * kStep);
}

// How far the capture is from the protocol's timing, relative to it: smaller is closer.
double distance(const ProtocolCode& code, const std::vector<int>& captured) {
    const std::vector<int> nominal = firstFrame(code);
    double sum = 0;
    for (std::size_t i = 0; i < nominal.size() && i < captured.size(); ++i)
        sum += std::abs(captured[i] - nominal[i]) / static_cast<double>(nominal[i]);
    return sum / static_cast<double>(std::max<std::size_t>(nominal.size(), 1));
}

std::optional<ProtocolCode> decodeAs(const ProtocolTiming& timing, const std::vector<Frame>& frames) {
    const std::vector<int>& first = frames[0].durations;
    auto bits = readFrame(timing, timing.bitCount, first);
    if (!bits || !plausible(timing.protocol, *bits))
        return std::nullopt;
    ProtocolCode code;
    code.protocol = timing.protocol;
    code.bitCount = timing.bitCount;
    code.bits = *bits;
    code.repeat = timing.repeat;
    code.minimumFrames = timing.minimumFrames;
    code.gapMicros = frames.size() > 1 ? frames[0].gapAfter : timing.gapMicros;
    if (timing.protocol == Protocol::NEC || timing.protocol == Protocol::NECext) {
        // Some remotes send their whole frame again instead of the short repeat code.
        if (frames.size() > 1 && !isRepeatCode(frames[1].durations))
            code.repeat = RepeatForm::SameFrame;
    }
    measureCorrections(code, first);
    return code;
}

} // namespace

std::string protocolName(Protocol protocol) { return timingOf(protocol).name; }

std::optional<Protocol> protocolFromNumber(unsigned number) {
    for (Protocol p : kProtocols)
        if (static_cast<unsigned>(p) == number)
            return p;
    return std::nullopt;
}

int standardCarrier(Protocol protocol) { return timingOf(protocol).carrierHz; }

ProtocolCode standardCode(Protocol protocol, std::uint64_t bits) {
    const ProtocolTiming& timing = timingOf(protocol);
    ProtocolCode code;
    code.protocol = protocol;
    code.bitCount = timing.bitCount;
    code.bits = bits & lowBits(timing.bitCount);
    code.repeat = timing.repeat;
    code.gapMicros = timing.gapMicros;
    code.minimumFrames = timing.minimumFrames;
    return code;
}

std::vector<ProtocolCode> recognise(const std::vector<Frame>& captured) {
    std::vector<std::pair<double, ProtocolCode>> found;
    // A burst of noise may come before the remote's first frame.
    for (std::size_t skip = 0; skip < 2 && skip < captured.size() && found.empty(); ++skip) {
        const std::vector<Frame> frames(captured.begin() + static_cast<std::ptrdiff_t>(skip), captured.end());
        for (const ProtocolTiming& timing : kTimings) {
            if (auto code = decodeAs(timing, frames))
                found.emplace_back(distance(*code, frames[0].durations), *code);
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ProtocolCode> codes;
    for (auto& [score, code] : found)
        codes.push_back(code);
    return codes;
}

Transmission protocolTransmission(const ProtocolCode& code) {
    const ProtocolTiming& timing = timingOf(code.protocol);
    Transmission t;
    t.carrierHz = timing.carrierHz;
    t.minimumFrames = static_cast<std::size_t>(std::max(code.minimumFrames, 1));
    const int gap = code.gapMicros > 0 ? code.gapMicros : timing.gapMicros;
    Frame first{corrected(firstFrame(code), code), gap};
    t.frames.push_back(first);
    switch (code.repeat) {
    case RepeatForm::SameFrame:
        break;
    case RepeatForm::RepeatCode:
        // A repeat code every 108 ms.
        t.frames.push_back(Frame{corrected({9000, 2250, 560}, code), 108000 - 11810});
        t.repeatFrom = 1;
        break;
    case RepeatForm::WithoutHeader:
        t.frames.push_back(Frame{corrected(pulseFrame(timing, code.bitCount, code.bits, false), code), gap});
        t.repeatFrom = 1;
        break;
    case RepeatForm::InvertedPair:
        t.frames.push_back(
            Frame{corrected(pulseFrame(timing, code.bitCount, invertedCommand(code.bits), true), code), gap});
        break;
    }
    return t;
}

Parameters packParameters(const ProtocolCode& code) {
    Parameters p{};
    p[0] = static_cast<std::uint8_t>(code.bitCount);
    for (int i = 0; i < 8; ++i)
        p[1 + i] = static_cast<std::uint8_t>((code.bits >> (8 * i)) & 0xFF);
    p[9] = static_cast<std::uint8_t>(code.repeat);
    const int gap = std::clamp(code.gapMicros / 10, 0, 0xFFFF);
    p[10] = static_cast<std::uint8_t>(gap & 0xFF);
    p[11] = static_cast<std::uint8_t>(gap >> 8);
    p[12] = static_cast<std::uint8_t>(std::clamp(code.minimumFrames, 1, 255));
    p[13] = static_cast<std::uint8_t>(static_cast<std::int8_t>(code.markCorrection / 4));
    p[14] = static_cast<std::uint8_t>(static_cast<std::int8_t>(code.spaceCorrection / 4));
    return p;
}

std::optional<ProtocolCode> unpackParameters(Protocol protocol, const Parameters& p) {
    const ProtocolTiming& timing = timingOf(protocol);
    ProtocolCode code;
    code.protocol = protocol;
    code.bitCount = p[0];
    if (code.bitCount != timing.bitCount || p[9] > static_cast<std::uint8_t>(RepeatForm::InvertedPair) ||
        p[15] != 0)
        return std::nullopt;
    for (int i = 0; i < 8; ++i)
        code.bits |= std::uint64_t{p[1 + i]} << (8 * i);
    if (code.bits & ~lowBits(code.bitCount))
        return std::nullopt;
    code.repeat = static_cast<RepeatForm>(p[9]);
    code.gapMicros = (p[10] | p[11] << 8) * 10;
    code.minimumFrames = std::max<int>(p[12], 1);
    code.markCorrection = static_cast<std::int8_t>(p[13]) * 4;
    code.spaceCorrection = static_cast<std::int8_t>(p[14]) * 4;
    return code;
}

} // namespace ir
