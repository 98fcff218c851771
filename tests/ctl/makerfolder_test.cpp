// qtm418ctl with the maker's files in a folder where they cannot serve: it never falls back to the
// virtual remote, names the file and why, and exits 2, before any host is started.
#include "ctlrun.h"
#include "devicefolder.h"
#include "environment.h"
#include "libraryimages.h"

#include "bridge/bridge.h"
#include "bridge/makerchoice.h"
#include "model/portablefiles.h"

#include <gtest/gtest.h>

#include <random>

namespace {

namespace fs = std::filesystem;
using namespace testsupport;

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CtlMakerFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(maker_);
        bridge::chooseAgain();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(maker_, ec);
    }

    // The remote the next command chooses, with the folder and host as the test left them.
    struct ChooseAgainAfter {
        ~ChooseAgainAfter() { bridge::chooseAgain(); }
    };

    DeviceFolder device_{"learned"};
    fs::path maker_ =
        fs::temp_directory_path() / ("qtm418-ctl-maker-" + std::to_string(std::random_device()()));
    ChooseAgainAfter again_;
    ScopedEnvironment makerFolder_{"QTM418_MAKER_DIR", maker_};
};

TEST_F(CtlMakerFolder, EachReasonNamesItsFileAndEndsWithNoRemote) {
    const std::string folder = model::pathText(maker_);
    const struct {
        const char* what;
        std::string deviceLibrary; // empty: not there
        std::string converter;
        std::string says;
    } cases[] = {
        {"the converter alone", "", imageHead(kMachineX86),
         "the maker's device library " + model::pathText(maker_ / "kestrio.dll") +
             " is missing: the maker's kestrio.dll and ConLCode.dll are used together or not at all"},
        {"the device library alone", imageHead(kMachineX86), "",
         "the maker's converter " + model::pathText(maker_ / "ConLCode.dll") + " is missing"},
        {"a 64-bit device library", imageHead(kMachineX64), imageHead(kMachineX86),
         "the maker's device library " + model::pathText(maker_ / "kestrio.dll") +
             " is a 64-bit library; the maker's 32-bit library is needed"},
        {"a damaged converter", imageHead(kMachineX86), "MZ, and then nothing of a library",
         "the maker's converter " + model::pathText(maker_ / "ConLCode.dll") +
             " is not a Windows library; it may be damaged"},
    };
    for (const auto& c : cases) {
        fs::remove(maker_ / "kestrio.dll");
        fs::remove(maker_ / "ConLCode.dll");
        if (!c.deviceLibrary.empty())
            writeBytes(maker_ / "kestrio.dll", c.deviceLibrary);
        if (!c.converter.empty())
            writeBytes(maker_ / "ConLCode.dll", c.converter);
        bridge::chooseAgain();
        for (const char* command : {"info", "check"}) {
            const auto run = runCtl({command});
            EXPECT_EQ(run.status, 2) << c.what << ", " << command;
            EXPECT_TRUE(has(run.err, c.says)) << c.what << ", " << command << ": " << run.err;
            EXPECT_EQ(run.out, "") << c.what << ": nothing of the virtual remote is shown";
        }
    }
}

TEST_F(CtlMakerFolder, AMissingHostIsNamed) {
    writeBytes(maker_ / "kestrio.dll", imageHead(kMachineX86));
    writeBytes(maker_ / "ConLCode.dll", imageHead(kMachineX86));
    const fs::path host = maker_ / "no-such-host.exe";
    ScopedEnvironment named("QTM418_HOST32", host);
    bridge::chooseAgain();
    const auto run = runCtl({"keys"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(
        has(run.err, "the 32-bit host " + model::pathText(host) + " is missing; reinstall the program"))
        << run.err;
    const bridge::RemoteInUse inUse = bridge::remoteInUse();
    EXPECT_TRUE(inUse.maker);
    EXPECT_EQ(inUse.folder, maker_);
}

TEST_F(CtlMakerFolder, TheOwnersChoiceTakesEffectAtTheNextStart) {
    EXPECT_FALSE(bridge::remoteInUse().maker);
    // Chosen during this run: checked at once, put in place at the next start. No host is there,
    // so the next start's refusal names the host: the maker's two files passed.
    const fs::path offered = maker_.string() + "-offered";
    fs::create_directories(offered);
    writeBytes(offered / "kestrio.dll", imageHead(kMachineX64));
    writeBytes(offered / "ConLCode.dll", imageHead(kMachineX86));
    const auto refused = bridge::chooseMakerFiles(offered, maker_);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->kind, bridge::ChoiceProblem::Kind::Files);
    writeBytes(offered / "kestrio.dll", imageHead(kMachineX86));
    EXPECT_FALSE(bridge::chooseMakerFiles(offered, maker_));
    fs::remove_all(offered);
    EXPECT_EQ(runCtl({"info"}).status, 0) << "the run that chose goes on with the virtual remote";

    ScopedEnvironment noHost("QTM418_HOST32", maker_ / "no-such-host.exe");
    bridge::chooseAgain();
    EXPECT_EQ(runCtl({"info"}).status, 2);
    const bridge::RemoteInUse inUse = bridge::remoteInUse();
    EXPECT_TRUE(inUse.maker);
    ASSERT_TRUE(inUse.problem);
    EXPECT_EQ(inUse.problem->file, bridge::MakerFile::Host);
    EXPECT_EQ(bridge::pendingChoice(maker_), bridge::PendingChoice::None);
}

TEST_F(CtlMakerFolder, AnEmptyMakerFolderLeavesTheVirtualRemote) {
    const auto run = runCtl({"info"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run.out, "remote:    the virtual QTM-418\n")) << run.out;
}

} // namespace
