#include "model/keytable.h"

#include <gtest/gtest.h>

namespace {

using namespace model;

TEST(KeyTable, LearnedKeysAreThoseInStateTwoOnly) {
    EXPECT_FALSE(hasLearnedKeys({}));
    EXPECT_FALSE(hasLearnedKeys({"00|0|0|", "01|0", "02|1|0|", "03|1|1|05FFFF", "04|"}));
    EXPECT_TRUE(hasLearnedKeys({"00|0|0|", "27|2|1|03FFFF"}));
    EXPECT_TRUE(hasLearnedKeys({"17|2|0|4D5E6F"}));
}

TEST(KeyTable, ClearingMarksOnlyTheFirstEntryOfTheKey) {
    KeyTable table{"10|2|1|01FFFF", "11|2|0|4D5E6F", "10|2|1|02"};
    markKeyCleared(table, "10");
    EXPECT_EQ(table, (KeyTable{"10|0", "11|2|0|4D5E6F", "10|2|1|02"}));
    EXPECT_EQ(entryState(table[0]), kNoCode);

    const KeyTable before = table;
    markKeyCleared(table, "77");
    markKeyCleared(table, "1");
    EXPECT_EQ(table, before);
}

TEST(KeyTable, EntriesAreFoundByExactKeyNumberUnlessCaseIsIgnored) {
    const KeyTable table{"0a|2|0|", "1A|2|1|01", "1A|0|0|"};
    EXPECT_EQ(findKeyEntry(table, "1A"), 1u);
    EXPECT_EQ(findKeyEntry(table, "0A"), std::nullopt);
    EXPECT_EQ(findKeyEntry(table, "0A", true), 0u);
    EXPECT_EQ(findKeyEntry(table, "1a", true), 1u);
    EXPECT_EQ(findKeyEntry({}, "00"), std::nullopt);
}

TEST(KeyTable, ShortEntriesHaveNoState) {
    EXPECT_EQ(entryState("04|"), '\0');
    EXPECT_EQ(entryState("04|2"), kLearnedCode);
    EXPECT_EQ(entryKeyNumber("04|"), "04");
}

TEST(KeyTable, KeyNumbersIndexTheHundredSixtyEightPictures) {
    EXPECT_EQ(keyPictureIndex("00"), 0);
    EXPECT_EQ(keyPictureIndex("27"), 39);
    EXPECT_EQ(keyPictureIndex("1A"), 26);
    EXPECT_EQ(keyPictureIndex("60"), 96);
    EXPECT_EQ(keyPictureIndex("A7"), 167);
    EXPECT_EQ(keyPictureIndex("A8"), std::nullopt);
    EXPECT_EQ(keyPictureIndex(""), std::nullopt);
    EXPECT_EQ(keyPictureIndex("G1"), std::nullopt);
    EXPECT_EQ(keyPictureIndex("123"), std::nullopt);
}

TEST(KeyTable, EveryEntryOfAKeyDecidesItsLookInOrder) {
    const KeyTable table{"27|2|1|03FFFF", "30|1|0|", "31|0|0|", "27|1|0|", "32|"};
    EXPECT_EQ(keyLooks(table, "27"), (std::vector<KeyLook>{KeyLook::Learned, KeyLook::Occupied}));
    EXPECT_EQ(keyLooks(table, "30"), std::vector<KeyLook>{KeyLook::Occupied});
    EXPECT_TRUE(keyLooks(table, "31").empty());
    EXPECT_TRUE(keyLooks(table, "32").empty());
    // Command buttons have no key number and match nothing.
    EXPECT_TRUE(keyLooks(table, "").empty());
}

} // namespace
