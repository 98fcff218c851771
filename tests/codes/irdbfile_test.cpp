// IRDB CSV rows rendered from their protocols: each family duration by duration as its IRP
// notation gives it, the keys of the remote's own protocols recognised as those presets, and the
// file's damage named by file and line.
#include "codes/protocolrender.h"
#include "codes/signalfile.h"

#include "ir/addresscommand.h"
#include "ir/storedcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace {

struct Symbol {
    double mark, space; // in the protocol's unit
};

// A frame as the IRP spells it: `head` (signed units), then each bit of `sent` ('0' or '1' in the
// order sent, blanks between fields) as its symbol, then `tail`; durations of one kind in a row make one.
std::vector<int> frame(double unit, std::vector<double> head, Symbol zero, Symbol one, std::string_view sent,
                       std::vector<double> tail) {
    for (char bit : sent) {
        if (bit == ' ')
            continue;
        const Symbol s = bit == '1' ? one : zero;
        head.insert(head.end(), {s.mark, -s.space});
    }
    head.insert(head.end(), tail.begin(), tail.end());
    std::vector<double> merged;
    for (double units : head) {
        if (!merged.empty() && (merged.back() > 0) == (units > 0))
            merged.back() += units;
        else
            merged.push_back(units);
    }
    std::vector<int> micros;
    for (double units : merged)
        micros.push_back(static_cast<int>(std::lround(std::abs(units) * unit)));
    if (micros.size() % 2 == 0)
        micros.pop_back(); // the last space is the silence after the frame
    return micros;
}

long total(const std::vector<int>& durations) {
    return std::accumulate(durations.begin(), durations.end(), 0L);
}

void expectWithinAMicrosecond(const std::vector<int>& got, const std::vector<int>& want,
                              const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_LE(std::abs(got[i] - want[i]), 1)
            << what << ", duration " << i << ": " << got[i] << " for " << want[i];
}

// The silence after a frame: up to the period (in ms) from its first mark, or a gap in units.
struct End {
    double periodMillis = 0;
    double gapMicros = 0;
    int after(const std::vector<int>& frame) const {
        return static_cast<int>(std::lround(periodMillis ? periodMillis * 1000 - total(frame) : gapMicros));
    }
};

TEST(ProtocolRender, EachFamilySendsWhatItsIrpSays) {
    const Symbol n0{1, 1}, n1{1, 3};
    const struct {
        const char* protocol;
        codes::ProtocolKey key;
        int carrier;
        std::vector<int> first;
        End firstEnd;
        std::size_t repeatFrom;  // the first frame sent again while held
        std::vector<int> second; // the frame after the first, where the protocol has two
        End secondEnd;
        std::size_t pressFrames;
    } cases[] = {
        // clang-format off
        // NEC1 D=4 (S=~D) F=8: {38.4k,564}<1,-1|1,-3>(16,-8,D:8,S:8,F:8,~F:8,1,^108m,(16,-4,1,^108m)*)
        {"NEC", {4, -1, 8}, 38400, frame(564, {16, -8}, n0, n1, "00100000 11011111 00010000 11101111", {1}), {108},
         1, {9024, 2256, 564}, {108}, 3},
        // NECx1's ditto carries the device's lowest bit: (8,-8,D:1,1,^108m)
        {"necx1", {7, 7, 1}, 38400, frame(564, {8, -8}, n0, n1, "11100000 11100000 10000000 01111111", {1}), {108},
         1, {4512, 4512, 564, 1692, 564}, {108}, 3},
        // {40k,600}<1,-1|2,-1>(4,-1,F:7,D:5,^45m): no closing mark, three frames a press.
        {"Sony12", {1, -1, 21}, 40000, frame(600, {4, -1}, {1, 1}, {2, 1}, "1010100 10000", {}), {45}, 0, {}, {}, 3},
        // {36k,msb,889}<1,-1|-1,1>(1,~F:1:6,T:1,D:5,F:6,^114m): 1 1 0 00101 000001, the first half space unseen.
        {"RC5", {5, -1, 1}, 36000,
         frame(889, {1, -1, 2, -1, 1, -1, 1, -2, 2, -2, 2, -1, 1, -1, 1, -1, 1, -1, 1, -2, 1}, n0, n1, "", {}),
         {114}, 0, {}, {}, 2},
        // {38k,264}<1,-3|1,-7>(D:5,F:8,0:2,1,-165,D:5,~F:8,3:2,1,-165): both halves repeat.
        {"Denon", {2, -1, 5}, 38000, frame(264, {}, {1, 3}, {1, 7}, "01000 10100000 00", {1}), {0, 43560}, 0,
         frame(264, {}, {1, 3}, {1, 7}, "01000 01011111 11", {1}), {0, 43560}, 4},
        // {38k,600,msb}<1,-1|1,-2|2,-1|2,-2>([10][5],-2,D:4,F:8,C:4,1,-50): 00 11, 01 01 10 10, C=4: 01 00
        {"DirecTV", {3, -1, 0x5A}, 38000,
         frame(600, {10, -2, 1, -1, 2, -2, 1, -2, 1, -2, 2, -1, 2, -1, 1, -2, 1, -1, 1}, n0, n1, "", {}), {0, 30000}, 1,
         frame(600, {5, -2, 1, -1, 2, -2, 1, -2, 1, -2, 2, -1, 2, -1, 1, -2, 1, -1, 1}, n0, n1, "", {}), {0, 30000}, 3},
        // {36k,1p,msb}<6,-10|6,-16|6,-22|6,-28>(15,-10,D:8,S:8,X:8,F:8,6,^100m), D=1 S=2 X=0 F=3
        {"Nokia32", {1, 2, 3}, 36000,
         frame(1e6 / 36000, {15, -10}, {6, 10}, {6, 16}, "0001",
               {6, -10, 6, -10, 6, -10, 6, -22, 6, -10, 6, -10, 6, -10, 6, -10, 6, -10, 6, -10, 6, -10, 6, -28, 6}),
         {100}, 0, {}, {}, 2},
        // {57.6k,406}<1,-7|1,-4>(1,-15,(F:-6,S:5,D:5,1,-15)+): a lead-in, then F highest bit first.
        {"dish network", {3, 1, 33}, 57600, {406}, {0, 6090}, 1,
         frame(406, {}, {1, 7}, {1, 4}, "100001 10000 11000", {1}), {0, 6090}, 3},
        // {38.7k,490}<1,-4.5|1,-9>(18,-9,F:8,D:4,C:4,1,-84,(18,-4.5,1,-178)*), C=-(D+F:4+F:4:4)=7
        {"G.I. Cable", {2, -1, 0x34}, 38700, frame(490, {18, -9}, {1, 4.5}, {1, 9}, "00101100 0100 1110", {1}),
         {0, 41160}, 1, {8820, 2205, 490}, {0, 87220}, 3},
        // {38k,289}<1,-2.6|1,-6.3>(D:3,F:7,1,^25.3m)
        {"Akai", {5, -1, 69}, 38000, frame(289, {}, {1, 2.6}, {1, 6.3}, "101 1010001", {1}), {25.3}, 0, {}, {}, 2},
        // {37.9k,527}<1,-1|1,-3>(16,-8,D:8,F:8,1,^59.08m,(D:8,F:8,1,^46.42m)*)
        {"JVC", {3, -1, 9}, 37900, frame(527, {16, -8}, n0, n1, "11000000 10010000", {1}), {59.08}, 1,
         frame(527, {}, n0, n1, "11000000 10010000", {1}), {46.42}, 3},
        // clang-format on
    };
    for (const auto& c : cases) {
        const auto rendered = codes::renderProtocol(c.protocol, c.key);
        ASSERT_TRUE(std::holds_alternative<ir::Transmission>(rendered))
            << c.protocol << ": " << codes::describe(std::get<codes::FileProblem>(rendered));
        const auto& sent = std::get<ir::Transmission>(rendered);
        EXPECT_EQ(sent.carrierHz, c.carrier) << c.protocol;
        expectWithinAMicrosecond(sent.frames[0].durations, c.first, std::string(c.protocol) + " first frame");
        EXPECT_LE(std::abs(sent.frames[0].gapAfter - c.firstEnd.after(c.first)), 1) << c.protocol;
        EXPECT_EQ(sent.repeatFrom, c.repeatFrom) << c.protocol;
        ASSERT_EQ(sent.frames.size(), c.second.empty() ? 1u : 2u) << c.protocol;
        if (!c.second.empty()) {
            expectWithinAMicrosecond(sent.frames[1].durations, c.second,
                                     std::string(c.protocol) + " second frame");
            EXPECT_LE(std::abs(sent.frames[1].gapAfter - c.secondEnd.after(c.second)), 1) << c.protocol;
        }
        const auto press = std::get<ir::Signal>(codes::renderPress(c.protocol, c.key));
        EXPECT_EQ(ir::splitFrames(press.timings), ir::pressFrames(sent, c.pressFrames)) << c.protocol;
    }
}

TEST(ProtocolRender, NecVariantsSendTheirOwnCheckByte) {
    const struct {
        const char* protocol;
        long function;
        unsigned third, fourth;
    } cases[] = {
        {"NEC1", 0x01, 0x01, 0xFE},        {"NEC1-y1", 0x01, 0x01, 0x7E},  {"nec1 y2", 0x02, 0x02, 0xFC},
        {"NEC1-y3", 0x81, 0x81, 0xFF},     {"NEC1-rnc", 0x12, 0x12, 0xDE}, {"NEC1-f16", 0x1234, 0x34, 0x12},
        {"NECx2-f16", 0xABCD, 0xCD, 0xAB},
    };
    for (const auto& c : cases) {
        const auto rendered = codes::renderProtocol(c.protocol, {1, 2, c.function});
        ASSERT_TRUE(std::holds_alternative<ir::Transmission>(rendered)) << c.protocol;
        const std::vector<int>& d = std::get<ir::Transmission>(rendered).frames[0].durations;
        ASSERT_EQ(d.size(), 67u) << c.protocol;
        const auto byte = [&d](int n) {
            unsigned value = 0;
            for (int i = 0; i < 8; ++i)
                value |= (d[3 + 2 * (8 * n + i)] > 1000 ? 1u : 0u) << i;
            return value;
        };
        EXPECT_EQ(byte(0), 1u) << c.protocol;
        EXPECT_EQ(byte(1), 2u) << c.protocol;
        EXPECT_EQ(byte(2), c.third) << c.protocol;
        EXPECT_EQ(byte(3), c.fourth) << c.protocol;
    }
}

TEST(ProtocolRender, KeysOfTheRemotesOwnProtocolsAreItsPresets) {
    const struct {
        const char* protocol;
        codes::ProtocolKey key;
        const char* preset;
        unsigned long address, command;
    } cases[] = {
        {"NEC", {4, -1, 8}, "NEC", 4, 8},
        {"NEC2", {4, 5, 8}, "NECext", 0x0504, 0xF708},
        {"RC5", {5, -1, 70}, "RC5", 5, 70},
        {"RC6", {4, -1, 12}, "RC6", 4, 12},
        {"Sony12", {1, -1, 21}, "SIRC", 1, 21},
        {"Sony20", {3, 7, 21}, "SIRC20", 3 | 7 << 5, 21},
        {"JVC", {3, -1, 9}, "JVC", 3, 9},
        {"Sharp", {1, -1, 2}, "Sharp", 1, 2},
        {"Denon", {2, -1, 5}, "Denon", 2, 5},
        // The remote numbers RCA's fields lowest bit first, the IRP highest first: 1100, 00100010.
        {"RCA", {12, -1, 34}, "RCA", 3, 68},
        // Kaseikyo numbers a key by its vendor bytes (2, 32) and the data nibbles around them.
        {"Panasonic", {0x10, 0x20, 0x30}, "Kaseikyo", 0x200210, 0x302},
    };
    for (const auto& c : cases) {
        const auto press = std::get<ir::Signal>(codes::renderPress(c.protocol, c.key));
        const auto conversion = ir::convertFrames(ir::splitFrames(press.timings));
        ASSERT_TRUE(conversion) << c.protocol;
        EXPECT_EQ(conversion->kind, c.preset) << c.protocol;
        const auto played = ir::playKey(conversion->identity, {}, conversion->parameters);
        ASSERT_TRUE(played && played->protocol) << c.protocol;
        const auto key = ir::addressAndCommand(*played->protocol);
        EXPECT_EQ(key.address, c.address) << c.protocol;
        EXPECT_EQ(key.command, c.command) << c.protocol;
    }
}

TEST(IrdbFile, RowsBecomeSignalsAndAnUnrenderedOneIsListedAsNotLearnable) {
    const std::string text = "FunctionName,Protocol,Device,Subdevice,Function\r\n"
                             "Power,NEC1,4,-1,8\r\n"
                             "\"Vol,up\",sony12,1,-1,18\r\n"
                             "\r\n"
                             "Mute,XMP,1,2,3\r\n"
                             "Input,RC5,40,-1,1\r\n"
                             "Guide,Panasonic,1,-1,1\r\n";
    const auto read = codes::readSignalText(text, "codes/Acme/TV/4,-1.csv");
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(read))
        << codes::describe(std::get<codes::FileProblem>(read));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
    ASSERT_EQ(signals.size(), 5u);
    EXPECT_EQ(signals[0].signal.timings,
              std::get<ir::Signal>(codes::renderPress("NEC1", {4, -1, 8})).timings);
    EXPECT_EQ(signals[1].name, "Vol,up");
    EXPECT_EQ(signals[1].signal.carrierHz, 40000);
    EXPECT_TRUE(!signals[0].unusable && !signals[1].unusable);
    EXPECT_EQ(codes::describe(signals[2].unusable.value()),
              "codes/Acme/TV/4,-1.csv:5: row 'Mute': protocol 'XMP' is not one rendered here; "
              "learn the key from a raw capture");
    EXPECT_EQ(codes::describe(signals[3].unusable.value()),
              "codes/Acme/TV/4,-1.csv:6: row 'Input': device 40 does not fit protocol RC5 (0 to 31)");
    EXPECT_EQ(codes::describe(signals[4].unusable.value()),
              "codes/Acme/TV/4,-1.csv:7: row 'Guide': protocol Panasonic needs a subdevice");
    EXPECT_EQ(std::get<codes::NamedSignal>(codes::chooseSignal(signals, "f.csv", "vol-up")).name, "Vol,up");
    EXPECT_TRUE(std::holds_alternative<codes::FileProblem>(codes::chooseSignal(signals, "f.csv", "Mute")));
}

TEST(IrdbFile, DamageIsNamedByFileAndLine) {
    const std::string heading = "functionname,protocol,device,subdevice,function\n";
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {heading, "t.csv:1: the file holds no signal"},
        {heading + "Power,NEC1,4,-1\n", "t.csv:2: expected 5 fields"},
        {heading + "Mute,NEC1,four,-1,9\n", "t.csv:2: device and function must be whole numbers"},
        {heading + "Power,NEC1,4,-2,8\n", "t.csv:2: device and function must be whole numbers"},
        {heading + "\"Power,NEC1,4,-1,8\n", "t.csv:2: a quoted field is not closed"},
        {heading + "\"Po\"wer,NEC1,4,-1,8\n", "t.csv:2: a quoted field is not closed"},
        {heading + ",NEC1,4,-1,8\n", "t.csv:2: a row needs a function name and a protocol"},
        {heading + ",G.I.Cable,0,-1,0\nMute,NEC1,4,-1\n",
         "t.csv:2: a row needs a function name and a protocol"},
    };
    for (const auto& c : cases) {
        const auto read = codes::readSignalText(c.text, "t.csv");
        ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(read)) << c.text;
        EXPECT_EQ(codes::describe(std::get<codes::FileProblem>(read)).rfind(c.message, 0), 0u)
            << codes::describe(std::get<codes::FileProblem>(read));
    }
}

// The collection has rows without a function name among good ones: each damaged row is a signal
// that cannot be learned, named by its line, and the file's other rows are read.
TEST(IrdbFile, ADamagedRowIsSetAsideTheOtherRowsRead) {
    const std::string text = "functionname,protocol,device,subdevice,function\n"
                             "POWER,G.I.Cable,0,-1,10\n"
                             ",G.I.Cable,0,-1,0\n"
                             "Mute,NEC1,four,-1,9\n"
                             "Menu,NEC1,4,-1\n"
                             "\"Guide,NEC1,4,-1,7\n"
                             "Input,NEC1,4,-1,11\n";
    const auto read = codes::readSignalText(text, "t.csv");
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(read))
        << codes::describe(std::get<codes::FileProblem>(read));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
    ASSERT_EQ(signals.size(), 6u);
    const char* const says[] = {nullptr,
                                "t.csv:3: a row needs a function name and a protocol",
                                "t.csv:4: device and function must be whole numbers",
                                "t.csv:5: expected 5 fields",
                                "t.csv:6: a quoted field is not closed",
                                nullptr};
    for (std::size_t i = 0; i < signals.size(); ++i) {
        if (says[i] == nullptr) {
            EXPECT_FALSE(signals[i].unusable) << i;
            EXPECT_FALSE(signals[i].signal.timings.empty()) << i;
        } else {
            ASSERT_TRUE(signals[i].unusable) << i;
            EXPECT_EQ(codes::describe(*signals[i].unusable).rfind(says[i], 0), 0u)
                << codes::describe(*signals[i].unusable);
        }
    }
    EXPECT_EQ(signals[1].name, "");
    EXPECT_EQ(signals[2].name, "Mute");
}

} // namespace
