// learn from a file on the virtual remote: the same stored key as learning by hand, a refusal that
// writes nothing, and a remote that stays sound whichever write fails.
#include "ctlrun.h"
#include "devicefolder.h"
#include "textmatch.h"

#include "device/capturecommit.h"
#include "device/devicelink.h"
#include "device/layoutio.h"
#include "model/keydeletion.h"
#include "model/wire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using testsupport::runCtl;

namespace {

const std::filesystem::path kCaptures = QTM418_CTL_TESTDATA "/ir/public.jsonl";

std::filesystem::path written(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("qtm418ctl-learn-" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The memory without the identity, which every fresh remote draws anew.
emu::Memory withoutIdentity(emu::Memory memory) {
    std::fill_n(memory.begin() + wire::kIdentificationAddress, wire::kIdentityBytes, 0);
    return memory;
}

// The window's way: the signal sent towards the remote, captured with the capture thread's calls
// and committed with the window's commit.
void learnByHand(testsupport::DeviceFolder& folder, const std::string& key, const std::string& line) {
    ASSERT_EQ(folder.emu({"send", line}), 0);
    ASSERT_TRUE(device::link::setCodeCarrierWave());
    const std::string captured = device::link::collectCodeInfo();
    ASSERT_FALSE(captured.empty());
    model::LayoutRead read = device::readDeviceLayout();
    model::reclaimOrphans(read.layout, read.keyTable);
    device::learnCapture(read.layout, read.keyTable, key, captured,
                         std::filesystem::temp_directory_path() / "qtm418ctl-test-unencoded.txt",
                         [] { return true; });
}

TEST(CtlLearn, EveryTestCaptureIsStoredAsLearningItByHandStoresIt) {
    std::ifstream in(kCaptures);
    if (!in)
        GTEST_SKIP() << "no test captures at " << kCaptures;
    testsupport::DeviceFolder folder("factory");
    const auto file = std::filesystem::temp_directory_path() / "qtm418ctl-learn-line.json";
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line); ++lines) {
        folder.reset("factory");
        learnByHand(folder, "04", line);
        const emu::Memory byHand = withoutIdentity(folder.snapshot().memory);
        folder.reset("factory");
        std::ofstream(file) << line << '\n';
        const auto learned = runCtl({"learn", "TV/Up", "--from", file.string()});
        EXPECT_EQ(withoutIdentity(folder.snapshot().memory), byHand)
            << "line " << lines + 1 << ": " << learned.err;
    }
    EXPECT_EQ(lines, 300u);
}

TEST(CtlLearn, EachFileFormatLearnsAKeyThatPlaysItsSignal) {
    testsupport::DeviceFolder folder("factory");
    const struct {
        const char* name;
        std::string text;
        const char* named;
        const char* sends = "";
    } cases[] = {
        {"nec.json", "[9000, 4500, 560, 560, 560, 1690, 560, 560, 560, 1690, 560, 40000]", ""},
        {"parsed.ir",
         "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: parsed\nprotocol: Samsung32\n"
         "address: 07 00 00 00\ncommand: 02 00 00 00\n#\nname: Src\ntype: parsed\nprotocol: RC5X\n"
         "address: 05 00 00 00\ncommand: 01 00 00 00\n",
         "POWER", "Samsung32 address 7 command 2"},
        {"rc5x.ir",
         "Filetype: IR signals file\nVersion: 1\n#\nname: Src\ntype: parsed\nprotocol: RC5X\n"
         "address: 05 00 00 00\ncommand: 01 00 00 00\n",
         "", "RC5 address 5 command 65"},
        {"rc5.ir",
         "Filetype: IR signals file\nVersion: 1\n#\nname: Mute\ntype: raw\nfrequency: 36000\n"
         "duty_cycle: 0.33\ndata: 889 889 1778 889 889 889 889 889 889 889 889 1778 889 889 889 889 889\n",
         "mute"},
        {"code.pronto", "0000 006D 0000 0002 0155 00AA 0015 0E6C\n", ""},
    };
    for (const auto& c : cases) {
        folder.reset("factory");
        std::vector<std::string> words = {"learn", "CBL/5", "--from", written(c.name, c.text).string()};
        if (*c.named)
            words.insert(words.end(), {"--name", c.named});
        const auto learned = runCtl(words);
        EXPECT_EQ(learned.status, 0) << c.name << ": " << learned.err;
        EXPECT_EQ(learned.out.rfind("key 51 (CBL/5) learned: ", 0), 0u) << learned.out;
        std::string played;
        EXPECT_EQ(folder.emu({"transmit", "51"}, &played), 0) << c.name << ": " << played;
        if (*c.sends) {
            const std::string keys = runCtl({"keys"}).out;
            EXPECT_NE(keys.find("sends " + std::string(c.sends)), std::string::npos) << c.name << "\n"
                                                                                     << keys;
        }
        EXPECT_EQ(runCtl({"check"}).out, "layout sound\n");
    }
}

TEST(CtlLearn, ADamagedFileOrAnUnknownKeyWritesNothing) {
    testsupport::DeviceFolder folder("learned");
    const emu::Memory before = folder.snapshot().memory;
    const auto damaged = written("damaged.json", "[9000, 4500,");
    const auto result = runCtl({"learn", "04", "--from", damaged.string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "qtm418ctl: " + damaged.string() +
                              ":1: not a list of durations from 1 to 1000000 us; "
                              "nothing written\n");
    const auto good = written("good.json", "[9000, 4500, 560, 560, 560]");
    EXPECT_EQ(runCtl({"learn", "4F", "--from", good.string()}).err,
              "qtm418ctl: the remote has no key 4F; nothing written\n");
    EXPECT_EQ(runCtl({"learn", "04", "--from", "/nonexistent/file.ir"}).status, 2);
    EXPECT_EQ(folder.snapshot().memory, before);
}

TEST(CtlLearn, EveryFailedWriteLeavesTheRemoteSound) {
    testsupport::DeviceFolder folder("learned");
    const auto file =
        written("interrupted.json", "[9000, 4500, 560, 560, 560, 1690, 560, 560, 560, 1690, 560]");
    std::size_t points = 0;
    for (const char* key : {"03", "04", "05"}) { // an empty key, a key with its own code, one sharing it
        folder.reset("learned");
        std::filesystem::remove(folder.path() / "exchanges.log");
        folder.emu({"trace", "on"});
        ASSERT_EQ(runCtl({"learn", key, "--from", file.string()}).status, 0);
        const std::size_t writes = folder.exchanges("writedatav20");
        ASSERT_GT(writes, 0u);
        for (std::size_t n = 1; n <= writes; ++n) {
            for (const unsigned count : {1u, 1000u}) {
                folder.reset("learned");
                folder.failNext(emu::Operation::WriteData, count, static_cast<unsigned>(n - 1));
                const auto result = runCtl({"learn", key, "--from", file.string()});
                std::string check;
                EXPECT_EQ(folder.emu({"check"}, &check), 0) << key << " write " << n << "\n" << check;
                if (result.status != 0) {
                    EXPECT_TRUE(has(result.err, "could not be written")) << result.err;
                }
                ++points;
            }
        }
    }
    RecordProperty("interruption_points", static_cast<int>(points));
}

} // namespace
