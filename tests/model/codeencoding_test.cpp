#include "model/codeencoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace model;

namespace {

const std::string kCarrier = "4F4F5000";

std::string gapRun() { return std::string(kGapRun); }

// A device buffer: the record, then the zero bytes of the rest of the 10240 characters.
std::string deviceBuffer(const std::string& record) {
    std::string buffer = record;
    buffer.resize(10240, '\0');
    return buffer;
}

class DiagnosticFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() / ("qtm418-enc-" + std::to_string(random()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    std::filesystem::path file() const { return folder_ / "123.txt"; }
    std::string encode(const std::string& captured) { return encodeCapture(trimCapture(captured), file()); }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(DiagnosticFile, WorkedExampleOneFrame) {
    const std::string captured = deviceBuffer("E97834BC869006908690" + gapRun() + kCarrier);
    const std::string trimmed = trimCapture(captured);
    EXPECT_EQ(trimmed, "E97834BC869006908690" + gapRun() + kCarrier);
    EXPECT_EQ(encodeCapture(trimmed, file()), "1251222EE11CE01F6026A01F6FEFE0014EDED");
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(DiagnosticFile, WorkedExampleWithAGapAndASecondFrame) {
    const std::string captured =
        // clang-format off
        deviceBuffer("E97834BC869006908690" "7FFF7FFF1234" "E97834BC8690" + gapRun() + kCarrier);
    // clang-format on
    EXPECT_EQ(encode(captured), "2251222EE11CE01F6026A01F6FEFE0017EDED22EE11CE01F6EDED");
}

TEST_F(DiagnosticFile, ASpaceBeforeTheSilenceIsRemoved) {
    const std::string captured = deviceBuffer("E97834BC86900690" + gapRun() + kCarrier);
    EXPECT_EQ(trimCapture(captured), "E97834BC8690" + gapRun() + kCarrier);
    EXPECT_EQ(encode(captured), "1251222EE11CE01F6FEFE0014EDED");
}

TEST_F(DiagnosticFile, ARecordStartingWithASpaceHasNoResultAndIsLogged) {
    const std::string trimmed = trimCapture(deviceBuffer("34BCE978" + gapRun() + kCarrier));
    EXPECT_EQ(encodeCapture(trimmed, file()), "");
    EXPECT_EQ(diagnosticLine(file()), trimmed);
}

TEST_F(DiagnosticFile, AShortMarkIsWrittenAsEightDigits) {
    // 0x50 units is 26 microseconds; less the widening of the receiver it is negative.
    EXPECT_EQ(encode(deviceBuffer("805006908690" + gapRun() + kCarrier)),
              "12512FFFFFFE0026A01F6FEFE0014EDED");
}

TEST_F(DiagnosticFile, TenFrameGroupsGiveATwoDigitCount) {
    std::string record;
    for (int frame = 0; frame < 10; ++frame)
        record += (frame ? "7FFF1234" : "") + std::string("869006908690");
    const std::string encoded = encode(deviceBuffer(record + gapRun() + kCarrier));
    ASSERT_EQ(encoded.substr(0, 6), "102512");
    std::string body;
    for (int frame = 0; frame < 10; ++frame)
        body += (frame ? "FEFE000CEDED" : "") + std::string("01F6026A01F6");
    EXPECT_EQ(encoded.substr(6), body + "EDED");
}

TEST_F(DiagnosticFile, NoCarrierMeasuredGivesZeroCarrierAndALongMark) {
    EXPECT_EQ(encode(deviceBuffer("7FFF900010008690" + gapRun() + "00000000")),
              "100002FC5058F01F6FEFE0014EDED");
}

TEST_F(DiagnosticFile, TheCarrierIsTheMeasuredPeriodsInKilohertz) {
    // 56 kHz: three periods of 54 microseconds each, 55.5 kHz truncated.
    EXPECT_EQ(encode(deviceBuffer("8690" + gapRun() + "36363600")).substr(0, 5), "13712");
    const std::string sum150 = encode(deviceBuffer("8690" + gapRun() + "32323200")).substr(1, 2);
    EXPECT_TRUE(sum150 == "3B" || sum150 == "3C") << sum150;
}

TEST_F(DiagnosticFile, ASilenceFarIntoTheRecordCutsItToAnOddNumberOfWords) {
    std::string words;
    for (int i = 0; i < 760; ++i)
        words += "8100";
    const std::string trimmed = trimCapture(words + gapRun() + kCarrier);
    EXPECT_EQ(trimmed, words.substr(0, 4 * 759) + gapRun() + kCarrier);

    // At position 3001 the head is cut to 749 words; at 2997 all 749 words before the silence stay.
    EXPECT_EQ(trimCapture(words.substr(0, 4 * 750) + gapRun() + kCarrier).size(), 4 * 749 + 88u);
    EXPECT_EQ(trimCapture(words.substr(0, 4 * 749) + gapRun() + kCarrier).size(), 4 * 749 + 88u);
    // The cut keeps an odd count even when it lands after a space.
    const std::string spaced = std::string(4 * 750, '0');
    EXPECT_EQ(trimCapture(spaced + gapRun() + kCarrier).size(), 4 * 748 + 88u);
}

TEST_F(DiagnosticFile, ACaptureWithoutSilenceIsRefusedAndLogged) {
    EXPECT_EQ(trimCapture(deviceBuffer("E97834BC8690")), "0000");
    EXPECT_EQ(encodeCapture("0000", file()), "");
    EXPECT_EQ(diagnosticLine(file()), "0000");
    EXPECT_EQ(encodeCapture("", file()), "");
    EXPECT_EQ(diagnosticLine(file()), "");
}

TEST_F(DiagnosticFile, AShortGapBelowTwentyWordsStaysInTheRunUntilASpace) {
    // 7FFF before a mark: its run waits; the following gap run of 19 more words completes 20.
    // clang-format off
    const std::string record = "8690" "7FFF" "8690" + gapRun().substr(4) + kCarrier;
    EXPECT_EQ(encodeCapture(record, file()), "1251201F6" "01F6" "FEFE0014EDED");
    // clang-format on
}

TEST_F(DiagnosticFile, WordsThatAreNotHexAreRefused) {
    EXPECT_EQ(encode("E978Z4BC8690" + gapRun() + kCarrier), "");
    EXPECT_EQ(encode("E97834BC8690" + gapRun() + "4F4F"), "");
    EXPECT_EQ(encode("E97834BC8690" + gapRun() + std::string(8, '\0')), "");
    EXPECT_EQ(encodeCapture("7FFF", file()), "");
}

TEST(DiagnosticFileAbsent, AnUnwritableFileIsSkipped) {
    const auto nowhere = std::filesystem::temp_directory_path() / "qtm418-no-such-folder" / "sub" / "123.txt";
    EXPECT_EQ(encodeCapture("0000", nowhere), "");
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_EQ(diagnosticLine(nowhere), "");
}

TEST(WordBits, HighBitAndLowFifteen) {
    EXPECT_TRUE(hasHighBit("8000"));
    EXPECT_TRUE(hasHighBit("ffff"));
    EXPECT_FALSE(hasHighBit("7FFF"));
    EXPECT_FALSE(hasHighBit("9"));
    EXPECT_FALSE(hasHighBit("ZZZZ"));
    EXPECT_FALSE(hasHighBit(""));
    EXPECT_EQ(low15(0x8690), 0x0690);
    EXPECT_EQ(low15(0x7FFF), 0x7FFF);
    EXPECT_EQ(low15(0xFFFF), 0x7FFF);
}
