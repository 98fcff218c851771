// The learning commit's writes, checked in the virtual remote's memory: the worked example of a
// new code, the first-fit example, and the device's own view after each.
#include "devicefolder.h"
#include "kestrio/layoutbuilder.h"
#include "kestrio/layoutdump.h"
#include "kestrio/profiles.h"

#include "device/commitwrite.h"
#include "device/layoutio.h"
#include "model/commitplan.h"
#include "model/hextext.h"

#include <gtest/gtest.h>

namespace {

const model::ConverterAnswer kNewCode{"4D5E6F", "0011223344556677", "8899AABBCCDDEEFF",
                                      "0102030405060708090A0B0C0D0E0F1011121314"};

// A remote with keys 00-04 and 1A, a code area of 16 blocks and 4 index entries.
class SmallRemote : public ::testing::Test {
protected:
    void build(const std::vector<emu::IndexEntryPlan>& inUse) {
        emu::LayoutPlan plan = emu::factoryLayout();
        plan.keyNumbers = {0x00, 0x01, 0x02, 0x03, 0x04, 0x1A};
        plan.slotCount = 6;
        plan.slots.assign(6, emu::SlotPlan{});
        plan.codeBlockCount = 16;
        plan.index.assign(4, emu::IndexEntryPlan{});
        for (std::size_t e = 0; e < inUse.size(); ++e) {
            plan.index[e] = inUse[e];
            plan.codeData.emplace_back(inUse[e].firstBlock,
                                       std::vector<std::uint8_t>(8 * inUse[e].blockCount, 0xEE));
        }
        emu::Device device = folder.snapshot();
        emu::writeLayout(device.memory, plan);
        ASSERT_TRUE(folder.store().replace(device));
        read = device::readDeviceLayout();
        ASSERT_FALSE(read.failure) << *read.failure;
    }

    model::CommitPlan commit(const model::ConverterAnswer& answer) {
        const auto decision = model::planCommit(read.layout, read.keyTable, "1A", answer);
        EXPECT_TRUE(std::holds_alternative<model::CommitPlan>(decision));
        if (!std::holds_alternative<model::CommitPlan>(decision))
            return {};
        const auto plan = std::get<model::CommitPlan>(decision);
        EXPECT_EQ(device::writeCommit(read.layout, plan), device::CommitOutcome::Written);
        read.keyTable[plan.slot] = plan.keyTableEntry;
        return plan;
    }

    std::string memoryHex(unsigned address, unsigned bytes) {
        const emu::Device device = folder.snapshot();
        std::string hex;
        for (unsigned i = 0; i < bytes; ++i)
            hex += model::formatHex(device.memory[address + i], 2);
        return hex;
    }

    testsupport::DeviceFolder folder{"factory"};
    model::LayoutRead read;
};

TEST_F(SmallRemote, TheWorkedExampleOfANewCodeLandsInTheRemote) {
    build({{{0x1A, 0x2B, 0x3C}, 0, 2, true}});
    ASSERT_EQ(read.keyTable[5], "1A|0|0|");
    commit(kNewCode);

    const auto onDevice = emu::dumpDevice(folder.snapshot()).layout;
    EXPECT_EQ(onDevice.keyTable[5], "1A|2|1|01FFFF");
    EXPECT_EQ(memoryHex(read.layout.slotBaseAddress + 110, 22),
              "C0008001FFFF00112233445566778899AABBCCDDEEFF");
    EXPECT_EQ(memoryHex(read.layout.codeAreaAddress + 16, 20), kNewCode.codeData);
    // The block map (F800) directly followed by the four entries.
    EXPECT_EQ(memoryHex(read.layout.blockMapAddress, 2 + 24),
              // clang-format off
              "F800" "1A2B3C008002" "4D5E6F028003" "000000000000" "000000000000");
    // clang-format on
    EXPECT_EQ(onDevice.layout.blockMap, "1111100000000000");
    EXPECT_EQ(read.layout.codeIndexText, onDevice.layout.codeIndexText);
    std::string problems;
    EXPECT_EQ(folder.emu({"check"}, &problems), 0) << problems;
}

TEST_F(SmallRemote, FirstFitSkipsRunsTooShort) {
    // Map 1101011100000000: blocks 0-1, 3 and 5-7 in use.
    build({{{0x11, 0x11, 0x11}, 0, 2, true},
           {{0x22, 0x22, 0x22}, 3, 1, true},
           {{0x33, 0x33, 0x33}, 5, 3, true}});
    ASSERT_EQ(read.layout.blockMap, "1101011100000000");
    commit(kNewCode);
    const auto onDevice = emu::dumpDevice(folder.snapshot()).layout.layout;
    EXPECT_EQ(onDevice.blockMap, "1101011111100000");
    EXPECT_EQ(onDevice.codeIndexText.substr(36, 12), "4D5E6F088003");
    EXPECT_EQ(memoryHex(read.layout.codeAreaAddress + 64, 20), kNewCode.codeData);
    std::string problems;
    EXPECT_EQ(folder.emu({"check"}, &problems), 0) << problems;
}

TEST_F(SmallRemote, AFullIndexIsRefusedWithNothingWritten) {
    build({{{0x11, 0x11, 0x11}, 0, 1, true},
           {{0x22, 0x22, 0x22}, 1, 1, true},
           {{0x33, 0x33, 0x33}, 2, 1, true},
           {{0x44, 0x44, 0x44}, 3, 1, true}});
    const auto decision = model::planCommit(read.layout, read.keyTable, "1A", kNewCode);
    ASSERT_TRUE(std::holds_alternative<model::CommitRefusal>(decision));
    EXPECT_EQ(std::get<model::CommitRefusal>(decision), model::CommitRefusal::IndexFull);
}

} // namespace
