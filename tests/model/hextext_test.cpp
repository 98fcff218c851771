#include "model/hextext.h"

#include <gtest/gtest.h>

using namespace model;

TEST(HexText, ParsesDigitsOfEitherCaseAndNothingElse) {
    EXPECT_EQ(parseHex("0"), 0u);
    EXPECT_EQ(parseHex("a5"), 0xA5u);
    EXPECT_EQ(parseHex("A5"), 0xA5u);
    EXPECT_EQ(parseHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_FALSE(parseHex(""));
    EXPECT_FALSE(parseHex("O1"));
    EXPECT_FALSE(parseHex(" 1"));
    EXPECT_FALSE(parseHex(std::string("1\0", 2)));
    EXPECT_FALSE(parseHex("123456789"));
}

TEST(HexText, FormatsUpperCaseZeroPaddedAndWidensWhenNeeded) {
    EXPECT_EQ(formatHex(0x1A, 2), "1A");
    EXPECT_EQ(formatHex(5, 4), "0005");
    EXPECT_EQ(formatHex(0x12345, 4), "12345");
    EXPECT_EQ(formatHex(0, 2), "00");
    EXPECT_EQ(formatHex(-1, 4), "FFFFFFFF");
    EXPECT_EQ(formatHex(-18, 4), "FFFFFFEE");
}

TEST(HexText, WordsAreLittleEndian) {
    EXPECT_EQ(wordAt("3412", 1), 0x1234u);
    EXPECT_EQ(wordAt("00003C00", 5), 0x003Cu);
    EXPECT_EQ(wordAt("0080", 1), 0x8000u);
    EXPECT_FALSE(wordAt("341", 1));
    EXPECT_FALSE(wordAt("34ZZ", 1));
    EXPECT_FALSE(wordAt("3412", 0));
    EXPECT_EQ(byteAt("00A5", 3), 0xA5u);
}

TEST(HexText, AddressesSplitIntoTwoUpperCaseHalvesAndNeverWrap) {
    const auto a = splitAddress(0xB03C);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->high, "B0");
    EXPECT_EQ(a->low, "3C");
    const auto b = splitAddress(0xFFFF);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->high, "FF");
    EXPECT_EQ(b->low, "FF");
    // Past the remote's 64 KiB the address would wrap onto its identification or locator.
    EXPECT_FALSE(splitAddress(0x10000));
    EXPECT_FALSE(splitAddress(0x1B03C));
}

TEST(HexText, CharactersCountFromOneAndStopAtTheEnd) {
    EXPECT_EQ(characters("ABCDEF", 2, 3), "BCD");
    EXPECT_EQ(characters("ABCDEF", 5, 10), "EF");
    EXPECT_EQ(characters("ABCDEF", 7, 1), "");
    EXPECT_EQ(characters("ABCDEF", 0, 1), "");
}
