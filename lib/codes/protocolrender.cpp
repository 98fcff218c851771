// Each protocol is written as its frames read in IRP notation: durations in the protocol's unit
// (positive a mark, negative a space), data fields sent in its bit coding, and a frame's period
// (from its first mark to the next frame's) where its remotes keep one. The frames a press sends
// once come first, then those that repeat while the key is held.
#include "protocolrender.h"

#include "codefile.h"

#include "model/keynames.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>
#include <vector>

namespace codes {

namespace {

// A symbol of a bit coding: two durations in units, positive a mark, negative a space.
struct Symbol {
    double first = 0, second = 0;
};

// How data bits go out: one symbol for each bit, or for each two bits, most significant bit first
// or least.
struct Coding {
    std::array<Symbol, 4> symbols{};
    int bitsPerSymbol = 1;
    bool msbFirst = false;
};

Coding twoSymbols(Symbol zero, Symbol one, bool msbFirst) { return {{zero, one, {}, {}}, 1, msbFirst}; }
// Two bits a symbol (00, 01, 10, 11), most significant bit first.
Coding fourSymbols(Symbol s0, Symbol s1, Symbol s2, Symbol s3) { return {{s0, s1, s2, s3}, 2, true}; }

const Coding kPulseDistance = twoSymbols({1, -1}, {1, -3}, false); // the NEC and Kaseikyo families
const Coding kRc5 = twoSymbols({1, -1}, {-1, 1}, true);
const Coding kRc6 = twoSymbols({-1, 1}, {1, -1}, true);

struct Piece {
    enum class Kind { Units, Micros, Bits, Period } kind;
    double amount = 0; // signed units, signed microseconds, or the period in microseconds
    std::uint64_t value = 0;
    int width = 0; // bits; negative: sent in the opposite order to the coding's
};

Piece d(double signedUnits) { return {Piece::Kind::Units, signedUnits}; }
Piece us(double signedMicros) { return {Piece::Kind::Micros, signedMicros}; }
Piece bits(std::uint64_t value, int width) { return {Piece::Kind::Bits, 0, value, width}; }
Piece period(double millis) { return {Piece::Kind::Period, millis * 1000}; }

using Pieces = std::vector<Piece>;

struct Frames {
    std::vector<Pieces> once;      // sent once, at the start of a press
    std::vector<Pieces> repeating; // then again and again while the key is held
};

struct Numbers {
    std::uint64_t d = 0, s = 0, f = 0;
};

enum class Subdevice {
    None,      // the protocol carries none
    Required,  // the row must give it
    NotDevice, // when the row gives none: 255 - device (the NEC family)
    Device,    // when the row gives none: the device again
};

struct Protocol {
    std::vector<std::string>
        names; // the first as messages name it; all matched letter case and separators aside
    int carrierHz = 38000;
    double unit = 1; // microseconds
    Coding coding = kPulseDistance;
    long deviceMost = 255;
    Subdevice subdevice = Subdevice::None;
    long subdeviceMost = 0;
    long functionMost = 255;
    std::size_t leastFrames = 0; // frames every press sends; 0: those sent once (at least one)
    std::function<Frames(const Numbers&)> frames;
};

// The NEC family: a header, device, subdevice, function and a check byte (the complement of the
// function, save in the variants), then a ditto or the whole frame again while held.
struct NecBase {
    const char* name;
    int headerMark;
    bool ditto; // else the whole frame repeats
};
constexpr NecBase kNecBases[] = {
    {"NEC1", 16, true}, {"NEC2", 16, false}, {"NECx1", 8, true}, {"NECx2", 8, false}};

struct NecVariant {
    const char* suffix;
    long functionMost;
    std::uint64_t (*function)(std::uint64_t f); // the third byte
    std::uint64_t (*check)(std::uint64_t f);    // the fourth byte
};
std::uint64_t lowByte(std::uint64_t f) { return f & 0xFF; }
constexpr NecVariant kNecVariants[] = {
    {"", 255, lowByte, [](std::uint64_t f) { return ~f & 0xFF; }},
    // The check byte's top bit, its bottom bit or both as in the function, the rest complemented.
    {"-y1", 255, lowByte, [](std::uint64_t f) { return (f & 0x80) | (~f & 0x7F); }},
    {"-y2", 255, lowByte, [](std::uint64_t f) { return (f & 0x01) | (~f & 0xFE); }},
    {"-y3", 255, lowByte, [](std::uint64_t f) { return (f & 0x81) | (~f & 0x7E); }},
    // The complement with its nibbles swapped.
    {"-rnc", 255, lowByte, [](std::uint64_t f) { return ((~f >> 4) & 0x0F) | ((~f & 0x0F) << 4); }},
    // A 16-bit function, low byte first.
    {"-f16", 65535, lowByte, [](std::uint64_t f) { return (f >> 8) & 0xFF; }},
};

Protocol necProtocol(const NecBase& base, const NecVariant& variant) {
    Protocol p;
    p.names = {std::string(base.name) + variant.suffix};
    if (std::string(base.name) == "NEC1" && !*variant.suffix)
        p.names.push_back("NEC");
    p.carrierHz = 38400;
    p.unit = 564;
    p.subdevice = Subdevice::NotDevice;
    p.subdeviceMost = 255;
    p.functionMost = variant.functionMost;
    p.frames = [base, variant](const Numbers& n) {
        const Pieces frame = {
            d(base.headerMark),          d(-8), bits(n.d, 8), bits(n.s, 8), bits(variant.function(n.f), 8),
            bits(variant.check(n.f), 8), d(1),  period(108)};
        if (!base.ditto)
            return Frames{{}, {frame}};
        if (base.headerMark == 16)
            return Frames{{frame}, {{d(16), d(-4), d(1), period(108)}}};
        return Frames{{frame}, {{d(8), d(-8), bits(n.d, 1), d(1), period(108)}}}; // NECx1's ditto
    };
    return p;
}

std::uint64_t directTvCheck(std::uint64_t f) {
    const auto pair = [f](int at) { return (f >> at) & 3; };
    return (7 * pair(6) + 5 * pair(4) + 3 * pair(2) + pair(0)) & 0xF;
}

std::vector<Protocol> buildProtocols() {
    std::vector<Protocol> all;
    for (const NecBase& base : kNecBases)
        for (const NecVariant& variant : kNecVariants)
            all.push_back(necProtocol(base, variant));
    const Coding denon = twoSymbols({1, -3}, {1, -7}, false);
    const Coding sony = twoSymbols({1, -1}, {2, -1}, false);
    const Coding rca = twoSymbols({1, -2}, {1, -4}, true);
    using N = const Numbers&;
    // clang-format off
    std::vector<Protocol> rest = {
        {{"Pioneer"}, 40000, 564, kPulseDistance, 255, Subdevice::NotDevice, 255, 255, 0, [](N n) {
            return Frames{{}, {{d(16), d(-8), bits(n.d, 8), bits(n.s, 8), bits(n.f, 8), bits(~n.f, 8), d(1), period(108)}}}; }},
        {{"Aiwa"}, 38123, 550, kPulseDistance, 255, Subdevice::Required, 31, 255, 0, [](N n) {
            return Frames{{{d(16), d(-8), bits(n.d, 8), bits(n.s, 5), bits(~n.d, 8), bits(~n.s, 5), bits(n.f, 8), bits(~n.f, 8), d(1), d(-42)}},
                          {{d(16), d(-8), d(1), d(-165)}}}; }},
        {{"Akai"}, 38000, 289, twoSymbols({1, -2.6}, {1, -6.3}, false), 7, Subdevice::None, 0, 127, 0, [](N n) {
            return Frames{{}, {{bits(n.d, 3), bits(n.f, 7), d(1), period(25.3)}}}; }},
        {{"Denon"}, 38000, 264, denon, 31, Subdevice::None, 0, 255, 2, [](N n) {
            return Frames{{}, {{bits(n.d, 5), bits(n.f, 8), bits(0, 2), d(1), d(-165)},
                               {bits(n.d, 5), bits(~n.f, 8), bits(3, 2), d(1), d(-165)}}}; }},
        {{"Sharp"}, 38000, 264, denon, 31, Subdevice::None, 0, 255, 2, [](N n) {
            return Frames{{}, {{bits(n.d, 5), bits(n.f, 8), bits(1, 2), d(1), d(-165)},
                               {bits(n.d, 5), bits(~n.f, 8), bits(2, 2), d(1), d(-165)}}}; }},
        {{"Denon-K"}, 37000, 432, kPulseDistance, 15, Subdevice::Required, 15, 4095, 0, [](N n) {
            const std::uint64_t check = (n.d * 16) ^ n.s ^ (n.f * 16) ^ ((n.f >> 4) & 0xFF);
            return Frames{{}, {{d(8), d(-4), bits(84, 8), bits(50, 8), bits(0, 4), bits(n.d, 4), bits(n.s, 4), bits(n.f, 12),
                                bits(check, 8), d(1), d(-173)}}}; }},
        {{"Panasonic"}, 37000, 432, kPulseDistance, 255, Subdevice::Required, 255, 255, 0, [](N n) {
            return Frames{{}, {{d(8), d(-4), bits(2, 8), bits(32, 8), bits(n.d, 8), bits(n.s, 8), bits(n.f, 8),
                                bits(n.d ^ n.s ^ n.f, 8), d(1), d(-173)}}}; }},
        {{"Fujitsu"}, 37000, 432, kPulseDistance, 255, Subdevice::Device, 255, 255, 0, [](N n) {
            return Frames{{}, {{d(8), d(-4), bits(20, 8), bits(99, 8), bits(0, 4), bits(0, 4), bits(n.d, 8), bits(n.s, 8),
                                bits(n.f, 8), d(1), d(-110)}}}; }},
        {{"DirecTV"}, 38000, 600, fourSymbols({1, -1}, {1, -2}, {2, -1}, {2, -2}), 15, Subdevice::None, 0, 255, 0, [](N n) {
            // The first frame's header is twice as long as the repeats'.
            const auto frame = [&n](double header) {
                return Pieces{d(header), d(-2), bits(n.d, 4), bits(n.f, 8), bits(directTvCheck(n.f), 4), d(1), d(-50)}; };
            return Frames{{frame(10)}, {frame(5)}}; }},
        {{"Dish_Network", "Dish Network"}, 57600, 406, twoSymbols({1, -7}, {1, -4}, false), 31, Subdevice::Required, 31, 63, 2, [](N n) {
            return Frames{{{d(1), d(-15)}}, {{bits(n.f, -6), bits(n.s, 5), bits(n.d, 5), d(1), d(-15)}}}; }},
        {{"G.I.Cable", "GI Cable"}, 38700, 490, twoSymbols({1, -4.5}, {1, -9}, false), 15, Subdevice::None, 0, 255, 0, [](N n) {
            const std::uint64_t check = (0 - (n.d + (n.f & 0xF) + ((n.f >> 4) & 0xF))) & 0xF;
            return Frames{{{d(18), d(-9), bits(n.f, 8), bits(n.d, 4), bits(check, 4), d(1), d(-84)}},
                          {{d(18), d(-4.5), d(1), d(-178)}}}; }},
        // JVC's header goes out once; the frames that follow keep a shorter period.
        {{"JVC"}, 37900, 527, kPulseDistance, 255, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{{d(16), d(-8), bits(n.d, 8), bits(n.f, 8), d(1), period(59.08)}},
                          {{bits(n.d, 8), bits(n.f, 8), d(1), period(46.42)}}}; }},
        {{"JVC{2}"}, 37900, 527, kPulseDistance, 255, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{bits(n.d, 8), bits(n.f, 8), d(1), period(46.42)}}}; }},
        {{"Mitsubishi"}, 32600, 300, denon, 127, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{bits(n.d, 8), bits(n.f, 8), d(1), d(-80)}}}; }},
        // The unit is one carrier period; the toggle bit and the 7-bit system field the rows do not
        // carry go out as 0.
        {{"Nokia32"}, 36000, 1e6 / 36000, fourSymbols({6, -10}, {6, -16}, {6, -22}, {6, -28}), 255, Subdevice::Required, 255, 255, 0,
         [](N n) { return Frames{{}, {{d(15), d(-10), bits(n.d, 8), bits(n.s, 8), bits(0, 8), bits(n.f, 8), d(6), period(100)}}}; }},
        {{"Proton"}, 38500, 500, kPulseDistance, 255, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{d(16), d(-8), bits(n.d, 8), d(1), d(-8), bits(n.f, 8), d(1), period(63)}}}; }},
        // Bi-phase: the start bit's half space never shows, so a period runs from first mark to first mark.
        {{"RC5"}, 36000, 889, kRc5, 31, Subdevice::None, 0, 127, 0, [](N n) {
            return Frames{{}, {{bits(1, 1), bits(~n.f >> 6, 1), bits(0, 1), bits(n.d, 5), bits(n.f, 6), period(114)}}}; }},
        {{"RC5x"}, 36000, 889, kRc5, 31, Subdevice::Required, 127, 63, 0, [](N n) {
            return Frames{{}, {{bits(1, 1), bits(~n.s >> 6, 1), bits(0, 1), bits(n.d, 5), d(-4), bits(n.s, 6), bits(n.f, 6),
                                period(114)}}}; }},
        // RC6's toggle bit, twice as long as the others, goes out as 0.
        {{"RC6"}, 36000, 444, kRc6, 255, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{d(6), d(-2), bits(1, 1), bits(0, 3), d(-2), d(2), bits(n.d, 8), bits(n.f, 8), period(107)}}}; }},
        // RC6 mode 6A with 32 bits, the first byte 128; its own toggle bit goes out as 0.
        {{"MCE", "RC6-6-32"}, 36000, 444, kRc6, 127, Subdevice::Required, 255, 255, 0, [](N n) {
            return Frames{{}, {{d(6), d(-2), bits(1, 1), bits(6, 3), d(-2), d(2), bits(128, 8), bits(n.s, 8), bits(0, 1),
                                bits(n.d, 7), bits(n.f, 8), period(107)}}}; }},
        {{"RCA"}, 58000, 460, rca, 15, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{d(8), d(-8), bits(n.d, 4), bits(n.f, 8), bits(~n.d, 4), bits(~n.f, 8), d(1), d(-16)}}}; }},
        {{"RCA-38"}, 38700, 460, rca, 15, Subdevice::None, 0, 255, 0, [](N n) {
            return Frames{{}, {{d(8), d(-8), bits(n.d, 4), bits(n.f, 8), bits(~n.d, 4), bits(~n.f, 8), d(1), d(-16)}}}; }},
        // A start bit, the toggle bit (0), device and function.
        {{"RECS80"}, 38000, 158, twoSymbols({1, -31}, {1, -47}, true), 7, Subdevice::None, 0, 63, 0, [](N n) {
            return Frames{{}, {{bits(1, 1), bits(0, 1), bits(n.d, 3), bits(n.f, 6), d(1), us(-45000)}}}; }},
        {{"Samsung20"}, 38400, 564, kPulseDistance, 63, Subdevice::Required, 63, 255, 0, [](N n) {
            return Frames{{}, {{d(8), d(-8), bits(n.d, 6), bits(n.s, 6), bits(n.f, 8), d(1), period(100)}}}; }},
        // Two blocks; the 4-bit field between them, which the rows do not carry, goes out as 1.
        {{"Samsung36"}, 37900, 560, kPulseDistance, 255, Subdevice::Required, 255, 255, 0, [](N n) {
            return Frames{{}, {{us(4500), us(-4500), bits(n.d, 8), bits(n.s, 8), d(1), d(-9), bits(1, 4), bits(n.f, 8),
                                bits(~n.f, 8), d(1), period(108)}}}; }},
        // Sony's remotes send every press at least three times.
        {{"Sony12"}, 40000, 600, sony, 31, Subdevice::None, 0, 127, 3, [](N n) {
            return Frames{{}, {{d(4), d(-1), bits(n.f, 7), bits(n.d, 5), period(45)}}}; }},
        {{"Sony15"}, 40000, 600, sony, 255, Subdevice::None, 0, 127, 3, [](N n) {
            return Frames{{}, {{d(4), d(-1), bits(n.f, 7), bits(n.d, 8), period(45)}}}; }},
        {{"Sony20"}, 40000, 600, sony, 31, Subdevice::Required, 255, 127, 3, [](N n) {
            return Frames{{}, {{d(4), d(-1), bits(n.f, 7), bits(n.d, 5), bits(n.s, 8), period(45)}}}; }},
    };
    // clang-format on
    for (Protocol& p : rest)
        all.push_back(std::move(p));
    return all;
}

const std::vector<Protocol>& protocols() {
    static const std::vector<Protocol> all = buildProtocols();
    return all;
}

const Protocol* protocolNamed(std::string_view name) {
    const std::string folded = model::foldName(name);
    for (const Protocol& p : protocols())
        for (const std::string& known : p.names)
            if (model::foldName(known) == folded)
                return &p;
    return nullptr;
}

// Turns a frame's pieces into durations: those of one kind in a row make one, a frame starts with
// its first mark, and the last space is the silence after it.
class FrameBuilder {
public:
    explicit FrameBuilder(const Protocol& protocol) : protocol_(protocol) {}

    ir::Frame build(const Pieces& pieces) {
        durations_.clear();
        for (const Piece& piece : pieces) {
            switch (piece.kind) {
            case Piece::Kind::Units:
                add(piece.amount * protocol_.unit);
                break;
            case Piece::Kind::Micros:
                add(piece.amount);
                break;
            case Piece::Kind::Bits:
                send(piece.value, piece.width);
                break;
            case Piece::Kind::Period:
                add(-std::max(piece.amount - elapsed(), 0.0));
                break;
            }
        }
        ir::Frame frame;
        for (double micros : durations_)
            frame.durations.push_back(static_cast<int>(std::lround(micros)));
        if (frame.durations.size() % 2 == 0 && !frame.durations.empty()) {
            frame.gapAfter = frame.durations.back();
            frame.durations.pop_back();
        }
        // A period holds from first mark to first mark, whatever the rounding of the durations.
        if (!pieces.empty() && pieces.back().kind == Piece::Kind::Period)
            frame.gapAfter = static_cast<int>(std::lround(pieces.back().amount)) -
                             std::accumulate(frame.durations.begin(), frame.durations.end(), 0);
        return frame;
    }

private:
    void add(double signedMicros) {
        const bool mark = signedMicros > 0;
        const double length = std::abs(signedMicros);
        if (length == 0 || (durations_.empty() && !mark))
            return;
        const bool lastIsMark = durations_.size() % 2 == 1;
        if (!durations_.empty() && lastIsMark == mark)
            durations_.back() += length;
        else
            durations_.push_back(length);
    }

    void send(std::uint64_t value, int width) {
        const Coding& coding = protocol_.coding;
        const bool msbFirst = coding.msbFirst != (width < 0);
        const int count = std::abs(width);
        const int step = coding.bitsPerSymbol;
        const std::uint64_t mask = (std::uint64_t{1} << step) - 1;
        for (int i = 0; i < count; i += step) {
            const int at = msbFirst ? count - step - i : i;
            const std::uint64_t symbol = (value >> at) & mask;
            add(coding.symbols[symbol].first * protocol_.unit);
            add(coding.symbols[symbol].second * protocol_.unit);
        }
    }

    double elapsed() const {
        double sum = 0;
        for (double micros : durations_)
            sum += micros;
        return sum;
    }

    const Protocol& protocol_;
    std::vector<double> durations_;
};

// The numbers the protocol sends, or why the key's numbers do not fit it.
std::variant<Numbers, FileProblem> numbersFor(const Protocol& p, const ProtocolKey& key) {
    const std::string& name = p.names.front();
    const auto misfit = [&name](FileFault fault, long number, long most = 0) {
        return FileProblem{.fault = fault, .other = name, .number = number, .limit = most};
    };
    if (key.device < 0 || key.device > p.deviceMost)
        return misfit(FileFault::DeviceDoesNotFit, key.device, p.deviceMost);
    if (key.function < 0 || key.function > p.functionMost)
        return misfit(FileFault::FunctionDoesNotFit, key.function, p.functionMost);
    long subdevice = key.subdevice;
    if (subdevice == kNoSubdevice) {
        if (p.subdevice == Subdevice::Required)
            return misfit(FileFault::SubdeviceNeeded, 0);
        subdevice = p.subdevice == Subdevice::NotDevice ? 255 - key.device
                    : p.subdevice == Subdevice::Device  ? key.device
                                                        : 0;
    } else if (p.subdevice == Subdevice::None) {
        return misfit(FileFault::SubdeviceNotTaken, key.subdevice);
    } else if (subdevice < 0 || subdevice > p.subdeviceMost) {
        return misfit(FileFault::SubdeviceDoesNotFit, subdevice, p.subdeviceMost);
    }
    return Numbers{static_cast<std::uint64_t>(key.device), static_cast<std::uint64_t>(subdevice),
                   static_cast<std::uint64_t>(key.function)};
}

} // namespace

std::variant<ir::Transmission, FileProblem> renderProtocol(std::string_view name, const ProtocolKey& key) {
    const Protocol* protocol = protocolNamed(name);
    if (!protocol)
        return FileProblem{.fault = FileFault::ProtocolNotRendered, .other = std::string(name)};
    const auto numbers = numbersFor(*protocol, key);
    if (const auto* why = std::get_if<FileProblem>(&numbers))
        return *why;
    const Frames frames = protocol->frames(std::get<Numbers>(numbers));
    FrameBuilder builder(*protocol);
    ir::Transmission sent;
    sent.carrierHz = protocol->carrierHz;
    for (const Pieces& pieces : frames.once)
        sent.frames.push_back(builder.build(pieces));
    sent.repeatFrom = sent.frames.size();
    for (const Pieces& pieces : frames.repeating)
        sent.frames.push_back(builder.build(pieces));
    sent.minimumFrames =
        protocol->leastFrames ? protocol->leastFrames : std::max<std::size_t>(frames.once.size(), 1);
    return sent;
}

std::variant<ir::Signal, FileProblem> renderPress(std::string_view protocol, const ProtocolKey& key) {
    auto rendered = renderProtocol(protocol, key);
    if (auto* why = std::get_if<FileProblem>(&rendered))
        return std::move(*why);
    const auto& sent = std::get<ir::Transmission>(rendered);
    const std::size_t repeating = sent.frames.size() - sent.repeatFrom;
    const auto frames = ir::pressFrames(sent, sent.repeatFrom + 2 * repeating);
    return ir::Signal{sent.carrierHz, ir::joinFrames(frames)};
}

} // namespace codes
