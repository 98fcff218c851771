#include "ir/capturewords.h"
#include "model/codeencoding.h"
#include "model/wire.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ir;

namespace {

std::string encoded(const Signal& signal) {
    return model::encodeCapture(model::trimCapture(captureRecord(signal)),
                                std::filesystem::temp_directory_path() / "qtm418-capturewords-123.txt");
}

std::string words(const std::string& record) { return record.substr(0, record.size() - 88); }

} // namespace

TEST(CaptureRecord, MarksAreWidenedAndSpacesShortenedInThirdsOfAMicrosecond) {
    const std::string record = captureRecord({38000, {9000, 4500, 560, 560, 560}});
    // 9058 us = 27174 units with bit 15; 4442 us = 13326 units.
    // clang-format off
    EXPECT_EQ(words(record), "EA26340E873E" "05E2" "873E");
    // clang-format on
    EXPECT_EQ(record.substr(record.size() - 88, 80), std::string(model::kGapRun));
    EXPECT_EQ(record.substr(record.size() - 8), "4F4F4F00");
    // The encoder takes the widening back off: the converter sees the durations that were sent.
    // clang-format off
    EXPECT_EQ(encoded({38000, {9000, 4500, 560, 560, 560}}), "12512" "2328119402300230" "0230FEFE0014EDED");
    // clang-format on
}

TEST(CaptureRecord, LongMarksAndSpacesTakeSeveralWords) {
    // A 12 ms mark is a full word and the rest; a 30 ms space two full words and the rest.
    const std::string record = captureRecord({38000, {12000, 30000, 560}});
    // clang-format off
    EXPECT_EQ(words(record), "7FFF" "8D4F" "7FFF7FFF" "5EE4" "873E");
    EXPECT_EQ(encoded({38000, {12000, 30000, 560}}), "22512" "2EE0" "FEFE001EEDED" "0230" "EDED");
    // clang-format on
}

TEST(CaptureRecord, ASpaceOfWholeWordsKeepsOneUnitOfRest) {
    // (10981 - 58) * 3 = 32769: just over one word; 10980.33 would be exactly one.
    const std::string record = captureRecord({38000, {560, 10981, 560}});
    // clang-format off
    EXPECT_EQ(words(record), "873E" "7FFF" "0002" "873E");
    // (32825 - 58) * 3 is exactly three full words.
    EXPECT_EQ(words(captureRecord({0, {560, 32825, 560}})), "873E" "7FFF7FFF7FFF" "0001" "873E");
    // clang-format on
}

TEST(CaptureRecord, TheRecordEndsAtTheFirstLongSilenceAndDropsAClosingSpace) {
    // clang-format off
    EXPECT_EQ(words(captureRecord({38000, {560, 560, 560, 250000, 9000, 4500, 560}})), "873E" "05E2" "873E");
    EXPECT_EQ(words(captureRecord({38000, {560, 560, 560, 560}})), "873E" "05E2" "873E");
    // clang-format on
}

TEST(CaptureRecord, CarrierBytesAreThreePeriodsInMicroseconds) {
    EXPECT_EQ(captureRecord({36000, {560}}).substr(84), "53535300");
    EXPECT_EQ(captureRecord({56000, {560}}).substr(84), "36363600");
    EXPECT_EQ(captureRecord({0, {560}}).substr(84), "00000000");
}

TEST(CaptureRecord, AVeryLongSignalIsCutAfterAMarkToFitTheBuffer) {
    Signal signal;
    for (int i = 0; i < 6001; ++i)
        signal.timings.push_back(i % 2 ? 600 : 500);
    const std::string record = captureRecord(signal);
    ASSERT_LE(record.size(), wire::kCaptureBufferSize);
    EXPECT_GT(record.size(), wire::kCaptureBufferSize - 16);
    const std::string body = words(record);
    EXPECT_EQ(body.size() % 8, 4u); // an odd number of words: mark, space, ..., mark
    EXPECT_EQ(body.substr(body.size() - 4, 1), "8");
}

TEST(CaptureText, IsHexWordsThatFitTheBuffer) {
    EXPECT_TRUE(isCaptureText("E97834bc"));
    EXPECT_FALSE(isCaptureText(""));
    EXPECT_FALSE(isCaptureText("E97"));
    EXPECT_FALSE(isCaptureText("E97834BZ"));
    EXPECT_FALSE(isCaptureText(std::string(wire::kCaptureBufferSize + 4, '0')));
    EXPECT_TRUE(isCaptureText(std::string(wire::kCaptureBufferSize, '0')));
}
