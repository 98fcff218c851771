#include "device/codeconverter.h"
#include "model/codeencoding.h"
#include "model/converteranswer.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace model;
using namespace device;

TEST(ConverterAnswer, SplitsIdentityFieldsAndCodeData) {
    const auto preset = parseConverterAnswer("010000::2004FB08F7000000:0100C40901000000:::");
    ASSERT_TRUE(preset);
    EXPECT_EQ(preset->identity, "010000");
    EXPECT_EQ(preset->firstField, "2004FB08F7000000");
    EXPECT_EQ(preset->secondField, "0100C40901000000");
    EXPECT_EQ(preset->codeData, "");

    EXPECT_FALSE(parseConverterAnswer("4D5E6F::00112233445566778899:AABBCCDDEEFF:::01020")); // half a byte
    // Fields of other lengths are taken as long as they make the slot's 16 bytes.
    const auto uneven = parseConverterAnswer("4d5e6f::00112233445566778899:aabbccddeeff:::01020304");
    ASSERT_TRUE(uneven);
    EXPECT_EQ(uneven->secondField, "aabbccddeeff");
    EXPECT_EQ(uneven->codeData, "01020304");
}

TEST(ConverterAnswer, RefusesEveryOtherForm) {
    for (const char* bad : {"", "::", "010000", "010000::", "010000::00:00",
                            "01000::0000000000000000:0000000000000000:::",      // 5-digit identity
                            "01000G::0000000000000000:0000000000000000:::",     // not hex
                            "010000::000000000000000:0000000000000000:::",      // 31 digits
                            "010000::0000000000000000:00000000000000000:::",    // 33 digits
                            "010000::00000000000000000000000000000000::::",     // empty second field
                            "010000::0000000000000000:0000000000000000::00",    // no ":::"
                            "010000::0000000000000000:0000000000000000:::0:00", // colon in the data
                            "010000::0000000000000000:000000000000000X:::"})
        EXPECT_FALSE(parseConverterAnswer(bad)) << bad;
}

TEST(ConverterLibrary, IsLoadedByNameAndConvertsTheEncodedCapture) {
    const std::string encoded =
        encodeCapture(trimCapture("E97834BC86900690869006908690" + std::string(kGapRun) + "4F4F5000"),
                      std::filesystem::temp_directory_path() / "qtm418-converter-123.txt");
    ASSERT_FALSE(encoded.empty());
    const std::string answer = convertCode(encoded.substr(5));
    ASSERT_TRUE(parseConverterAnswer(answer)) << answer;
    // Loaded once, it stays: the same input gives the same answer.
    EXPECT_EQ(convertCode(encoded.substr(5)), answer);
    EXPECT_EQ(convertCode(""), "");
    EXPECT_EQ(convertCode("not a capture"), "");
}

TEST(ConverterLibrary, AMissingLibraryOrExportConvertsNothing) {
    EXPECT_EQ(convertCodeWith("NoSuchConverter", "22EE11CE01F6FEFE0014EDED"), "");
    // The device library is there but has no ConvertCode.
    EXPECT_EQ(convertCodeWith("kestrio", "22EE11CE01F6FEFE0014EDED"), "");
}
