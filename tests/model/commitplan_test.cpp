#include "model/commitplan.h"

#include <gtest/gtest.h>

namespace {

using namespace model;

model::DeviceLayout layoutWith(std::string index, std::string map, unsigned blocks) {
    model::DeviceLayout layout;
    layout.codeIndexCount = static_cast<unsigned>(index.size() / 12);
    layout.codeIndexText = std::move(index);
    layout.blockMap = std::move(map);
    layout.codeBlockCount = blocks;
    layout.presetCodeList = {"0A0000", "5a1001"};
    return layout;
}

ConverterAnswer answer(std::string identity, std::string codeData = std::string(40, 'A')) {
    return {std::move(identity), "0011223344556677", "8899AABBCCDDEEFF", std::move(codeData)};
}

CommitPlan planOf(const CommitDecision& decision) {
    EXPECT_TRUE(std::holds_alternative<CommitPlan>(decision));
    return std::holds_alternative<CommitPlan>(decision) ? std::get<CommitPlan>(decision) : CommitPlan{};
}

TEST(CommitPlan, TheWorkedExampleOfANewCode) {
    const auto layout = layoutWith("1A2B3C008002" + std::string(36, '0'), "1100000000000000", 16);
    const KeyTable table{"00|0|0|", "01|0|0|", "02|0|0|", "03|0|0|", "04|0|0|", "1A|0|0|"};
    const CommitPlan plan = planOf(planCommit(layout, table, "1A", answer("4D5E6F")));
    EXPECT_EQ(plan.slot, 5u);
    EXPECT_FALSE(plan.isPreset);
    EXPECT_FALSE(plan.alreadyStored);
    EXPECT_EQ(plan.codeIndexRef, "01FFFF");
    EXPECT_EQ(plan.slotRecord, "C0008001FFFF00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(plan.slotRecord.size(), 44u);
    EXPECT_EQ(plan.keyTableEntry, "1A|2|1|01FFFF");
    ASSERT_TRUE(plan.newCode);
    EXPECT_EQ(plan.newCode->firstBlock, 2u);
    EXPECT_EQ(plan.newCode->stored.blockMap, "1111100000000000");
    // clang-format off
    EXPECT_EQ(plan.newCode->stored.codeIndexText, "1A2B3C008002" "4D5E6F028003" + std::string(24, '0'));
    // clang-format on
    EXPECT_FALSE(plan.afterFreeingOld);
}

TEST(CommitPlan, FirstFitTakesTheFirstRunLongEnough) {
    EXPECT_EQ(firstFreeRun("1101011100000000", 16, 3), 8u);
    EXPECT_EQ(firstFreeRun("1101011100000000", 16, 1), 2u);
    // A run that would end at the map's last flag is not taken.
    EXPECT_EQ(firstFreeRun("1111111111111000", 16, 3), std::nullopt);
    EXPECT_EQ(firstFreeRun("1111111111111000", 16, 2), 13u);
    // Nor one past the code area's block count.
    EXPECT_EQ(firstFreeRun("1111111100000000", 10, 3), std::nullopt);
    EXPECT_EQ(blocksFor(std::string(16, 'A')), 1u);
    EXPECT_EQ(blocksFor(std::string(17, 'A')), 2u);
    EXPECT_EQ(blocksFor(std::string(32, 'A')), 2u);
    EXPECT_EQ(indexEntryText("4D5E6F", 8, 3), "4D5E6F088003");
}

TEST(CommitPlan, PresetsAreListedOrBelowTheStoredRange) {
    const auto layout = layoutWith(std::string(48, '0'), "0000000000000000", 16);
    const KeyTable table{"10|0|0|"};
    for (const char* identity : {"5A1001", "0a0000", "210000", "010000"}) {
        const CommitPlan plan = planOf(planCommit(layout, table, "10", answer(identity, "")));
        EXPECT_TRUE(plan.isPreset) << identity;
        EXPECT_EQ(plan.slotRecord, std::string("C00000") + identity + "00112233445566778899AABBCCDDEEFF");
        EXPECT_EQ(plan.keyTableEntry, std::string("10|2|0|") + identity);
        EXPECT_FALSE(plan.newCode);
    }
    EXPECT_FALSE(isBuiltInPreset("220000"));
    EXPECT_FALSE(isBuiltInPreset("210001"));
    EXPECT_FALSE(planOf(planCommit(layout, table, "10", answer("220000"))).isPreset);
}

TEST(CommitPlan, ACodeAnotherKeyStoredIsReferredToWithoutNewData) {
    // Entry 1 holds the code; entry 2 is free but carries the same identity and does not count.
    // clang-format off
    const auto layout = layoutWith("000000000000" "4D5E6F008002" "4D5E6F000000", "1100000000000000", 16);
    // clang-format on
    const KeyTable table{"10|0|0|", "11|2|1|01FFFF"};
    const CommitPlan plan = planOf(planCommit(layout, table, "10", answer("4D5E6F")));
    EXPECT_TRUE(plan.alreadyStored);
    EXPECT_EQ(plan.codeIndexRef, "01");
    EXPECT_EQ(plan.slotRecord.substr(0, 12), "C0008001FFFF");
    EXPECT_FALSE(plan.newCode);

    // clang-format off
    const auto onlyFree = layoutWith("000000000000" "111111008002" "4D5E6F000000", "1100000000000000", 16);
    // clang-format on
    const CommitPlan fresh = planOf(planCommit(onlyFree, table, "10", answer("4D5E6F")));
    EXPECT_FALSE(fresh.alreadyStored);
    EXPECT_EQ(fresh.codeIndexRef, "00FFFF");
}

TEST(CommitPlan, AKeyRelearnedWithItsOwnCodeNeverPointsAtAFreedEntry) {
    const auto layout = layoutWith("4D5E6F008003" + std::string(36, '0'), "1110000000000000", 16);
    const KeyTable table{"04|2|1|00FFFF"};
    const CommitPlan plan = planOf(planCommit(layout, table, "04", answer("4D5E6F")));
    ASSERT_TRUE(plan.newCode);
    EXPECT_EQ(plan.newCode->entry, 1u) << "the old entry is not reused while it is still referred to";
    EXPECT_EQ(plan.newCode->firstBlock, 3u);
    ASSERT_TRUE(plan.afterFreeingOld);
    // clang-format off
    EXPECT_EQ(plan.afterFreeingOld->codeIndexText, "000000000000" "4D5E6F038003" + std::string(24, '0'));
    // clang-format on
    EXPECT_EQ(plan.afterFreeingOld->blockMap, "0001110000000000");

    // Shared with another key, the stored code is simply referred to again.
    const KeyTable shared{"04|2|1|00FFFF", "05|2|1|00FFFF"};
    const CommitPlan again = planOf(planCommit(layout, shared, "04", answer("4D5E6F")));
    EXPECT_TRUE(again.alreadyStored);
    EXPECT_FALSE(again.afterFreeingOld);
}

// When only the room the key's own code frees is left, the key is emptied first and the new code
// goes there; while any other room is free, the old code stays until the new one is in place.
TEST(CommitPlan, ARelearnedKeyTakesItsOldCodesRoomOnlyWhenNothingElseFits) {
    const KeyTable table{"04|2|1|00FFFF", "05|2|1|01FFFF"};
    // clang-format off
    const auto full = layoutWith("4D5E6F008004" "AAAAAA048004", "11111111", 8);
    // clang-format on
    const CommitPlan plan = planOf(planCommit(full, table, "04", answer("7A7B7C", std::string(64, 'B'))));
    ASSERT_TRUE(plan.emptiedFirst);
    EXPECT_FALSE(plan.afterFreeingOld);
    EXPECT_EQ(plan.emptiedFirst->codeIndexText, "000000000000AAAAAA048004");
    EXPECT_EQ(plan.emptiedFirst->blockMap, "00001111");
    ASSERT_TRUE(plan.newCode);
    EXPECT_EQ(plan.newCode->stored.codeIndexText, "7A7B7C008004AAAAAA048004");
    EXPECT_EQ(plan.newCode->stored.blockMap, "11111111");

    const auto roomy = layoutWith("4D5E6F008004"
                                  "AAAAAA048004" +
                                      std::string(12, '0'),
                                  std::string(16, '1').replace(8, 8, 8, '0'), 16);
    const CommitPlan kept = planOf(planCommit(roomy, table, "04", answer("7A7B7C", std::string(64, 'B'))));
    EXPECT_FALSE(kept.emptiedFirst);
    EXPECT_TRUE(kept.afterFreeingOld);

    // A code another key still uses is never given up to make room.
    const KeyTable shared{"04|2|1|00FFFF", "05|2|1|01FFFF", "06|2|1|00FFFF"};
    EXPECT_EQ(std::get<CommitRefusal>(planCommit(full, shared, "04", answer("7A7B7C", std::string(64, 'B')))),
              CommitRefusal::IndexFull);
}

TEST(CommitPlan, WhatCannotBeStoredIsRefusedBeforeAnyWrite) {
    const KeyTable table{"10|0|0|"};
    // clang-format off
    const auto full = layoutWith("AAAAAA008001" "BBBBBB018001", "1100000000000000", 16);
    // clang-format on
    EXPECT_EQ(std::get<CommitRefusal>(planCommit(full, table, "10", answer("4D5E6F"))),
              CommitRefusal::IndexFull);
    const auto cramped = layoutWith("AAAAAA008001" + std::string(12, '0'), "1111111111111100", 16);
    EXPECT_EQ(std::get<CommitRefusal>(planCommit(cramped, table, "10", answer("4D5E6F"))),
              CommitRefusal::NoRoom);
    EXPECT_EQ(std::get<CommitRefusal>(planCommit(cramped, table, "10", answer("4D5E6F", ""))),
              CommitRefusal::NoCodeData);
    EXPECT_EQ(std::get<CommitRefusal>(planCommit(cramped, table, "77", answer("4D5E6F"))),
              CommitRefusal::NoKeyEntry);
    // An index entry counts its blocks in one byte: 256 blocks or more cannot be named.
    const auto roomy = layoutWith(std::string(24, '0'), std::string(400, '0'), 400);
    EXPECT_EQ(planOf(planCommit(roomy, table, "10", answer("4D5E6F", std::string(16 * 255, 'A'))))
                  .newCode->stored.codeIndexText.substr(0, 12),
              "4D5E6F0080FF");
    EXPECT_EQ(
        std::get<CommitRefusal>(planCommit(roomy, table, "10", answer("4D5E6F", std::string(16 * 256, 'A')))),
        CommitRefusal::CodeTooLong);
    // Key numbers match the key table whatever their letter case.
    EXPECT_EQ(planOf(planCommit(cramped, {"0a|0|0|"}, "0A", answer("010000", ""))).keyTableEntry,
              "0a|2|0|010000");
}

} // namespace
