// lircd.conf files read into what each button's remote sends for one press: every encoding and
// flag checked duration by duration against the file's numbers, and damage named by file and line.
#include "codes/signalfile.h"

#include "ir/addresscommand.h"
#include "ir/frames.h"

#include <gtest/gtest.h>

namespace {

using Timings = std::vector<int>;

Timings join(std::initializer_list<Timings> parts) {
    Timings all;
    for (const Timings& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::string remote(const std::string& parameters, const std::string& code = "KEY 0x5") {
    return "# a remote\nbegin remote\n  name test\n" + parameters + "  begin codes\n    " + code +
           "\n  end codes\nend remote\n";
}

std::variant<std::vector<codes::NamedSignal>, codes::FileProblem> readLircd(const std::string& text) {
    return codes::readSignalText(text, "remote.conf");
}

// The first frame a remote of the protocol sends for the key, as the remote's own preset makes it.
Timings presetFrame(ir::Protocol protocol, unsigned long address, unsigned long command) {
    return ir::protocolTransmission(*ir::codeFor(protocol, {address, command})).frames[0].durations;
}

const std::string kPulses = "  bits 4\n  header 9000 4500\n  one 560 1690\n  zero 560 560\n  ptrail 560\n";
// Code 0x5 highest bit first: 0 1 0 1.
const Timings k0101 = {9000, 4500, 560, 560, 560, 1690, 560, 560, 560, 1690, 560};
const Timings kRepeat = {9000, 2250, 560};

TEST(LircdFile, EachEncodingAndFlagSendsWhatTheFileSays) {
    const Timings rc5 = presetFrame(ir::Protocol::RC5, 0, 12);
    const Timings rc6 = presetFrame(ir::Protocol::RC6, 0, 12);
    long rc5Length = 0, rc6Length = 0;
    for (int d : rc5)
        rc5Length += d;
    for (int d : rc6)
        rc6Length += d;
    const struct {
        const char* what;
        std::string file;
        Timings sent;
        int carrier = 38000;
    } cases[] = {
        {"SPACE_ENC: the frame again after the gap", remote("  flags SPACE_ENC\n  gap 40000\n" + kPulses),
         join({k0101, {40000}, k0101})},
        {"a decimal code", remote(kPulses + "  gap 40000\n", "KEY 5"), join({k0101, {40000}, k0101})},
        // 9000 + 4500 + 2 x (560 + 560) + 2 x (560 + 1690) + 560 = 20800 us of the 60000.
        {"CONST_LENGTH: the gap is the whole frame's length",
         remote("  flags SPACE_ENC|CONST_LENGTH\n  gap 60000\n  frequency 36000\n" + kPulses),
         join({k0101, {39200}, k0101}), 36000},
        {"REVERSE: lowest bit first", remote("  flags SPACE_ENC|REVERSE\n  gap 40000\n" + kPulses),
         join({{9000, 4500, 560, 1690, 560, 560, 560, 1690, 560, 560, 560},
               {40000},
               {9000, 4500, 560, 1690, 560, 560, 560, 1690, 560, 560, 560}})},
        {"a repeat code while held", remote("  gap 40000\n  repeat 9000 2250\n" + kPulses),
         join({k0101, {40000}, kRepeat, {40000}, kRepeat})},
        {"CONST_LENGTH with a repeat code (NEC's 108 ms)",
         remote("  flags SPACE_ENC|CONST_LENGTH\n  gap 108000\n  repeat 9000 2250\n" + kPulses),
         join({k0101, {108000 - 20800}, kRepeat, {108000 - 11810}, kRepeat})},
        {"REPEAT_HEADER: the header before the repeat code",
         remote("  flags SPACE_ENC|REPEAT_HEADER\n  gap 40000\n  repeat 9000 2250\n" + kPulses),
         join({k0101, {40000}, {9000, 4500, 9000, 2250, 560}, {40000}, {9000, 4500, 9000, 2250, 560}})},
        {"repeat_gap after each repeat",
         remote("  gap 40000\n  repeat_gap 90000\n  repeat 9000 2250\n" + kPulses),
         join({k0101, {40000}, kRepeat, {90000}, kRepeat})},
        {"min_repeat: the repeats a press always sends",
         remote("  gap 40000\n  min_repeat 3\n  repeat 9000 2250\n" + kPulses),
         join({k0101, {40000}, kRepeat, {40000}, kRepeat, {40000}, kRepeat})},
        {"NO_HEAD_REP: the frame again without its header",
         remote("  flags SPACE_ENC|NO_HEAD_REP\n  gap 40000\n" + kPulses),
         join({k0101,
               {40000},
               Timings(k0101.begin() + 2, k0101.end()),
               {40000},
               Timings(k0101.begin() + 2, k0101.end())})},
        // The foot is a pulse and a space, sent space first after the trail.
        {"NO_FOOT_REP: the frame again without its foot",
         remote("  flags SPACE_ENC|NO_FOOT_REP\n  gap 40000\n  foot 1000 3000\n" + kPulses),
         join({k0101, {3000, 1000}, {40000}, k0101, {40000}, k0101})},
        {"plead after the header, pre and post data with their pre and post pairs",
         remote("  bits 2\n  header 9000 4500\n  plead 1000\n  one 560 1690\n  zero 560 560\n  ptrail 560\n"
                "  pre_data_bits 2\n  pre_data 0x2\n  pre 560 3000\n  post_data_bits 2\n  post_data 0x1\n"
                "  post 700 4000\n  gap 40000\n",
                "KEY 0x1"),
         join({{9000, 4500, 1560, 1690, 560, 560, 560, 3000, 560, 560, 560, 1690, 700, 4000, 560, 560, 560,
                1690, 560},
               {40000},
               {9000, 4500, 1560, 1690, 560, 560, 560, 3000, 560, 560, 560, 1690, 700, 4000, 560, 560, 560,
                1690, 560}})},
        {"toggle_bit_mask: the toggle bit at 0",
         remote("  gap 40000\n  toggle_bit_mask 0x4\n" + kPulses, "KEY 0x7"),
         join({{9000, 4500, 560, 560, 560, 560, 560, 1690, 560, 1690, 560},
               {40000},
               {9000, 4500, 560, 560, 560, 560, 560, 1690, 560, 1690, 560}})},
        {"toggle_bit: the same bit by its place",
         remote("  gap 40000\n  toggle_bit 2\n" + kPulses, "KEY 0x7"),
         join({{9000, 4500, 560, 560, 560, 560, 560, 1690, 560, 1690, 560},
               {40000},
               {9000, 4500, 560, 560, 560, 560, 560, 1690, 560, 1690, 560}})},
        // Address 0, command 12, toggle set in the file: start bit in plead, 13 bits of field, toggle,
        // address and command, a 1 rising mid-bit.
        {"RC5 bi-phase, the toggle at 0",
         remote("  bits 13\n  flags RC5|CONST_LENGTH\n  one 889 889\n  zero 889 889\n  plead 889\n"
                "  gap 113792\n  toggle_bit_mask 0x800\n  frequency 36000\n",
                "KEY_POWER 0x180C"),
         join({rc5, {static_cast<int>(113792 - rc5Length)}, rc5}), 36000},
        // RC6 mode 0 as such files write it: every bit the other way round from RC6's own, the
        // trailer (toggle) bit of double length; address 0, command 12.
        {"RC6 bi-phase with rc6_mask, the toggle at 0",
         remote("  bits 16\n  flags RC6|CONST_LENGTH\n  header 2664 888\n  one 444 444\n  zero 444 444\n"
                "  pre_data_bits 5\n  pre_data 0xE\n  gap 100000\n  toggle_bit_mask 0x10000\n"
                "  rc6_mask 0x10000\n  frequency 36000\n",
                "KEY_POWER 0xFFF3"),
         join({rc6, {static_cast<int>(100000 - rc6Length)}, rc6}), 36000},
        {"raw codes: the durations as given, again after the gap",
         "begin remote\n  name raw\n  flags RAW_CODES\n  gap 30000\n  begin raw_codes\n    name KEY\n"
         "      9000 4500 560\n      1690 560 2000\n  end raw_codes\nend remote\n",
         {9000, 4500, 560, 1690, 560, 32000, 9000, 4500, 560, 1690, 560}},
        {"raw codes with a repeat code",
         "begin remote\n  name raw\n  gap 30000\n  repeat 9000 2250\n  ptrail 560\n  begin raw_codes\n"
         "    name KEY\n      9000 4500 560\n  end raw_codes\nend remote\n",
         {9000, 4500, 560, 30000, 9000, 2250, 560, 30000, 9000, 2250, 560}},
    };
    for (const auto& c : cases) {
        const auto result = readLircd(c.file);
        ASSERT_TRUE(std::holds_alternative<std::vector<codes::NamedSignal>>(result))
            << c.what << ": " << codes::describe(std::get<codes::FileProblem>(result));
        const auto& signals = std::get<std::vector<codes::NamedSignal>>(result);
        ASSERT_EQ(signals.size(), 1u) << c.what;
        EXPECT_FALSE(signals[0].unusable) << c.what;
        EXPECT_EQ(signals[0].signal.carrierHz, c.carrier) << c.what;
        const Timings& sent = signals[0].signal.timings;
        ASSERT_EQ(sent.size(), c.sent.size()) << c.what;
        for (std::size_t i = 0; i < sent.size(); ++i)
            EXPECT_NEAR(sent[i], c.sent[i], 1) << c.what << ", duration " << i;
    }
}

TEST(LircdFile, SeveralRemotesNameTheirButtonsByRemote) {
    const std::string two = remote(kPulses + "  gap 40000\n", "KEY_POWER 0x1") +
                            "\nbegin remote\n  name tv-remote\n  gap 30000\n  begin raw_codes\n"
                            "    name KEY_POWER\n      900 450 560\n  end raw_codes\nend remote\n";
    const auto both = std::get<std::vector<codes::NamedSignal>>(readLircd(two));
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].name, "test/KEY_POWER");
    EXPECT_EQ(both[1].name, "tv-remote/KEY_POWER");
    EXPECT_EQ(both[1].line, 19u);
    const auto one =
        std::get<std::vector<codes::NamedSignal>>(readLircd(remote(kPulses + "  gap 40000\n", "KEY_OK 1")));
    EXPECT_EQ(one[0].name, "KEY_OK");
}

TEST(LircdFile, DamageIsNamedByFileAndLine) {
    const std::string devinput = "begin remote\n  name devinput\n  bits 16\n  eps 30\n  one 0 0\n  zero 0 0\n"
                                 "  pre_data_bits 16\n  pre_data 0x8001\n  gap 132799\n  begin codes\n"
                                 "    KEY_0 0x000B\n  end codes\nend remote\n";
    const struct {
        const char* what;
        std::string file;
        const char* message;
    } cases[] = {
        {"no end remote", "begin remote\n  name a\n  gap 1000\n",
         "remote.conf:1: remote 'a' has no 'end remote'"},
        {"no end remote before the next", "begin remote\n  name a\nbegin remote\n",
         "remote.conf:3: remote 'a' (line 1) has no 'end remote' before this one begins"},
        {"a code without a name", remote(kPulses + "  gap 40000\n", "0x10EF"),
         "remote.conf:11: code '0x10EF' has no button name"},
        {"a button without a code", remote(kPulses + "  gap 40000\n", "KEY_OK"),
         "remote.conf:11: button 'KEY_OK' has no code"},
        {"bits that do not fit", remote(kPulses + "  gap 40000\n", "KEY 0x1F"),
         "remote.conf:11: the code of 'KEY' does not fit in 4 bits"},
        {"more than 64 bits", remote("  bits 40\n  pre_data_bits 32\n  one 1 1\n  zero 1 2\n  gap 40000\n"),
         "remote.conf:4: remote 'test': pre_data_bits, bits and post_data_bits add up to 72, more than 64"},
        {"no timings: an input device's key map", devinput,
         "remote.conf:5: remote 'devinput' gives no timing for its bits"},
        {"no gap", remote(kPulses), "remote.conf:2: remote 'test' gives no gap"},
        {"an encoding not rendered", remote("  flags RCMM\n" + kPulses),
         "remote.conf:4: flag 'RCMM' is not one"},
        {"a pair of one value", remote("  header 9000\n"), "remote.conf:4: header takes a pulse and a space"},
        {"an unknown parameter", remote("  colour blue\n"), "remote.conf:4: unknown parameter 'colour'"},
        {"a raw code without durations",
         "begin remote\n  name r\n  gap 1\n  begin raw_codes\n    name A\n    name B\n      1 2 3\n"
         "  end raw_codes\nend remote\n",
         "remote.conf:5: raw code 'A' holds no durations"},
        {"a raw duration out of range",
         "begin remote\n  name r\n  begin raw_codes\n    name A\n      9000 0 560\n",
         "remote.conf:5: '0' is not a duration from 1 to 1000000 us"},
        {"codes left open", remote(kPulses + "  gap 1\n", "KEY 1\nend remote\n"),
         "remote.conf:12: expected 'end codes' before 'end remote'"},
        {"text after a remote", remote(kPulses + "  gap 1\n") + "KEY 1\n",
         "remote.conf:14: expected 'begin remote', found 'KEY'"},
    };
    for (const auto& c : cases) {
        const auto result = readLircd(c.file);
        ASSERT_TRUE(std::holds_alternative<codes::FileProblem>(result)) << c.what;
        EXPECT_EQ(codes::describe(std::get<codes::FileProblem>(result)).rfind(c.message, 0), 0u)
            << c.what << ": " << codes::describe(std::get<codes::FileProblem>(result));
    }
}

TEST(LircdFile, AFrameLongerThanItsConstantLengthSpoilsOnlyItsCode) {
    const auto result = readLircd(
        remote("  flags SPACE_ENC|CONST_LENGTH\n  gap 20000\n" + kPulses, "LONG 0xF\n    SHORT 0x0"));
    const auto& signals = std::get<std::vector<codes::NamedSignal>>(result);
    ASSERT_EQ(signals.size(), 2u);
    EXPECT_EQ(codes::describe(signals[0].unusable.value()),
              "remote.conf:12: code 'LONG': it lasts 23060 us, no less than the remote's "
              "gap of 20000 us (CONST_LENGTH)");
    EXPECT_FALSE(signals[1].unusable);
}

} // namespace
