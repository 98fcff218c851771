// The start-up read against the virtual remote's profiles, and the write-back of map and index.
#include "device/layoutio.h"
#include "devicefolder.h"
#include "kestrio/layoutdump.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace device;
using namespace model;
using testsupport::DeviceFolder;

namespace {

std::vector<std::string> exchangeLog(const DeviceFolder& folder) {
    std::ifstream in(folder.path() / "exchanges.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::size_t countLines(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t n = 0;
    for (const auto& line : lines)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

} // namespace

TEST(DeviceLayoutRead, TheFactoryRemoteReadsAsItsDumpShows) {
    DeviceFolder folder;
    const LayoutRead read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    const emu::LayoutDump dump = emu::dumpDevice(folder.snapshot());
    EXPECT_EQ(read.keyTable, dump.layout.keyTable);
    ASSERT_EQ(read.keyTable.size(), 49u);
    EXPECT_EQ(read.keyTable[0], "00|1|0|"); // downloaded: shows green
    EXPECT_EQ(read.keyTable[3], "03|0|0|");
    EXPECT_EQ(read.keyTable[48], "60|0|0|");
    const DeviceLayout& l = read.layout;
    EXPECT_EQ(l.deviceBlockUnit, "08");
    EXPECT_EQ(l.codeBlockCount, 400u);
    EXPECT_EQ(l.blockMap, std::string(400, '0'));
    EXPECT_EQ(l.codeIndexText, std::string(32 * 12, '0'));
    EXPECT_EQ(l.presetCodeList.size(), 14u);
    // Two areas counted from the header, two from the pointer base.
    EXPECT_EQ(l.slotBaseAddress, 0x1100u);
    EXPECT_EQ(l.presetTableAddress, 0x1600u);
    EXPECT_EQ(l.blockMapAddress, 0x1A00u);
    EXPECT_EQ(l.codeAreaAddress, 0x2000u);
}

TEST(DeviceLayoutRead, ReadsSixTimesWithBlockUnit08AndWritesNothing) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"trace", "on"}), 0);
    readDeviceLayout();
    const auto log = exchangeLog(folder);
    const std::vector<std::string> expected = {
        "readdatav20 B03C 2 08 -> ok",   "readdatav20 1000 5 08 -> ok",  "readdatav20 1020 50 08 -> ok",
        "readdatav20 1100 135 08 -> ok", "readdatav20 1A00 31 08 -> ok", "readdatav20 1600 120 08 -> ok"};
    EXPECT_EQ(log, expected);
}

TEST(DeviceLayoutRead, EachLayoutProfileReadsWithItsOwnFigures) {
    DeviceFolder folder("pointer-edges");
    LayoutRead read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.layout.presetTableAddress, 0x0000u);
    EXPECT_EQ(read.layout.codeAreaAddress, 0x1000u + 0x8000u - 1);

    folder.reset("blocks-13");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.layout.blockMap, "1000000000000000");

    folder.reset("no-slots");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_TRUE(read.keyTable.empty());

    folder.reset("no-presets");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_TRUE(read.layout.presetCodeList.empty());

    folder.reset("slot-states");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.keyTable[0], "00|0|0|");
    EXPECT_EQ(read.keyTable[1], "01|1|0|");
    EXPECT_EQ(read.keyTable[2], "02|1|1|00FFFF");
    EXPECT_EQ(read.keyTable[3], "03|2|0|");
    EXPECT_EQ(read.keyTable[5], "05|0|0|");
    EXPECT_EQ(read.keyTable[6], "06|0|0|");
    EXPECT_EQ(read.keyTable[23], "27|2|1|03FFFF");

    folder.reset("short-key-list");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    ASSERT_EQ(read.keyTable.size(), 49u);
    EXPECT_EQ(read.keyTable[39].substr(0, 3), "47|");
    EXPECT_EQ(read.keyTable[40], "--|0|0|");

    folder.reset("long-key-list");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.keyTable.size(), 40u);
    EXPECT_EQ(read.layout.keyListCount, 49u);

    folder.reset("learned");
    read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.keyTable[4], "04|2|1|00FFFF");
    EXPECT_EQ(read.keyTable[5], "05|2|1|01FFFF");
    EXPECT_EQ(read.keyTable[8], "10|2|1|01FFFF");
    EXPECT_EQ(read.keyTable[9], "11|2|0|");
    EXPECT_EQ(read.layout.codeIndexText.substr(0, 24), "4D5E6F0080033A2B1C038002");
    EXPECT_EQ(read.layout.blockMap.substr(0, 8), "11111000");
}

TEST(DeviceLayoutRead, AMapAndIndexOfMoreThan128BlocksReadWhole) {
    DeviceFolder folder("big-index");
    const LayoutRead read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    EXPECT_EQ(read.layout.codeIndexCount, 250u);
    EXPECT_EQ(read.layout.blockMap.size(), 2000u);
    EXPECT_EQ(read.layout.codeIndexText.size(), 250u * 12);
    EXPECT_EQ(read.layout.codeIndexText.substr(249 * 12), "667788CC8704"); // the last entry: block 1996
    EXPECT_EQ(read.layout.blockMap.substr(1988), "001111001111");          // entries 200 and 249
    EXPECT_EQ(read.memoText.size(), 16u * 219);
}

TEST(DeviceLayoutRead, CorruptLayoutsEndInTheMessageWithoutAWrite) {
    for (const char* profile :
         {"corrupt-pointer", "corrupt-header", "corrupt-counts", "corrupt-code-area", "corrupt-hex"}) {
        SCOPED_TRACE(profile);
        DeviceFolder folder(profile);
        const emu::Memory before = folder.snapshot().memory;
        const LayoutRead read = readDeviceLayout();
        ASSERT_TRUE(read.failure);
        EXPECT_EQ(*read.failure, "未检测到遥控器，请检查USB连接线");
        EXPECT_FALSE(writeIndexState(read.layout));
        EXPECT_EQ(folder.snapshot().memory, before);
    }
}

TEST(DeviceLayoutRead, AReadFailingAtAnyStepStopsTheReadingThere) {
    for (unsigned step = 0; step < 6; ++step) {
        SCOPED_TRACE(step);
        DeviceFolder folder;
        folder.emu({"trace", "on"});
        folder.failNext(emu::Operation::ReadData, 1, step);
        const LayoutRead read = readDeviceLayout();
        EXPECT_TRUE(read.failure);
        const auto log = exchangeLog(folder);
        EXPECT_EQ(countLines(log, "readdatav20"), step + 1);
        EXPECT_EQ(countLines(log, "writedatav20"), 0u);
    }
}

TEST(WriteIndexState, WritesThePackedMapThenTheIndexAtTheMapAddress) {
    DeviceFolder folder;
    LayoutRead read = readDeviceLayout();
    ASSERT_FALSE(read.failure);
    DeviceLayout& l = read.layout;
    l.blockMap.replace(0, 5, "11111");
    l.codeIndexText.replace(0, 24, "1A2B3C0080024D5E6F028003");
    folder.emu({"trace", "on"});
    ASSERT_TRUE(writeIndexState(l));
    const auto log = exchangeLog(folder);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "writedatav20 1A00 08 F800" + std::string(96, '0') + "1A2B3C0080024D5E6F028003" +
                          std::string(30 * 12, '0') + " -> ok");
    const LayoutRead again = readDeviceLayout();
    EXPECT_EQ(again.layout.blockMap, l.blockMap);
    EXPECT_EQ(again.layout.codeIndexText, l.codeIndexText);
}
