#include "model/keydeletion.h"

#include <gtest/gtest.h>

namespace {

using namespace model;

model::DeviceLayout layoutWith(std::string index, std::string map) {
    model::DeviceLayout layout;
    layout.codeIndexCount = static_cast<unsigned>(index.size() / 12);
    layout.codeIndexText = std::move(index);
    layout.blockMap = std::move(map);
    layout.codeBlockCount = static_cast<unsigned>(layout.blockMap.size());
    return layout;
}

TEST(KeyDeletion, TheSlotRecordNamesItsIndexEntryOnlyWhenItsStorageBitIsSet) {
    const KeyTable table{"00|2|1|05FFFF"};
    // clang-format off
    EXPECT_EQ(referencedIndexEntry("C00080" "03FFFF" "00112233", table, 0), "03");
    EXPECT_EQ(referencedIndexEntry("C00000" "4D5E6F" "00112233", table, 0), std::nullopt);
    EXPECT_EQ(referencedIndexEntry("C000Z0" "03FFFF", table, 0), std::nullopt);
    // clang-format on
}

TEST(KeyDeletion, AnUnreadableSlotFreesOnlyWhatItsOwnKeyTableEntryNames) {
    const KeyTable table{"00|2|1|05FFFF", "01|2|0|4D5E6F", "02|0", "03|"};
    EXPECT_EQ(referencedIndexEntry("", table, 0), "05");
    EXPECT_EQ(referencedIndexEntry("", table, 1), std::nullopt);
    EXPECT_EQ(referencedIndexEntry("", table, 2), std::nullopt);
    EXPECT_EQ(referencedIndexEntry("", table, 3), std::nullopt);
    EXPECT_EQ(referencedIndexEntry("", table, 9), std::nullopt);
}

TEST(KeyDeletion, AnEntryIsSharedOnlyByAnotherKeyThatStillUsesIt) {
    const KeyTable table{"00|2|1|03FFFF", "01|1|1|03", "02|0|1|03", "03|2|0|030000", "04|2|1|04"};
    EXPECT_TRUE(indexEntryShared(table, "00", "03")) << "the downloaded key 01 uses entry 03";
    EXPECT_FALSE(indexEntryShared({"00|2|1|03FFFF", "02|0|1|03"}, "00", "03"));
    EXPECT_FALSE(indexEntryShared(table, "04", "04")) << "a key does not share with itself";
    EXPECT_FALSE(indexEntryShared({"00|2|1|03FFFF", "05|2|1|03"}, "00", "03", {"05"}))
        << "a key cleared in the same run keeps nothing alive";
    EXPECT_TRUE(indexEntryShared({"00|2|1|03FFFF", "05|2|1|03"}, "00", "03"));
}

TEST(KeyDeletion, FreeingAnEntryZeroesItAndFreesExactlyItsBlocks) {
    // First block 0x12 (field 0x8012, low byte first), 0x20 blocks: flags 19 to 50.
    // clang-format off
    const auto layout = layoutWith("1A2B3C008002" "AABBCC128020", std::string(64, '1'));
    const auto freed = freeIndexEntry(layout, "01");
    ASSERT_TRUE(freed);
    EXPECT_EQ(freed->codeIndexText, "1A2B3C008002" "000000000000");
    // clang-format on
    EXPECT_EQ(freed->blockMap, std::string(18, '1') + std::string(32, '0') + std::string(14, '1'));
}

TEST(KeyDeletion, AnEntryReachingPastTheMapFreesOnlyBlocksInsideIt) {
    // clang-format off
    const auto layout = layoutWith("AABBCC0E8010" "AABBCC508003", std::string(16, '1'));
    // clang-format on
    const auto pastEnd = freeIndexEntry(layout, "00");
    ASSERT_TRUE(pastEnd);
    EXPECT_EQ(pastEnd->blockMap, std::string(14, '1') + "00");
    const auto outside = freeIndexEntry(layout, "01");
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->blockMap, std::string(16, '1'));
    // clang-format off
    EXPECT_EQ(outside->codeIndexText, "AABBCC0E8010" "000000000000");
    // clang-format on
}

TEST(KeyDeletion, AnEntryNumberOutsideTheIndexFreesNothing) {
    const auto layout = layoutWith("AABBCC008001", "1000000000000000");
    EXPECT_FALSE(freeIndexEntry(layout, "01"));
    EXPECT_FALSE(freeIndexEntry(layout, "ZZ"));
    // A free entry stays free and frees no block.
    const auto again = freeIndexEntry(layoutWith("000000000000", "1000000000000000"), "00");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->blockMap, "1000000000000000");
}

} // namespace
