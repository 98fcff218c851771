// The seven exported operations, called as the program calls them.
#include "devicefolder.h"
#include "environment.h"
#include "kestrio.h"
#include "kestrio/firmware.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>
#include <vector>

using namespace emu;
using testsupport::DeviceFolder;

namespace {

std::string readText(int blocks, const char* high, const char* low, const char* unit = "08") {
    std::vector<char> buffer(16 * static_cast<std::size_t>(std::max(blocks, 1)) + 16, 0);
    if (!readdatav20(buffer.data(), blocks, high, low, unit))
        return {};
    return std::string(buffer.data());
}

} // namespace

TEST(DeviceLibrary, AnswersWhatTheRemoteHolds) {
    DeviceFolder folder;
    EXPECT_TRUE(link_state());

    std::vector<char> version(250, 0);
    ASSERT_TRUE(ReadVersion(version.data()));
    EXPECT_EQ(std::string(version.data(), 4), "1020");

    std::vector<char> info(1024, 0);
    ASSERT_TRUE(RBasicInfo(info.data()));
    EXPECT_EQ(std::string(info.data()), basicInformation(folder.snapshot()));

    EXPECT_EQ(readText(6, "B0", "00"), std::string(info.data()));
    EXPECT_EQ(readText(2, "B0", "3C").size(), 32u);
}

TEST(DeviceLibrary, AReadFillsExactlySixteenCharactersPerBlock) {
    DeviceFolder folder;
    std::vector<char> buffer(64, 'x');
    ASSERT_TRUE(readdatav20(buffer.data(), 2, "B0", "00", "08"));
    EXPECT_NE(buffer[31], 'x');
    EXPECT_EQ(buffer[32], 'x'); // no terminator or padding past the blocks asked for
}

TEST(DeviceLibrary, WritesAreKeptAndMalformedOnesChangeNothing) {
    DeviceFolder folder;
    EXPECT_TRUE(writedatav20("08", "20", "00", "C00080"));
    EXPECT_EQ(readText(1, "20", "00").substr(0, 6), "C00080");

    const Memory before = folder.snapshot().memory;
    EXPECT_FALSE(writedatav20("08", "FF", "FF", "0102"));
    EXPECT_FALSE(writedatav20("08", "20", "00", "C0008"));
    EXPECT_FALSE(writedatav20("08", "20", "00", "XY"));
    EXPECT_FALSE(writedatav20("08", "2", "00", "00"));
    EXPECT_FALSE(writedatav20("10", "20", "00", "00"));
    EXPECT_FALSE(writedatav20("08", "20", "00", nullptr));
    EXPECT_EQ(folder.snapshot().memory, before);
}

TEST(DeviceLibrary, RefusesReadsOutsideMemoryOrWithAnotherBlockUnit) {
    DeviceFolder folder;
    EXPECT_EQ(readText(2, "FF", "F8"), "");
    EXPECT_EQ(readText(0, "10", "00"), "");
    EXPECT_EQ(readText(-1, "10", "00"), "");
    EXPECT_EQ(readText(1, "10", "00", "8"), "");
    EXPECT_EQ(readText(1, "1G", "00"), "");
    EXPECT_FALSE(readdatav20(nullptr, 1, "10", "00", "08"));
}

TEST(DeviceLibrary, AnUnpluggedRemoteAnswersNothing) {
    DeviceFolder folder;
    folder.setAttached(false);
    std::vector<char> buffer(10240, 0);
    EXPECT_FALSE(link_state());
    EXPECT_FALSE(ReadVersion(buffer.data()));
    EXPECT_FALSE(RBasicInfo(buffer.data()));
    EXPECT_FALSE(readdatav20(buffer.data(), 1, "B0", "00", "08"));
    EXPECT_FALSE(writedatav20("08", "20", "00", "00"));
    EXPECT_FALSE(SetCodeCarrierWave());
    EXPECT_FALSE(RCollectCodeInfo(buffer.data()));
    EXPECT_EQ(buffer[0], 0);
    folder.setAttached(true);
    EXPECT_TRUE(link_state());
}

TEST(DeviceLibrary, ScriptedFailuresHitExactlyTheCallsAskedFor) {
    DeviceFolder folder;
    folder.failNext(Operation::ReadData, 2, 1);
    EXPECT_NE(readText(1, "B0", "00"), "");
    EXPECT_EQ(readText(1, "B0", "00"), "");
    EXPECT_EQ(readText(1, "B0", "00"), "");
    EXPECT_NE(readText(1, "B0", "00"), "");
    EXPECT_TRUE(folder.snapshot().settings.failures.empty());

    folder.failNext(Operation::WriteData);
    const Memory before = folder.snapshot().memory;
    EXPECT_FALSE(writedatav20("08", "20", "00", "FF"));
    EXPECT_EQ(folder.snapshot().memory, before);
    EXPECT_TRUE(writedatav20("08", "20", "00", "FF"));

    folder.failNext(Operation::LinkState);
    EXPECT_FALSE(link_state());
    EXPECT_TRUE(link_state());

    // A cable pulled during the second write: it and everything after find no remote.
    folder.failNext(Operation::WriteData, 1, 1, true);
    EXPECT_TRUE(writedatav20("08", "20", "00", "FF"));
    EXPECT_FALSE(writedatav20("08", "20", "00", "FF"));
    EXPECT_FALSE(link_state());
    EXPECT_EQ(readText(1, "B0", "00"), "");
    folder.setAttached(true);
    EXPECT_TRUE(writedatav20("08", "20", "00", "FF"));
}

TEST(DeviceLibrary, CaptureModeStartsButNoCodeArrivesUntilOneIsSent) {
    DeviceFolder folder;
    std::vector<char> buffer(10240, 0);
    EXPECT_TRUE(SetCodeCarrierWave());
    EXPECT_FALSE(RCollectCodeInfo(buffer.data()));
    folder.failNext(Operation::SetCarrier);
    EXPECT_FALSE(SetCodeCarrierWave());
}

TEST(DeviceLibrary, TakesAboutAsLongAsTheCableWhenLatencyIsOn) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"latency", "2000"}), 0);
    const auto start = std::chrono::steady_clock::now();
    link_state();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::microseconds(2000));
}

// The program calls the library from three threads at once without a lock of its own.
TEST(DeviceLibrary, ThreeThreadsAtOnceSeeConsistentMemory) {
    DeviceFolder folder;
    std::atomic<bool> torn{false};
    std::atomic<int> failures{0};
    const auto writer = [&] {
        for (int i = 0; i < 150; ++i) {
            const std::string pattern = std::string(32, (i % 2) ? 'A' : '5');
            if (!writedatav20("08", "40", "00", pattern.c_str()))
                ++failures;
        }
    };
    const auto reader = [&] {
        for (int i = 0; i < 150; ++i) {
            const std::string text = readText(2, "40", "00");
            if (text.size() != 32)
                ++failures;
            else if (text.find_first_not_of(text[0]) != std::string::npos)
                torn = true;
        }
    };
    const auto prober = [&] {
        for (int i = 0; i < 150; ++i)
            if (!link_state())
                ++failures;
    };
    std::thread a(writer), b(reader), c(prober);
    a.join();
    b.join();
    c.join();
    EXPECT_FALSE(torn);
    EXPECT_EQ(failures, 0);
}

// The library finds its remote through a folder named outside ASCII, as a Windows user's
// %LOCALAPPDATA% is when the user's name is Chinese.
TEST(DeviceLibrary, WorksInAFolderNamedOutsideAscii) {
    const auto folder = std::filesystem::temp_directory_path() /
                        (std::filesystem::path(u8"qtm418-遥控器-") += std::to_string(std::random_device()()));
    {
        const testsupport::ScopedEnvironment named("QTM418_DEVICE_DIR", folder);
        std::vector<char> version(250, 0);
        ASSERT_TRUE(ReadVersion(version.data()));
        EXPECT_EQ(std::string(version.data(), 4), "1020");
        EXPECT_EQ(std::filesystem::file_size(folder / "memory.bin"), kMemorySize);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
