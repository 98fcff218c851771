// Keys named by protocol, address and command: built, sent, recognised and named back.
#include "ir/addresscommand.h"

#include <gtest/gtest.h>

using namespace ir;

TEST(AddressCommand, EachProtocolsKeyIsSentAndRecognisedAsTheSameAddressAndCommand) {
    struct Case {
        const char* name;
        AddressCommand key;
        AddressCommand tooLarge;
    };
    const Case cases[] = {
        {"NEC", {0x04, 0x1A}, {0x100, 0}},       {"necext", {0x7F04, 0xE51A}, {0, 0x10000}},
        {"Samsung32", {0x07, 0x02}, {0x100, 0}}, {"RC5", {5, 0x10}, {0x20, 0}},
        {"RC5", {31, 0x7F}, {0, 0x80}}, // a command past 63 clears the field bit
        {"RC6", {0x00, 0x0C}, {0, 0x100}},       {"SIRC", {1, 0x15}, {0x20, 0}},
        {"SIRC15", {0xA3, 0x15}, {0, 0x80}},     {"SIRC20", {0x1CF5, 0x15}, {0x2000, 0}},
        {"JVC", {0x03, 0x29}, {0, 0x100}},       {"Kaseikyo", {0x3200280, 0x3FF}, {0x4000000, 0}},
        {"Sharp", {0x10, 0x45}, {0x20, 0}},      {"RCA", {0xF, 0x1E}, {0x10, 0}},
        {"Pioneer", {0x05, 0x48}, {0, 0x100}},   {"Denon", {0x08, 0x2C}, {0, 0x100}},
    };
    for (const Case& c : cases) {
        const auto protocol = protocolNamed(c.name);
        ASSERT_TRUE(protocol) << c.name;
        const auto code = codeFor(*protocol, c.key);
        ASSERT_TRUE(code) << c.name;
        EXPECT_EQ(addressAndCommand(*code).address, c.key.address) << c.name;
        EXPECT_EQ(addressAndCommand(*code).command, c.key.command) << c.name;
        const auto heard = recognise(pressFrames(protocolTransmission(*code), 2));
        ASSERT_FALSE(heard.empty()) << c.name;
        EXPECT_EQ(heard.front().protocol, *protocol) << c.name;
        EXPECT_EQ(heard.front().bits, code->bits) << c.name;
        EXPECT_FALSE(codeFor(*protocol, c.tooLarge)) << c.name;
    }
    // Kaseikyo carries its vendor's parity beside genre 1 (zero for the common vendor 0x2002).
    EXPECT_EQ((codeFor(Protocol::Kaseikyo, {0x010300, 0})->bits >> 16) & 0xF, 0x2u);
    EXPECT_FALSE(protocolNamed("NEC42"));
    EXPECT_FALSE(protocolNamed(""));
}
