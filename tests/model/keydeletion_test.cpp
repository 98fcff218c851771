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

TEST(KeyDeletion, AnEntryIsSharedOnlyByAnotherSlotThatStillUsesIt) {
    const KeyTable table{"00|2|1|03FFFF", "01|1|1|03", "02|0|1|03", "03|2|0|030000", "04|2|1|04"};
    EXPECT_TRUE(indexEntryShared(table, 0, "03")) << "the downloaded key 01 uses entry 03";
    EXPECT_FALSE(indexEntryShared({"00|2|1|03FFFF", "02|0|1|03"}, 0, "03"));
    EXPECT_FALSE(indexEntryShared(table, 4, "04")) << "a slot does not share with itself";
    // Filler slots past the key list all carry "--": each is a slot of its own.
    EXPECT_TRUE(indexEntryShared({"--|2|1|03FFFF", "--|2|1|03FFFF"}, 0, "03"));
    EXPECT_TRUE(indexEntryShared({"00|2|1|0aFFFF", "05|2|1|0A"}, 0, "0A")) << "hex digits in either case";
}

TEST(KeyDeletion, OrphanEntriesAreThoseNoSlotRefersTo) {
    // Entry 0 used by key 00, entry 1 by nobody, entry 2 free, entry 3 by a downloaded key.
    // clang-format off
    auto layout = layoutWith("1A2B3C008002" "4D5E6F028001" "000000000000" "AABBCC038001", "1111000000000000");
    // clang-format on
    layout.complete = true;
    const KeyTable table{"00|2|1|00FFFF", "01|0|0|", "02|1|1|03"};
    EXPECT_EQ(orphanEntries(layout, table), std::vector<unsigned>{1});
    EXPECT_EQ(reclaimOrphans(layout, table), 1u);
    EXPECT_EQ(layout.codeIndexText.substr(12, 12), "000000000000");
    EXPECT_EQ(layout.blockMap, "1101000000000000");
    EXPECT_TRUE(orphanEntries(layout, table).empty());

    layout.complete = false;
    EXPECT_EQ(reclaimOrphans(layout, {}), 0u) << "a layout not read completely is left alone";
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
