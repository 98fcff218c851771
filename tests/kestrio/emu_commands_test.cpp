#include "capturewords.h"
#include "device/kestrio.h"
#include "devicefolder.h"
#include "firmware.h"

#include <gtest/gtest.h>

using namespace emu;
using testsupport::DeviceFolder;

TEST(EmuCommands, ResetGivesTheNamedRemoteAndKeepsTheLatency) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"latency", "300"}), 0);
    ASSERT_EQ(folder.emu({"reset", "old-firmware"}), 0);
    const Device d = folder.snapshot();
    EXPECT_EQ(d.settings.profile, "old-firmware");
    EXPECT_EQ(d.settings.model, "8888");
    EXPECT_EQ(d.settings.latencyMicros, 300u);

    std::string out;
    EXPECT_EQ(folder.emu({"reset", "nonsense"}, &out), 2);
    EXPECT_NE(out.find("unknown profile"), std::string::npos);
    EXPECT_EQ(folder.snapshot().settings.profile, "old-firmware");
}

TEST(EmuCommands, PlugUnplugAndSwap) {
    DeviceFolder folder;
    const std::string identity = identityText(folder.snapshot());
    ASSERT_EQ(folder.emu({"unplug"}), 0);
    EXPECT_FALSE(folder.snapshot().settings.attached);
    std::string out;
    folder.emu({"status"}, &out);
    EXPECT_NE(out.find("detached"), std::string::npos);
    ASSERT_EQ(folder.emu({"plug"}), 0);
    EXPECT_TRUE(folder.snapshot().settings.attached);

    ASSERT_EQ(folder.emu({"swap"}, &out), 0);
    const std::string swapped = identityText(folder.snapshot());
    EXPECT_NE(swapped, identity);
    EXPECT_NE(out.find(swapped), std::string::npos);
    EXPECT_EQ(basicInformation(folder.snapshot()).substr(70, 4), "100R");
}

TEST(EmuCommands, FailTakesAnOperationACountAndAnOffset) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"fail", "readdatav20"}), 0);
    EXPECT_EQ(folder.snapshot().settings.failures.at(Operation::ReadData).count, 1u);
    ASSERT_EQ(folder.emu({"fail", "writedatav20", "3", "--after", "2"}), 0);
    const FailRule rule = folder.snapshot().settings.failures.at(Operation::WriteData);
    EXPECT_EQ(rule.count, 3u);
    EXPECT_EQ(rule.skip, 2u);

    std::string out;
    folder.emu({"status"}, &out);
    EXPECT_NE(out.find("writedatav20 x3 after 2"), std::string::npos);

    EXPECT_EQ(folder.emu({"fail", "readdata"}), 2);
    EXPECT_EQ(folder.emu({"fail", "readdatav20", "0"}), 2);
    EXPECT_EQ(folder.emu({"fail", "readdatav20", "2", "--after"}), 2);
    EXPECT_EQ(folder.emu({"fail"}), 2);

    ASSERT_EQ(folder.emu({"fail", "clear"}), 0);
    EXPECT_TRUE(folder.snapshot().settings.failures.empty());
}

TEST(EmuCommands, ReadShowsWhatTheProgramWouldRead) {
    DeviceFolder folder;
    std::string out;
    ASSERT_EQ(folder.emu({"read", "B000", "6"}, &out), 0);
    EXPECT_EQ(out, basicInformation(folder.snapshot()) + "\n");
    EXPECT_EQ(folder.emu({"read", "FFF8", "2"}, &out), 1);
    EXPECT_EQ(folder.emu({"read", "XYZ", "2"}), 2);
    EXPECT_EQ(folder.emu({"read", "10000", "1"}), 2);
}

TEST(EmuCommands, UsageErrorsExitWithTwo) {
    DeviceFolder folder;
    EXPECT_EQ(folder.emu({}), 2);
    EXPECT_EQ(folder.emu({"frobnicate"}), 2);
    EXPECT_EQ(folder.emu({"plug", "now"}), 2);
    EXPECT_EQ(folder.emu({"latency", "-1"}), 2);
    EXPECT_EQ(folder.emu({"help"}), 0);
}

TEST(EmuSend, TheNextCaptureReceivesWhatWasSentOnceAndInOrder) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"demo", "off"}), 0);
    std::vector<char> buffer(10240, 0);
    ASSERT_EQ(folder.emu({"send", "9000", "4500", "560"}), 0);
    ASSERT_EQ(folder.emu({"send", "--carrier", "36000", "889,889,1778"}), 0);
    // Nothing arrives outside capture mode.
    EXPECT_FALSE(RCollectCodeInfo(buffer.data()));

    ASSERT_TRUE(SetCodeCarrierWave());
    ASSERT_TRUE(RCollectCodeInfo(buffer.data()));
    EXPECT_EQ(std::string(buffer.data()), ir::captureRecord({38000, {9000, 4500, 560}}));
    EXPECT_EQ(buffer[10239], 0);
    std::fill(buffer.begin(), buffer.end(), 0);
    EXPECT_FALSE(RCollectCodeInfo(buffer.data()));
    EXPECT_EQ(buffer[0], 0);

    ASSERT_TRUE(SetCodeCarrierWave());
    ASSERT_TRUE(RCollectCodeInfo(buffer.data()));
    EXPECT_EQ(std::string(buffer.data()), ir::captureRecord({36000, {889, 889, 1778}}));
    ASSERT_TRUE(SetCodeCarrierWave());
    EXPECT_FALSE(RCollectCodeInfo(buffer.data()));
}

TEST(EmuSend, TakesCaptureWordsAndCaptureLines) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"send", "e97834bc8690"}), 0);
    ASSERT_EQ(folder.emu({"send", R"({"source":"x","carrier_hz":40000,"timings_us":[2400,600,600],"label":null})"}),
              0);
    const auto sent = folder.snapshot().settings.sentCaptures;
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], "E97834BC8690");
    EXPECT_EQ(sent[1], ir::captureRecord({40000, {2400, 600, 600}}));
    std::string out;
    folder.emu({"status"}, &out);
    EXPECT_NE(out.find("2 signal(s) waiting"), std::string::npos);
}

TEST(EmuSend, RefusesWhatIsNoSignal) {
    DeviceFolder folder;
    EXPECT_EQ(folder.emu({"send"}), 2);
    EXPECT_EQ(folder.emu({"send", "9000", "-4500"}), 2);
    EXPECT_EQ(folder.emu({"send", "--carrier", "5", "9000"}), 2);
    EXPECT_EQ(folder.emu({"send", "--carrier"}), 2);
    EXPECT_EQ(folder.emu({"send", "{\"timings_us\": []}"}), 2);
    EXPECT_EQ(folder.emu({"send", "--carrier", "38000", "{\"timings_us\": [5]}"}), 2);
    EXPECT_EQ(folder.emu({"send", "E978Z4BC"}), 2);
    EXPECT_TRUE(folder.snapshot().settings.sentCaptures.empty());
}
