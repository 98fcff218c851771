#include "device/devicelink.h"
#include "devicefolder.h"
#include "kestrio/firmware.h"
#include "model/wire.h"

#include <gtest/gtest.h>

using namespace device;
using testsupport::DeviceFolder;

TEST(DeviceLink, ASuccessfulReadIsTheWholeBufferZerosIncluded) {
    DeviceFolder folder;
    const std::string text = link::readData(0xB03C, 2, "08", 512);
    ASSERT_EQ(text.size(), 512u);
    EXPECT_EQ(text.find('\0'), 32u);
    EXPECT_EQ(text.substr(0, 32), *emu::readBlocks(folder.snapshot(), 0xB03C, 2));

    EXPECT_EQ(link::readVersion().size(), wire::kVersionBufferSize);
    EXPECT_EQ(link::basicInformation().size(), wire::kBasicInfoBufferSize);
}

TEST(DeviceLink, ABufferNeverHoldsLessThanSixteenCharactersPerBlock) {
    DeviceFolder folder;
    // 200 blocks asked for with a 2048-character buffer: the buffer grows to hold them all.
    const std::string text = link::readData(0x1000, 200, "08", 2048);
    ASSERT_EQ(text.size(), 3200u);
    EXPECT_EQ(text, *emu::readBlocks(folder.snapshot(), 0x1000, 200));
}

TEST(DeviceLink, AFailedCallGivesEmptyText) {
    DeviceFolder folder;
    folder.setAttached(false);
    EXPECT_FALSE(link::attached());
    EXPECT_EQ(link::readVersion(), "");
    EXPECT_EQ(link::basicInformation(), "");
    EXPECT_EQ(link::readData(0xB000, 6, "08", 1024), "");
    EXPECT_EQ(link::collectCodeInfo(), "");
    EXPECT_FALSE(link::writeData("08", 0x2000, "00"));
    EXPECT_FALSE(link::setCodeCarrierWave());
    EXPECT_EQ(link::readData(0xB000, 0, "08", 1024), "");
}

TEST(DeviceLink, WritesGoToTheSplitAddress) {
    DeviceFolder folder;
    ASSERT_TRUE(link::writeData("08", 0x21AB, "0102"));
    const emu::Device d = folder.snapshot();
    EXPECT_EQ(d.memory[0x21AB], 0x01);
    EXPECT_EQ(d.memory[0x21AC], 0x02);
}

TEST(DeviceLink, AnAddressPastTheMemoryFailsInsteadOfWrapping) {
    DeviceFolder folder;
    const emu::Device before = folder.snapshot();
    EXPECT_EQ(link::readData(0x1B000, 6, "08", 1024), "");
    EXPECT_FALSE(link::writeData("08", 0x1B000, "FFFF"));
    EXPECT_EQ(folder.snapshot().memory, before.memory);
}
