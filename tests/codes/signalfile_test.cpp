// Code files read into signals: each format, and every kind of damage named by file and line.
#include "codes/signalfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path written(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("qtm418ctl-test-" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

const char* kFlipper = "Filetype: IR signals file\n"
                       "Version: 1\n"
                       "#\n"
                       "name: Power\n"
                       "type: raw\n"
                       "frequency: 36000\n"
                       "duty_cycle: 0.330000\n"
                       "data: 889 889 1778 889 889\n"
                       "#\n"
                       "name: Vol_up\n"
                       "type: raw\n"
                       "frequency: 38000\n"
                       "duty_cycle: 0.330000\n"
                       "data: 9000 4500 560 560 560\n";

TEST(SignalFile, ReadsEachFormat) {
    const struct {
        const char* name;
        std::string text;
        std::size_t count;
        int carrier;
        std::vector<int> first;
    } cases[] = {
        {"flipper.ir", kFlipper, 2, 36000, {889, 889, 1778, 889, 889}},
        // Some editors start UTF-8 text with a byte-order mark.
        {"marked.ir", std::string("\xEF\xBB\xBF") + kFlipper, 2, 36000, {889, 889, 1778, 889, 889}},
        {"list.json", "[9000, 4500, 560]\n", 1, 38000, {9000, 4500, 560}},
        {"object.json",
         R"({"carrier_hz": 40000, "timings_us": [600, 600, 1200]})",
         1,
         40000,
         {600, 600, 1200}},
        {"lines.jsonl",
         "{\"source\": \"x#A\", \"timings_us\": [1, 2, 3]}\n\n{\"timings_us\": [4, 5, 6]}\n",
         2,
         38000,
         {1, 2, 3}},
        // Frequency word 0x006D: 109 x 0.241246 us per cycle, about 38 kHz.
        {"code.pronto", "0000 006D 0001 0001\n0155 00AA 0015 0E6C\n", 1, 38029, {8967, 4470, 552, 97084}},
    };
    for (const auto& c : cases) {
        const auto read = codes::readSignalFile(written(c.name, c.text));
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(read))
            << c.name << ": " << codes::describe(std::get<codes::FileProblem>(read));
        const auto& signals = std::get<std::vector<codes::NamedSignal>>(read);
        ASSERT_EQ(signals.size(), c.count) << c.name;
        EXPECT_EQ(signals[0].signal.carrierHz, c.carrier) << c.name;
        EXPECT_EQ(signals[0].signal.timings, c.first) << c.name;
    }
}

TEST(SignalFile, ChoosesBySeparatorsAndCaseAsideAndAsksWhenUnnamed) {
    const auto path = written("choose.ir", kFlipper);
    const auto signals = std::get<std::vector<codes::NamedSignal>>(codes::readSignalFile(path));
    EXPECT_EQ(std::get<codes::NamedSignal>(codes::chooseSignal(signals, path, "VOL-UP")).name, "Vol_up");
    const auto unnamed = codes::chooseSignal(signals, path, "");
    ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(unnamed));
    EXPECT_NE(codes::describe(std::get<codes::FileProblem>(unnamed))
                  .find("holds 2 signals; choose one with --name (Power, Vol_up)"),
              std::string::npos);
    EXPECT_TRUE(std::holds_alternative<codes::FileProblem>(codes::chooseSignal(signals, path, "Mute")));

    // A signal of an unknown protocol spoils only itself.
    const auto mixed =
        written("mixed.ir", std::string(kFlipper) + "#\nname: Mute\ntype: parsed\nprotocol: NEC42\n"
                                                    "address: 07 00 00 00\ncommand: 07 00 00 00\n");
    const auto all = std::get<std::vector<codes::NamedSignal>>(codes::readSignalFile(mixed));
    EXPECT_EQ(std::get<codes::NamedSignal>(codes::chooseSignal(all, mixed, "Power")).name, "Power");
    EXPECT_TRUE(std::holds_alternative<codes::FileProblem>(codes::chooseSignal(all, mixed, "mute")));
}

TEST(SignalFile, DamageIsNamedByFileAndLine) {
    const std::string flipperHead = "Filetype: IR signals file\nVersion: 1\nname: Power\ntype: raw\n";
    const std::string parsedHead = "Filetype: IR signals file\nname: P\ntype: parsed\nprotocol: ";
    const struct {
        const char* name;
        std::string text;
        const char* where; // ":line: " and the start of the message
    } cases[] = {
        {"empty.ir", "\n\n", ":1: the file is empty"},
        {"garbage.bin", "\x7f\x45LF\x01garbage", ":1: unknown format"},
        {"huge.ir", flipperHead + "frequency: 38000\ndata: 9000 99999999999\n", ":6: data must be"},
        {"zero.ir", flipperHead + "frequency: 38000\ndata: 9000 0 560\n", ":6: data must be"},
        {"freq.ir", flipperHead + "frequency: lots\n", ":5: frequency must be"},
        {"nodata.ir", flipperHead + "frequency: 38000\n#\n", ":3: signal 'Power' needs data"},
        {"parsed.ir", "Filetype: IR signals file\nname: P\ntype: parsed\nprotocol: NEC\n",
         ":2: parsed signal 'P' needs a protocol, an address and a command"},
        {"nec42.ir", parsedHead + "NEC42\naddress: 04 00 00 00\ncommand: 08 00 00 00\n",
         ":2: parsed signal 'P': its protocol NEC42 is not one the remote knows"},
        {"wide.ir", parsedHead + "NEC\naddress: 04 01 00 00\ncommand: 08 00 00 00\n",
         ":2: parsed signal 'P': address 260 or command 8 does not fit protocol NEC"},
        {"bytes.ir", parsedHead + "NEC\naddress: 4 0 0 0\n", ":5: address must be up to four hex bytes"},
        {"fifth.ir", parsedHead + "NEC\ncommand: 01 00 00 00 00\n", ":5: command must be up to four"},
        {"nofield.ir", "Filetype: IR signals file\ntype: raw\n", ":2: field 'type' before the first"},
        {"nocolon.ir", flipperHead + "data 9000\n", ":5: expected 'field: value'"},
        {"list.json", "[9000, -4500]", ":1: not a list of durations"},
        {"cut.json", "{\"timings_us\": [9000, 4500", ":1: not a JSON object"},
        {"lines.jsonl", "{\"timings_us\": [1]}\n{\"timings_us\": [1e9]}\n", ":2: not a JSON object"},
        {"short.pronto", "0000 006D 0002 0000\n0155 00AA\n", ":2: the code holds 2 words where"},
        {"word.pronto", "0000 006D\n0001 0000 0155 00XA\n", ":2: '00XA' is not a Pronto word"},
        {"form.pronto", "7000 006D 0001 0000 0155 00AA\n", ":1: the Pronto form 7000 is not one"},
        {"check.pronto", "900A 006C 0000 0001 0AF5 08F6\n", ":1: the NEC1 (900A) function's check byte"},
        {"rc5.pronto", "5000 0073 0000 0001 0020 0001\n", ":1: address 32 or command 1 does not fit the RC5"},
    };
    for (const auto& c : cases) {
        const auto path = written(c.name, c.text);
        const auto read = codes::readSignalFile(path);
        // A well-formed signal the remote cannot learn is refused only when it is chosen.
        const auto* signals = std::get_if<std::vector<codes::NamedSignal>>(&read);
        const auto chosen =
            signals
                ? codes::chooseSignal(*signals, path, "")
                : std::variant<codes::NamedSignal, codes::FileProblem>(std::get<codes::FileProblem>(read));
        ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(chosen)) << c.name;
        EXPECT_EQ(codes::describe(std::get<codes::FileProblem>(chosen)).rfind(path.string() + c.where, 0), 0u)
            << c.name << ": " << codes::describe(std::get<codes::FileProblem>(chosen));
    }
}

// A line of thousands of characters (Pronto words joined by commas) is quoted by its start alone.
TEST(SignalFile, MessagesQuoteAtMostTheStartOfALongLine) {
    std::string line = "0000,006D,0022,0002";
    while (line.size() < 2200)
        line += ",0015,0040";
    const auto path = written("commas.pronto", line + "\n");
    const auto read = codes::readSignalFile(path);
    ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(read));
    const std::string message = codes::describe(std::get<codes::FileProblem>(read));
    EXPECT_EQ(message,
              path.string() + ":1: '" + line.substr(0, 57) + "...' is not a Pronto word of 4 hex digits");
}

} // namespace
