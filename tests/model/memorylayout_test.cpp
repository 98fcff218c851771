#include "model/memorylayout.h"

#include <gtest/gtest.h>

#include <map>

using namespace model;

TEST(PointerTranslation, CountsFromTheBaseAtOrAboveItAndFromTheHeaderBelowIt) {
    EXPECT_EQ(translatePointer(0x8000, 0x8000, 0x1000), 0x0000u);
    EXPECT_EQ(translatePointer(0x7FFF, 0x8000, 0x1000), 0x1000u + 0x8000u - 1);
    EXPECT_EQ(translatePointer(0xA000, 0x8000, 0x1000), 0x2000u);
    EXPECT_EQ(translatePointer(0x0100, 0x8000, 0x1000), 0x1100u);
    // Pointing past the end of memory is possible and must be caught by the reader.
    EXPECT_EQ(translatePointer(0x7000, 0x8000, 0xF000), 0x16000u);
}

TEST(BlockMap, UnpacksEachDigitIntoFourFlagsMostSignificantFirst) {
    EXPECT_EQ(unpackBlockMap("A5"), "10100101");
    EXPECT_EQ(unpackBlockMap("80"), "10000000"); // only the first block of the byte in use
    EXPECT_EQ(unpackBlockMap("f0"), "11110000");
    EXPECT_EQ(unpackBlockMap(""), "");
    EXPECT_FALSE(unpackBlockMap("8G"));
}

TEST(BlockMap, PacksWholeBytesOfFlagsIntoUpperCaseHex) {
    EXPECT_EQ(packBlockMap("10100101"), "A5");
    EXPECT_EQ(packBlockMap("1111100000000000"), "F800");
    EXPECT_EQ(packBlockMap(""), "");
    for (const char* hex : {"00", "FF", "5AC3", "0102030405"})
        EXPECT_EQ(packBlockMap(*unpackBlockMap(hex)), hex);
}

TEST(CodeIndex, AnEntryIsInUseByTheHighDigitOfItsByte4) {
    EXPECT_FALSE(indexEntryInUse("000000000000"));
    EXPECT_TRUE(indexEntryInUse("210AF0058003"));
    EXPECT_FALSE(indexEntryInUse("210AF0057F03"));
    EXPECT_FALSE(indexEntryInUse("210AF005"));

    const auto blocks = indexEntryBlocks("210AF0058003");
    ASSERT_TRUE(blocks);
    EXPECT_EQ(blocks->firstBlock, 5u);
    EXPECT_EQ(blocks->blockCount, 3u);
    const auto wide = indexEntryBlocks("1A2B3C128020");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->firstBlock, 0x12u);
    EXPECT_EQ(wide->blockCount, 0x20u);
    EXPECT_FALSE(indexEntryBlocks("000000000000"));

    const std::string text = "000000000000210AF0058003210AF0057F03";
    EXPECT_EQ(indexEntry(text, 1), "210AF0058003");
    EXPECT_EQ(indexEntry(text, 3), "");
}

TEST(SlotState, FollowsTheFlagsAndTheStorageByte) {
    const auto record = [](const std::string& head) { return head + std::string(32, '0'); };
    EXPECT_EQ(slotState(record("000000000000")), "0|0|");
    EXPECT_EQ(slotState(record("80005A1001FF")), "1|0|");
    EXPECT_EQ(slotState(record("800080010203")), "1|1|010203");
    EXPECT_EQ(slotState(record("C000005A1501")), "2|0|");
    EXPECT_EQ(slotState(record("C0008003FFFF")), "2|1|03FFFF");
    // Bit 5 set: no code, whatever bytes 2 to 5 hold.
    EXPECT_EQ(slotState(record("A00080FFFFFF")), "0|0|");
    EXPECT_EQ(slotState(record("E0008003FFFF")), "0|0|");
    EXPECT_EQ(slotState(record("40008003FFFF")), "0|0|");
    EXPECT_FALSE(slotState(record("C0008003FFZZ")));
    EXPECT_FALSE(slotState("C000"));
}

TEST(SlotAddress, StepsTwentyTwoBytesPerSlot) {
    DeviceLayout layout;
    layout.slotBaseAddress = 0x1100;
    EXPECT_EQ(slotAddress(layout, 0), 0x1100u);
    EXPECT_EQ(slotAddress(layout, 5), 0x1100u + 110);
}

namespace {

// A remote's memory as text answers, for reading a layout without any device.
class FakeMemory {
public:
    FakeMemory() : bytes_(0x10000, 0) {}
    void put(unsigned address, const std::string& hex) {
        for (std::size_t i = 0; i < hex.size(); i += 2)
            bytes_.at(address + i / 2) =
                static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16));
    }
    BlockReader reader() {
        return [this](unsigned address, int blocks, std::size_t bufferChars) {
            reads.push_back({address, blocks});
            if (blocks <= 0 || address + 8ul * blocks > bytes_.size())
                return std::string();
            static const char* digits = "0123456789ABCDEF";
            std::string text;
            for (unsigned i = 0; i < 8u * blocks; ++i) {
                text += digits[bytes_[address + i] >> 4];
                text += digits[bytes_[address + i] & 15];
            }
            text.resize(std::max(bufferChars, text.size()), '\0');
            return text;
        };
    }
    std::vector<std::pair<unsigned, int>> reads;

private:
    std::vector<unsigned char> bytes_;
};

// Header at 0x1000, base 0x8000; 2 slots, 3 key numbers, 4 index entries, 13 code blocks.
FakeMemory smallLayout() {
    FakeMemory m;
    // clang-format off
    m.put(0xB03C, "0010000000000080" "08");
    m.put(0x1000, "0200" "0000000000" "04" "0D00" "000000000000" "0001" "000000000000" "0096" "000A" "00A0");
    m.put(0x1020, "03" "1A2B3C");
    m.put(0x1100, "C0008001FFFF" "00112233445566778899AABBCCDDEEFF");
    m.put(0x1116, "C000005A1001" "00112233445566778899AABBCCDDEEFF");
    m.put(0x1A00, "E000" "000000000000" "210AF0058003" "210AF0057F03" "4D5E6F008002");
    m.put(0x1600, "0200" "5A1001000000" "5A1101000000");
    // clang-format on
    return m;
}

} // namespace

TEST(ReadLayout, TakesEveryFieldOfASmallLayout) {
    FakeMemory memory = smallLayout();
    const LayoutRead read = readLayout(memory.reader());
    ASSERT_FALSE(read.failure);
    const DeviceLayout& l = read.layout;
    EXPECT_TRUE(l.complete);
    EXPECT_EQ(l.layoutHeaderAddress, 0x1000u);
    EXPECT_EQ(l.pointerBase, 0x8000u);
    EXPECT_EQ(l.deviceBlockUnit, "08");
    EXPECT_EQ(l.keySlotCount, 2u);
    EXPECT_EQ(l.codeIndexCount, 4u);
    EXPECT_EQ(l.codeBlockCount, 13u);
    EXPECT_EQ(l.keyListCount, 3u);
    EXPECT_EQ(l.slotBaseAddress, 0x1100u);
    EXPECT_EQ(l.presetTableAddress, 0x1600u);
    EXPECT_EQ(l.blockMapAddress, 0x1A00u);
    EXPECT_EQ(l.codeAreaAddress, 0x2000u);
    // 13 blocks take two map bytes: 16 flags, the last three padding.
    EXPECT_EQ(l.blockMap, "1110000000000000");
    EXPECT_EQ(l.codeIndexText, "000000000000210AF0058003210AF0057F034D5E6F008002");
    EXPECT_EQ(l.presetCodeList, (std::vector<std::string>{"5A1001", "5A1101"}));
    // One entry per slot; the third key number has no slot.
    EXPECT_EQ(read.keyTable, (std::vector<std::string>{"1A|2|1|01FFFF", "2B|2|0|"}));
    EXPECT_EQ(read.memoText.substr(0, 4), "E000");
    EXPECT_EQ(read.memoText.size(), 16u * 4);
}

TEST(ReadLayout, ReadsSevenTimesInOrderWithTheDescribedSizes) {
    FakeMemory memory = smallLayout();
    readLayout(memory.reader());
    const std::vector<std::pair<unsigned, int>> expected = {{0xB03C, 2}, {0x1000, 5}, {0x1020, 50},
                                                            {0x1100, 6}, {0x1A00, 4}, {0x1600, 120}};
    EXPECT_EQ(memory.reads, expected);
}

TEST(ReadLayout, ASlotCountOfZeroReadsOneBlockAndAddsNoEntry) {
    FakeMemory memory = smallLayout();
    memory.put(0x1000, "0000");
    const LayoutRead read = readLayout(memory.reader());
    ASSERT_FALSE(read.failure);
    EXPECT_TRUE(read.keyTable.empty());
    EXPECT_EQ(memory.reads.at(3), (std::pair<unsigned, int>{0x1100, 1}));
}

TEST(ReadLayout, SlotsPastTheKeyListGetANumberNoKeyCarries) {
    FakeMemory memory = smallLayout();
    memory.put(0x1020, "01");
    const LayoutRead read = readLayout(memory.reader());
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.keyTable, (std::vector<std::string>{"1A|2|1|01FFFF", "--|2|0|"}));
}

TEST(ReadLayout, PresetCountsBeyondTheReadTakeOnlyWhatWasRead) {
    FakeMemory memory = smallLayout();
    memory.put(0x1600, "0000");
    EXPECT_TRUE(readLayout(memory.reader()).layout.presetCodeList.empty());
    memory.put(0x1600, "FFFF");
    EXPECT_EQ(readLayout(memory.reader()).layout.presetCodeList.size(), kReadablePresets);
}

TEST(ReadLayout, StopsAtTheFirstFailureAndKeepsNothing) {
    const std::map<std::string, std::function<void(FakeMemory&)>> damage = {
        {"header runs past the end", [](FakeMemory& m) { m.put(0xB03C, "F0FF"); }},
        {"pointer outside memory",
         [](FakeMemory& m) {
             m.put(0xB03C, "00F0");
             m.put(0xF000, "0100");
             m.put(0xF010, "0070");
         }},
        {"slot table past the end", [](FakeMemory& m) { m.put(0x1000, "FFFF"); }},
        {"code area past the end", [](FakeMemory& m) { m.put(0x1008, "0020"); }},
        {"non-hex slot record", [](FakeMemory&) {}},
    };
    for (const auto& [name, apply] : damage) {
        SCOPED_TRACE(name);
        FakeMemory memory = smallLayout();
        apply(memory);
        BlockReader reader = memory.reader();
        if (name == "non-hex slot record") {
            reader = [inner = memory.reader()](unsigned address, int blocks, std::size_t chars) {
                std::string text = inner(address, blocks, chars);
                if (address == 0x1100)
                    text[1] = 'X';
                return text;
            };
        }
        const LayoutRead read = readLayout(reader);
        ASSERT_TRUE(read.failure);
        EXPECT_EQ(*read.failure, "未检测到遥控器，请检查USB连接线");
        EXPECT_FALSE(read.layout.complete);
        EXPECT_TRUE(read.keyTable.empty());
    }
}

TEST(ReadLayout, AFailedReadAtAnyStepStopsTheReadingThere) {
    for (std::size_t failing = 0; failing < 6; ++failing) {
        SCOPED_TRACE(failing);
        FakeMemory memory = smallLayout();
        std::size_t calls = 0;
        const BlockReader reader = [&, inner = memory.reader()](unsigned address, int blocks,
                                                                std::size_t chars) {
            return calls++ == failing ? std::string() : inner(address, blocks, chars);
        };
        const LayoutRead read = readLayout(reader);
        EXPECT_TRUE(read.failure);
        EXPECT_EQ(calls, failing + 1);
    }
}
