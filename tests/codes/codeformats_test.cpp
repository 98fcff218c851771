// The formats read beside Flipper files: Pronto's short forms, Broadlink packets alone and in
// SmartIR files, and GlobalCache sendir commands, each checked duration by duration.
#include "codepackets.h"
#include "codes/codefile.h"
#include "codes/protocolrender.h"
#include "codes/signalexport.h"
#include "codes/signalfile.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testsupport::broadlinkPacket;

std::vector<int> micros(const std::vector<int>& units) { return testsupport::broadlinkMicros(units); }

std::string packet(const std::vector<int>& units, int repeat, char length, std::size_t padding = 0,
                   unsigned char kind = 0x26) {
    return broadlinkPacket(units, repeat, length, padding, kind);
}

codes::Read read(const std::string& text, const char* name = "codes.txt") {
    return codes::readSignalText(text, name);
}

TEST(CodeFormats, BroadlinkPacketsInEachLengthReadingWithPaddingAndRepeats) {
    const std::vector<int> units = {296, 148, 18, 18, 18, 55, 18, 3000};
    const auto once = micros(units);
    std::vector<int> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    const struct {
        const char* name;
        std::string text;
        std::vector<int> timings;
    } cases[] = {
        {"bytes after the header", packet(units, 0, 'a'), once},
        {"number of durations", packet(units, 0, 'b', 6), once},
        {"whole packet", packet(units, 0, 'c', 12), once},
        {"sent twice", "Power: " + packet(units, 1, 'a'), twice},
    };
    for (const auto& c : cases) {
        const auto result = read(c.text);
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
            << c.name << ": " << codes::describe(std::get<codes::FileProblem>(result));
        const auto& signal = std::get<std::vector<codes::NamedSignal>>(result).front().signal;
        EXPECT_EQ(signal.timings, c.timings) << c.name;
    }
    EXPECT_EQ(std::get<std::vector<codes::NamedSignal>>(read(cases[3].text)).front().name, "Power");
}

TEST(CodeFormats, DamageInEachFormatIsNamedByFileAndLine) {
    std::string cut = packet({296, 148, 18}, 0, 'a');
    cut = cut.substr(0, cut.size() - 4);
    const struct {
        const char* name;
        std::string text;
        const char* says;
    } cases[] = {
        {"radio", packet({296, 148}, 0, 'a', 0, 0xB2), "codes.txt:1: a Broadlink radio packet"},
        {"cut", "# TV\n" + cut, "codes.txt:2: a Broadlink packet whose durations do not end with 0D 05"},
        {"letter first", "sendir,1:1,1,38000,1,1,A,22",
         "codes.txt:1: the letter A stands for no earlier pair"},
        {"even offset", "sendir,1:1,1,38000,2,2,341,170,22,22",
         "codes.txt:1: the offset '2' is not an odd place"},
        {"odd count", "sendir,1:1,1,38000,1,1,341,170,22", "codes.txt:1: the durations end on an 'on'"},
        {"frequency", "sendir,1:1,1,38,1,1,341,170", "codes.txt:1: the frequency '38' is not one of"},
        {"encoding", "{\"commandsEncoding\": \"Hex\", \"commands\": {\"off\": \"1 2 3\"}}",
         "codes.txt:1: commands encoded as 'Hex'"},
        {"raw of another controller",
         "{\"supportedController\": \"Xiaomi\",\n \"commandsEncoding\": \"Raw\", \"commands\": {\"off\": "
         "\"nE5\"}}",
         "codes.txt:2: Raw commands for the 'Xiaomi' controller, whose layout is not a public one"},
        {"pronto carrier", "# power\n0000 0001 0000 0001 0050 0080",
         "codes.txt:2: the frequency word 0001 gives a carrier above"},
        {"pronto form", "5002 0073 0000 0001 0001 0002", "codes.txt:1: the Pronto form 5002"},
    };
    for (const auto& c : cases) {
        const auto result = read(c.text);
        ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(result)) << c.name;
        EXPECT_EQ(codes::describe(std::get<codes::FileProblem>(result)).rfind(c.says, 0), 0u)
            << c.name << ": " << codes::describe(std::get<codes::FileProblem>(result));
    }
}

TEST(CodeFormats, SmartIrCommandsAreNamedByTheirPathAndABrokenOneSpoilsOnlyItself) {
    const std::string off = packet({296, 148, 18, 3000}, 0, 'a');
    const std::string text = "{\n  \"manufacturer\": \"Daikin\",\n  \"commands\": {\n    \"off\": \"" + off +
                             "\",\n    \"cool\": {\"auto\": {\"24\": \"" + off +
                             "\", \"25\": \"sgBQAAAB\"}}\n  }\n}\n";
    const auto result = read(text, "daikin.json");
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
        << codes::describe(std::get<codes::FileProblem>(result));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(result);
    ASSERT_EQ(signals.size(), 3u);
    EXPECT_EQ(signals[0].name, "off");
    EXPECT_EQ(signals[1].name, "cool/auto/24");
    EXPECT_EQ(signals[1].signal.timings, micros({296, 148, 18, 3000}));
    EXPECT_EQ(codes::describe(signals[2].unusable.value()),
              "daikin.json:5: 'cool/auto/25': a Broadlink radio packet (433 or 315 MHz), not infrared");

    const auto pronto =
        read("{\"commandsEncoding\": \"Pronto\", \"commands\": {\"on\": \"0000 006D 0001 0000 0155 00AA\"}}");
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(pronto));
    EXPECT_EQ(std::get<std::vector<codes::NamedSignal>>(pronto).front().signal.timings,
              (std::vector<int>{8967, 4470}));
}

// ESPHome's Raw layout is public: durations in µs, marks positive and spaces negative, as a list
// or the text of one; a list of such lists is sent one after the other.
TEST(CodeFormats, SmartIrRawCommandsOfEspHomeAreListsOfDurations) {
    const std::string text = R"({"manufacturer": "LG", "supportedController": "ESPHome",
  "commandsEncoding": "Raw",
  "commands": {
    "off": "[9000, -4500, 560, -560, 560]",
    "on": [9000, -4500, 560, -1690, 560, -40000],
    "mute": [-20000, 9000, -4500, 300, 260, -560, 560],
    "sources": {"HDMI1": ["[9000, -4500, 560]", [9000, -2250, 560]]},
    "zero": "[9000, 0, 560]",
    "half": [9000, -4500.5, 560],
    "words": "nine thousand",
    "none": null
  }})";
    const auto result = read(text, "esphome.json");
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
        << codes::describe(std::get<codes::FileProblem>(result));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(result);
    ASSERT_EQ(signals.size(), 8u);
    const std::vector<std::vector<int>> sent{{9000, 4500, 560, 560, 560},
                                             {9000, 4500, 560, 1690, 560, 40000},
                                             {9000, 4500, 560, 560, 560},
                                             {9000, 4500, 560, 100000, 9000, 2250, 560}};
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_FALSE(signals[i].unusable) << signals[i].name;
        EXPECT_EQ(signals[i].signal.timings, sent[i]) << signals[i].name;
    }
    EXPECT_EQ(signals[3].name, "sources/HDMI1");
    for (std::size_t i = 4; i < 7; ++i)
        EXPECT_EQ(codes::describe(signals[i].unusable.value()),
                  "esphome.json:" + std::to_string(i + 4) + ": '" + signals[i].name +
                      "': not a list of durations from 1 to 1000000 us");
    EXPECT_EQ(codes::describe(signals[7].unusable.value()),
              "esphome.json:11: the command 'none' holds no code (null)");
}

TEST(CodeFormats, GlobalCacheCommandsPlainAndCompressedRepeatFromTheirOffset) {
    const double period = 1e6 / 40000;
    const auto us = [period](std::vector<int> periods) {
        std::vector<int> out;
        for (const int p : periods)
            out.push_back(static_cast<int>(std::lround(p * period)));
        return out;
    };
    const struct {
        const char* name;
        const char* text;
        std::vector<int> periods;
    } cases[] = {
        {"once", "sendir,1:1,1,40000,1,1,96,24,24,24,48,24,24,1000", {96, 24, 24, 24, 48, 24, 24, 1000}},
        {"repeat from 3",
         "sendir,1:1,7,40000,2,3,96,24,24,24,24,900",
         {96, 24, 24, 24, 24, 900, 24, 24, 24, 900}},
        {"letters",
         "Vol+ sendir,1:1,1,40000,1,1,96,24,24,24,48,24AB,24,1000",
         {96, 24, 24, 24, 48, 24, 96, 24, 24, 24, 24, 1000}},
    };
    for (const auto& c : cases) {
        const auto result = read(c.text);
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
            << c.name << ": " << codes::describe(std::get<codes::FileProblem>(result));
        const auto& signal = std::get<std::vector<codes::NamedSignal>>(result).front().signal;
        EXPECT_EQ(signal.carrierHz, 40000) << c.name;
        EXPECT_EQ(signal.timings, us(c.periods)) << c.name;
    }
    EXPECT_EQ(std::get<std::vector<codes::NamedSignal>>(read(cases[2].text)).front().name, "Vol+");
}

TEST(CodeFormats, ProntoShortFormsSendWhatTheirProtocolsRemotesSend) {
    const auto press = [](ir::Protocol p, ir::AddressCommand key) {
        return std::get<ir::Signal>(codes::protocolPress(p, key)).timings;
    };
    const struct {
        const char* text;
        std::vector<int> timings;
        int carrier;
    } cases[] = {
        {"5000 0073 0000 0001 0005 0021", press(ir::Protocol::RC5, {5, 33}), 36000},
        {"6000 0073 0000 0001 0004 000C", press(ir::Protocol::RC6, {4, 12}), 36000},
        {"900A 006C 0000 0001 04FB 08F7", press(ir::Protocol::NEC, {4, 8}), 38000},
        {"900A 006C 0000 0001 0410 08F7", press(ir::Protocol::NECext, {0x1004, 0xF708}), 38000},
        {"0100 006D 0001 0000 0155 00AA", {8967, 4470}, 0},
        {"5001 0073 0000 0002 0010 000C 0001 0000",
         std::get<ir::Signal>(codes::renderPress("RC5x", {16, 12, 1})).timings, 36000},
    };
    for (const auto& c : cases) {
        const auto result = read(c.text);
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
            << c.text << ": " << codes::describe(std::get<codes::FileProblem>(result));
        const auto& signal = std::get<std::vector<codes::NamedSignal>>(result).front().signal;
        EXPECT_EQ(signal.timings, c.timings) << c.text;
        EXPECT_EQ(signal.carrierHz == 0, c.carrier == 0) << c.text;
    }
}

// Found by fuzzing: a Pronto code whose last word reads as the start of a Broadlink radio packet
// was taken for one, and a duration of a second written as Pronto came back a few us too long.
TEST(CodeFormats, WhatAReaderAcceptsWrittenBackAsProntoReadsAgain) {
    const char* inputs[] = {
        "[9000, 460, 560, 169000]",
        "sendir,1:1,1,38000,1,1,1,38000",
        "0000 006D 0002 0000 0156 0011 0015 191B",
        "Filetype: IR signals file\nname: X\ntype: raw\nfrequency: 498213\ndata: 90\n",
    };
    for (const char* input : inputs) {
        const auto first = read(input);
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(first)) << input;
        const auto& signal = std::get<std::vector<codes::NamedSignal>>(first).front().signal;
        const std::string pronto =
            codes::exportText({{"51", "CBL/5", signal, std::nullopt}}, codes::ExportFormat::Pronto);
        const auto again = read(pronto, "again.pronto");
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(again))
            << input << ": " << codes::describe(std::get<codes::FileProblem>(again));
        EXPECT_EQ(std::get<std::vector<codes::NamedSignal>>(again).front().signal.timings.size(),
                  signal.timings.size() + signal.timings.size() % 2)
            << input;
    }
}

// A GlobalCache command repeated into more durations than one capture holds cannot be learned.
TEST(CodeFormats, ASignalLongerThanACaptureIsSetAside) {
    std::string command = "sendir,1:1,1,38000,16,1";
    for (int i = 0; i < 100; ++i)
        command += ",21,21";
    const auto result = read(command);
    ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result));
    EXPECT_EQ(codes::describe(std::get<std::vector<codes::NamedSignal>>(result).front().unusable.value()),
              "codes.txt:1: signal '' holds 3200 durations, more than the remote records at once (2000)");
}

} // namespace
