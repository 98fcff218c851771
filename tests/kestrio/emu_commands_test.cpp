#include "devicefolder.h"
#include "ir/capturewords.h"
#include "ir/storedcode.h"
#include "kestrio.h"
#include "kestrio/firmware.h"
#include "kestrio/profiles.h"
#include "model/codeencoding.h"
#include "model/hextext.h"

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
    EXPECT_EQ(folder.emu({"fail", "writedatav20", "2", "--unplug"}), 2);

    // The pulled cable is kept with the device between processes.
    ASSERT_EQ(folder.emu({"fail", "readdatav20", "--after", "4", "--unplug"}), 0);
    EXPECT_TRUE(folder.snapshot().settings.failures.at(Operation::ReadData).unplug);
    folder.emu({"status"}, &out);
    EXPECT_NE(out.find("readdatav20 unplugs after 4"), std::string::npos) << out;

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
    ASSERT_EQ(
        folder.emu({"send", R"({"source":"x","carrier_hz":40000,"timings_us":[2400,600,600],"label":null})"}),
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

TEST(EmuTransmit, ADownloadedPresetKeySendsItsProtocol) {
    DeviceFolder folder;
    std::string out;
    ASSERT_EQ(folder.emu({"transmit", "00"}, &out), 0);
    EXPECT_NE(out.find("key 00: NEC, address 32, command 8 (preset 010000)"), std::string::npos) << out;
    EXPECT_NE(out.find("carrier:      38000 Hz"), std::string::npos);
    EXPECT_NE(out.find("repeat frame: 9000 2250 560"), std::string::npos);
    ASSERT_EQ(folder.emu({"transmit", "12", "--json"}, &out), 0);
    EXPECT_NE(out.find("\"protocol\": {\"name\": \"NEC\", \"address\": 32, \"command\": 11}"),
              std::string::npos);
    EXPECT_NE(out.find("\"first\": [9000, 4500, 560,"), std::string::npos);

    // Held 250 ms: the frame, then a repeat frame every 108 ms.
    ASSERT_EQ(folder.emu({"transmit", "12", "--json", "--hold", "250"}, &out), 0);
    EXPECT_NE(out.find("1690, 560, 40000, 9000, 2250, 560, 96190, 9000, 2250, 560]}"), std::string::npos)
        << out;

    EXPECT_EQ(folder.emu({"transmit", "03"}, &out), 1);
    EXPECT_EQ(folder.emu({"transmit", "99"}, &out), 1);
    EXPECT_EQ(folder.emu({"transmit"}), 2);
    EXPECT_EQ(folder.emu({"transmit", "12", "--hold", "soon"}), 2);
}

TEST(EmuTransmit, AStoredCodeSendsWhatWasCaptured) {
    DeviceFolder folder;
    const ir::Signal sony{40000, {2400, 600, 1200, 600, 600, 600, 1200, 600, 600, 600, 1200, 600, 1200,
                                  600,  600, 600,  600, 600, 600, 600,  600, 600, 600, 600,  1200}};
    // Sony keys with a capture that starts with an unknown frame: kept raw, still named.
    std::vector<int> timings = {5000, 3000, 700};
    timings.push_back(20000);
    timings.insert(timings.end(), sony.timings.begin(), sony.timings.end());
    const auto conversion = ir::convertFrames(ir::splitFrames(timings));
    ASSERT_TRUE(conversion);
    ASSERT_FALSE(conversion->codeData.empty());
    // clang-format off
    std::string record = "C00080" "00" "FFFF";
    // clang-format on
    for (std::uint8_t b : conversion->parameters)
        record += model::formatHex(b, 2);
    std::string data;
    for (std::uint8_t b : conversion->codeData)
        data += model::formatHex(b, 2);
    const unsigned blocks = static_cast<unsigned>(conversion->codeData.size() + 7) / 8;
    std::string entry;
    for (std::uint8_t b : conversion->identity)
        entry += model::formatHex(b, 2);
    entry += "0080" + model::formatHex(blocks, 2);
    // Factory layout: slots at 0x1100 (key 04 is slot 4), map at 0x1A00 with 50 map bytes, code area at
    // 0x2000.
    folder.store().transact([&](Device& d) {
        writeHex(d, 0x1100 + 22 * 4, record);
        writeHex(d, 0x2000, data);
        writeHex(d, 0x1A00 + 50, entry);
        return unsigned{MemoryChanged};
    });
    std::string out;
    ASSERT_EQ(folder.emu({"transmit", "04"}, &out), 0) << out;
    EXPECT_NE(out.find("kept raw (stored code "), std::string::npos) << out;
    EXPECT_NE(out.find("first frame:  5000 3000 700\n"), std::string::npos) << out;
    EXPECT_NE(out.find("repeat frame: 2400 600 1200"), std::string::npos) << out;
}

TEST(EmuDemo, AfterASecondAndAHalfTheDemoRemoteSendsItsKeysInTurn) {
    Device d = makeProfile("factory").value();
    EXPECT_TRUE(d.settings.demo);
    EXPECT_FALSE(pollCapture(d, 5000)); // capture mode is off
    startCapture(d, 10000);
    EXPECT_FALSE(pollCapture(d, 11000));
    const auto first = pollCapture(d, 11500);
    ASSERT_TRUE(first);
    EXPECT_FALSE(pollCapture(d, 11600)); // received once
    startCapture(d, 20000);
    const auto second = pollCapture(d, 21600);
    ASSERT_TRUE(second);
    EXPECT_NE(*first, *second);

    // Both are keys of one remote in one stored code, each its own key.
    const auto learn = [](const std::string& record) {
        std::string buffer = record;
        buffer.resize(10240, '\0');
        const std::string encoded = model::encodeCapture(
            model::trimCapture(buffer), std::filesystem::temp_directory_path() / "qtm418-demo-123.txt");
        return ir::convertBody(encoded.substr(5));
    };
    const std::string a = learn(*first), b = learn(*second);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a.substr(0, 6), b.substr(0, 6));
    EXPECT_GE(a.substr(0, 2), "22");
    EXPECT_NE(a, b);
    EXPECT_EQ(a.substr(a.find(":::")), b.substr(b.find(":::")));

    // What was sent comes first; with demo off nothing else arrives.
    d.settings.sentCaptures = {"E97834BC8690"};
    startCapture(d, 30000);
    EXPECT_EQ(pollCapture(d, 30001), "E97834BC8690");
    d.settings.demo = false;
    startCapture(d, 40000);
    EXPECT_FALSE(pollCapture(d, 49000));
}

TEST(EmuDemo, IsSwitchedInTheDeviceFolderAndKeptByAReset) {
    DeviceFolder folder;
    ASSERT_EQ(folder.emu({"demo", "off"}), 0);
    EXPECT_FALSE(folder.snapshot().settings.demo);
    ASSERT_EQ(folder.emu({"reset", "learned"}), 0);
    EXPECT_FALSE(folder.snapshot().settings.demo);
    ASSERT_EQ(folder.emu({"demo", "on"}), 0);
    EXPECT_TRUE(folder.snapshot().settings.demo);
    EXPECT_EQ(folder.emu({"demo", "maybe"}), 2);
}
