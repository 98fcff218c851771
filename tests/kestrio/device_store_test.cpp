#include "devicefolder.h"
#include "kestrio/devicestore.h"
#include "kestrio/firmware.h"
#include "kestrio/profiles.h"

#include <gtest/gtest.h>

#include <fstream>

#if !defined(_WIN32)
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace emu;
using testsupport::DeviceFolder;

namespace {

unsigned writeBytes(DeviceStore& store, unsigned address, const std::string& hex) {
    bool ok = false;
    store.transact([&](Device& d) {
        ok = writeHex(d, address, hex);
        return ok ? unsigned{MemoryChanged} : unsigned{NoChange};
    });
    return ok;
}

std::string readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(DeviceStore, AFolderSeenForTheFirstTimeHoldsAFactoryRemote) {
    DeviceFolder scratch;
    const auto folder = scratch.path() / "new";
    DeviceStore store(folder);
    Device seen;
    ASSERT_TRUE(store.transact([&](Device& d) {
        seen = d;
        return unsigned{NoChange};
    }));
    EXPECT_EQ(seen.settings.profile, "factory");
    EXPECT_TRUE(seen.settings.attached);
    EXPECT_EQ(basicInformation(seen).substr(70, 4), "100R");
    EXPECT_EQ(std::filesystem::file_size(folder / "memory.bin"), kMemorySize);
}

TEST(DeviceStore, WritesReachEveryOtherUserOfTheFolder) {
    DeviceFolder folder;
    DeviceStore program(folder.path());
    DeviceStore tool(folder.path());
    // Both have read (and cached) the image before the change.
    EXPECT_TRUE(program.transact([](Device&) { return unsigned{NoChange}; }));
    EXPECT_TRUE(tool.transact([](Device&) { return unsigned{NoChange}; }));

    ASSERT_TRUE(writeBytes(program, 0x2000, "DEADBEEF"));
    std::string seen;
    tool.transact([&](Device& d) {
        seen = *readBlocks(d, 0x2000, 1);
        return unsigned{NoChange};
    });
    EXPECT_EQ(seen.substr(0, 8), "DEADBEEF");
    EXPECT_EQ(readFileBytes(folder.path() / "memory.bin").substr(0x2000, 4), "\xDE\xAD\xBE\xEF");
}

TEST(DeviceStore, AResetIsSeenEvenByAProcessThatCachedTheOldImage) {
    DeviceFolder folder;
    DeviceStore program(folder.path());
    ASSERT_TRUE(writeBytes(program, 0x3000, "55"));
    folder.reset("factory");
    Device seen;
    program.transact([&](Device& d) {
        seen = d;
        return unsigned{NoChange};
    });
    EXPECT_EQ(seen.memory[0x3000], 0x00);
}

TEST(DeviceStore, DamagedFoldersAreReportedNotRepaired) {
    DeviceFolder folder;
    std::filesystem::resize_file(folder.path() / "memory.bin", 1000);
    DeviceStore store(folder.path());
    std::string error;
    bool ran = false;
    EXPECT_FALSE(store.transact(
        [&](Device&) {
            ran = true;
            return unsigned{NoChange};
        },
        &error));
    EXPECT_FALSE(ran);
    EXPECT_NE(error.find("memory.bin"), std::string::npos);

    std::ofstream(folder.path() / "settings") << "garbage\n";
    EXPECT_FALSE(store.transact([](Device&) { return unsigned{NoChange}; }, &error));
    EXPECT_NE(error.find("settings"), std::string::npos);
}

#if !defined(_WIN32)
// A program killed while it writes leaves either the old or the new image, never a mix.
TEST(DeviceStore, AWriterKilledMidWriteNeverLeavesATornImage) {
    DeviceFolder folder;
    const auto path = folder.path();
    for (int round = 0; round < 5; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DeviceStore store(path);
            for (unsigned i = 0;; ++i) {
                const std::string pattern = (i % 2) ? "AA" : "55";
                std::string whole;
                for (int k = 0; k < 0x1000; ++k)
                    whole += pattern;
                store.transact([&](Device& d) {
                    writeHex(d, 0x4000, whole);
                    return unsigned{MemoryChanged};
                });
            }
        }
        usleep(20000 + 7000 * round);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        DeviceStore reader(path);
        Device d;
        ASSERT_TRUE(reader.transact([&](Device& dev) {
            d = dev;
            return unsigned{NoChange};
        }));
        const std::uint8_t first = d.memory[0x4000];
        EXPECT_TRUE(first == 0x55 || first == 0xAA || first == 0x00);
        for (unsigned i = 0; i < 0x1000; ++i)
            ASSERT_EQ(d.memory[0x4000 + i], first) << "torn at " << i;
        EXPECT_EQ(std::filesystem::file_size(path / "memory.bin"), kMemorySize);
    }
}
#endif
