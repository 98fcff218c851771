// Emptying keys on the remote without a window, checked in the virtual remote's memory.
#include "devicefolder.h"
#include "kestrio/layoutdump.h"
#include "keytablemeaning.h"

#include "device/keyclearing.h"
#include "device/layoutio.h"
#include "model/keytable.h"

#include <gtest/gtest.h>

namespace {

// The "learned" remote: key 04 alone on entry 0, keys 05 and 10 sharing entry 1, 11 a preset.
class LearnedRemote : public ::testing::Test {
protected:
    void SetUp() override {
        read = device::readDeviceLayout();
        ASSERT_FALSE(read.failure) << *read.failure;
    }
    std::size_t slotOf(const std::string& key) { return *model::findKeyEntry(read.keyTable, key, true); }
    device::ClearOutcome clear(const std::string& key) {
        return device::clearKeySlot(read.layout, read.keyTable, slotOf(key), "08");
    }
    model::LayoutRead onDevice() { return emu::dumpDevice(folder.snapshot()).layout; }
    void expectSound() {
        std::string problems;
        EXPECT_EQ(folder.emu({"check"}, &problems), 0) << problems;
    }

    testsupport::DeviceFolder folder{"learned"};
    model::LayoutRead read;
};

TEST_F(LearnedRemote, AKeyWithItsOwnCodeFreesItsEntryAndBlocks) {
    EXPECT_EQ(clear("04"), device::ClearOutcome::Cleared);
    const auto after = onDevice();
    EXPECT_EQ(model::entryState(after.keyTable[slotOf("04")]), model::kNoCode);
    EXPECT_FALSE(model::indexEntryInUse(model::indexEntry(after.layout.codeIndexText, 0)));
    EXPECT_EQ(after.layout.blockMap.substr(0, 5), "00011");
    EXPECT_EQ(after.layout.codeIndexText, read.layout.codeIndexText);
    expectSound();
}

TEST_F(LearnedRemote, ASharedCodeStaysUntilItsLastKeyLeaves) {
    EXPECT_EQ(clear("05"), device::ClearOutcome::Cleared);
    EXPECT_TRUE(model::indexEntryInUse(model::indexEntry(onDevice().layout.codeIndexText, 1)));
    expectSound();
    EXPECT_EQ(clear("10"), device::ClearOutcome::Cleared);
    EXPECT_FALSE(model::indexEntryInUse(model::indexEntry(onDevice().layout.codeIndexText, 1)));
    expectSound();
}

TEST_F(LearnedRemote, AFailedFlagWriteLeavesTheKeyItsCodeAndTheTableAsTheyWere) {
    const auto before = folder.snapshot().memory;
    const auto table = read.keyTable;
    folder.failNext(emu::Operation::WriteData);
    EXPECT_EQ(clear("04"), device::ClearOutcome::FlagNotWritten);
    EXPECT_EQ(folder.snapshot().memory, before);
    EXPECT_EQ(read.keyTable, table);
    EXPECT_TRUE(model::indexEntryInUse(model::indexEntry(read.layout.codeIndexText, 0)));

    read.layout.complete = false;
    EXPECT_EQ(clear("04"), device::ClearOutcome::LayoutUnknown);
    EXPECT_EQ(folder.snapshot().memory, before);
}

TEST_F(LearnedRemote, ClearingAllEmptiesEveryLearnedKeyAndFreesEveryCode) {
    const auto outcomes = device::clearLearnedKeys(read.layout, read.keyTable, "08");
    EXPECT_EQ(outcomes.size(), 4u);
    for (const auto& cleared : outcomes)
        EXPECT_EQ(cleared.outcome, device::ClearOutcome::Cleared) << cleared.slot;
    const auto after = onDevice();
    EXPECT_FALSE(model::hasLearnedKeys(after.keyTable));
    EXPECT_EQ(after.layout.blockMap.find('1'), std::string::npos);
    EXPECT_EQ(testsupport::meaning(read.keyTable), testsupport::meaning(after.keyTable));
    expectSound();
}

TEST_F(LearnedRemote, ClearingAllKeepsASharedCodeForAKeyWhoseWritesFail) {
    // Keys 05 and 10 share entry 1; every write of key 10's turn fails (its two flag writes).
    const std::size_t firstOfKey10 = 2 /* key 04 */ + 1 /* its index */ + 2 /* key 05 */;
    folder.failNext(emu::Operation::WriteData, 2, firstOfKey10);
    const auto outcomes = device::clearLearnedKeys(read.layout, read.keyTable, "08");
    ASSERT_EQ(outcomes.size(), 4u);
    EXPECT_EQ(outcomes[2].outcome, device::ClearOutcome::FlagNotWritten);
    const auto after = onDevice();
    EXPECT_EQ(model::entryState(after.keyTable[slotOf("10")]), model::kLearnedCode);
    EXPECT_TRUE(model::indexEntryInUse(model::indexEntry(after.layout.codeIndexText, 1)));
    EXPECT_EQ(testsupport::meaning(read.keyTable), testsupport::meaning(after.keyTable));
    expectSound();
}

} // namespace
