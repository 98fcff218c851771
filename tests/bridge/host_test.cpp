// The 32-bit host serving the maker's stand-ins (on Linux under 32-bit wine): our own virtual
// remote and converter built as 32-bit DLLs answer through it exactly as they answer in the
// program's own process, with either style of export names; and every way a maker's library or
// the channel can fail ends in a named fault, a failed call or a remote gone, never a hang.
#include "bridge/hostprocess.h"
#include "bridge/makerremote.h"

#include "devicefolder.h"
#include "ir/storedcode.h"
#include "kestrio/virtualoperations.h"
#include "model/codeencoding.h"
#include "model/wire.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace bridge;
using namespace std::chrono_literals;

const fs::path kHost = QTM418_HOST32_PROGRAM;
const fs::path kStandIns = QTM418_MAKER_STANDINS;

// An encoded capture as the program hands it to the converter.
std::string converterInput() {
    const std::string encoded = model::encodeCapture(
        model::trimCapture("E97834BC86900690869006908690" + std::string(model::kGapRun) + "4F4F5000"),
        fs::temp_directory_path() / "qtm418-host-123.txt");
    return encoded.substr(5);
}

class Host : public ::testing::Test {
protected:
    void SetUp() override {
#if !defined(_WIN32)
        if (!fs::exists("/usr/lib/wine/wine"))
            GTEST_SKIP() << "32-bit wine (wine32:i386) is not installed; scripts/setup installs it";
#endif
    }

    // The host started, with the raw transport kept to end it from outside.
    std::unique_ptr<MakerRemote> start(Transport** raw = nullptr) {
        auto started = startHost(kHost);
        if (auto* why = std::get_if<std::string>(&started)) {
            ADD_FAILURE() << *why;
            return nullptr;
        }
        auto transport = std::move(std::get<std::unique_ptr<Transport>>(started));
        if (raw)
            *raw = transport.get();
        return std::make_unique<MakerRemote>(std::move(transport));
    }

    std::unique_ptr<MakerRemote> opened(const std::string& standIn, Transport** raw = nullptr) {
        auto remote = start(raw);
        if (remote) {
            const auto problem = remote->open(kStandIns / standIn, 60s);
            EXPECT_FALSE(problem) << standIn << ": " << static_cast<int>(problem->reason) << " "
                                  << problem->detail;
        }
        return remote;
    }

    // Set before the host starts: the stand-in keeps the virtual remote of the host's environment.
    testsupport::DeviceFolder device_;
};

class HostNameStyles : public Host, public ::testing::WithParamInterface<const char*> {};

TEST_P(HostNameStyles, TheStandInsAnswerAsInTheProgramsOwnProcess) {
    auto remote = opened(GetParam());
    ASSERT_TRUE(remote);

    EXPECT_TRUE(remote->call(callRequest(Operation::LinkState)).ok);

    std::string own(wire::kVersionBufferSize, '\0');
    ASSERT_TRUE(emu::operations::readVersion(own.data()));
    const CallOutcome version = remote->call(callRequest(Operation::ReadVersion));
    ASSERT_TRUE(version.ok);
    EXPECT_EQ(version.buffer, own) << "the whole 250-character buffer, zero bytes included";

    const std::string block = "0102030405060708A1A2A3A4A5A6A7A8";
    EXPECT_TRUE(remote->call(callRequest(Operation::WriteData, 0, {"08", "16", "00", block})).ok);
    const CallOutcome read = remote->call(callRequest(Operation::ReadData, 2, {"16", "00", "08"}));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.buffer, block);
    std::string ownRead(32, '\0');
    ASSERT_TRUE(emu::operations::readData(ownRead.data(), 2, "16", "00", "08"));
    EXPECT_EQ(ownRead, block) << "the host's write reached the remote this process sees";

    const std::string input = converterInput();
    const CallOutcome converted = remote->call(callRequest(Operation::ConvertCode, 2, {input}));
    ASSERT_TRUE(converted.ok);
    EXPECT_EQ(converted.buffer, ir::convertBody(input));
    const CallOutcome nothing = remote->call(callRequest(Operation::ConvertCode, 2, {"not a capture"}));
    EXPECT_TRUE(nothing.ok);
    EXPECT_EQ(nothing.buffer, "");

    device_.setAttached(false);
    EXPECT_FALSE(remote->call(callRequest(Operation::LinkState)).ok);
    EXPECT_FALSE(remote->fault());
}

INSTANTIATE_TEST_SUITE_P(MakersExports, HostNameStyles,
                         ::testing::Values("decorated", "plain", "underscored"));

TEST_F(Host, ALibraryWithoutAnExportIsRefusedByName) {
    auto remote = start();
    ASSERT_TRUE(remote);
    const auto problem = remote->open(kStandIns / "lacksexport", 60s);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file, MakerFile::DeviceLibrary);
    EXPECT_EQ(problem->reason, Refusal::ExportMissing);
    EXPECT_EQ(problem->detail, "RBasicInfo");
    EXPECT_TRUE(remote->gone());
}

TEST_F(Host, ALibraryFor64BitWindowsIsRefusedByTheHostToo) {
    std::random_device random;
    const fs::path folder = fs::temp_directory_path() / ("qtm418-maker64-" + std::to_string(random()));
    fs::create_directories(folder);
    fs::copy_file(QTM418_LIBRARY64, folder / "kestrio.dll");
    fs::copy_file(kStandIns / "decorated" / "ConLCode.dll", folder / "ConLCode.dll");
    auto remote = start();
    ASSERT_TRUE(remote);
    const auto problem = remote->open(folder, 60s);
    fs::remove_all(folder);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file, MakerFile::DeviceLibrary);
    EXPECT_EQ(problem->reason, Refusal::Needs32Bit);
}

TEST_F(Host, ACallThatWritesPastItsBufferIsRefusedAndTheRestServes) {
    auto remote = opened("overruns");
    ASSERT_TRUE(remote);
    EXPECT_FALSE(remote->call(callRequest(Operation::ReadVersion)).ok);
    const auto fault = remote->fault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->reason, Refusal::WritesPastBuffer);
    EXPECT_EQ(fault->detail, "ReadVersion");
    EXPECT_TRUE(remote->call(callRequest(Operation::LinkState)).ok);
    EXPECT_FALSE(remote->gone());
}

TEST_F(Host, ACrashInTheLibraryIsReportedAndTheRemoteIsGone) {
    auto remote = opened("crashes");
    ASSERT_TRUE(remote);
    EXPECT_FALSE(remote->call(callRequest(Operation::ReadVersion)).ok);
    const auto fault = remote->fault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->reason, Refusal::Crashed);
    EXPECT_EQ(fault->detail, "ReadVersion 0xC0000005");
    EXPECT_TRUE(remote->gone());
    EXPECT_FALSE(remote->call(callRequest(Operation::LinkState)).ok);
}

TEST_F(Host, ACallThatNeverReturnsIsGivenUpAfterTheLimitAndTheRemoteIsGone) {
    auto remote = opened("hangs");
    ASSERT_TRUE(remote);
    EXPECT_TRUE(remote->call(callRequest(Operation::LinkState)).ok);
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(remote->call(callRequest(Operation::ReadVersion)).ok);
    EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::seconds(kCallLimitSeconds));
    const auto fault = remote->fault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->reason, Refusal::CallDoesNotReturn);
    EXPECT_EQ(fault->detail, "ReadVersion");
    EXPECT_TRUE(remote->gone());
    EXPECT_FALSE(remote->call(callRequest(Operation::LinkState)).ok) << "gone for good, at once";
}

TEST_F(Host, AHostEndedInTheMiddleOfACallLeavesTheRemoteGoneAndSound) {
    Transport* transport = nullptr;
    auto remote = opened("decorated", &transport);
    ASSERT_TRUE(remote);
    // Slow exchanges, so the whole-memory read is still on the cable when the host is ended.
    ASSERT_EQ(device_.emu({"latency", "500000"}), 0); // the read takes 3 s
    std::thread ender([transport] {
        std::this_thread::sleep_for(500ms);
        transport->stop();
    });
    EXPECT_FALSE(remote->call(callRequest(Operation::ReadData, 100, {"10", "00", "08"})).ok);
    ender.join();
    EXPECT_TRUE(remote->gone());
    ASSERT_TRUE(remote->fault());
    EXPECT_EQ(remote->fault()->reason, Refusal::ChannelBroken);
    ASSERT_EQ(device_.emu({"latency", "0"}), 0);
    std::string out;
    EXPECT_EQ(device_.emu({"check"}, &out), 0) << out;
}

// Bytes written straight onto the host's channel, as a broken program would.
class HostChannelBytes : public Host {
protected:
    std::string answerTo(Transport& transport, const std::string& bytes) {
        EXPECT_TRUE(transport.send(bytes));
        FrameReader reader;
        std::string received;
        const auto deadline = std::chrono::steady_clock::now() + 60s;
        while (std::chrono::steady_clock::now() < deadline) {
            if (auto payload = reader.next())
                return *payload;
            received.clear();
            if (transport.receive(received, deadline) != Transport::Received::Data)
                return {};
            reader.feed(received);
        }
        return {};
    }
};

TEST_F(HostChannelBytes, GarbageIsAnsweredAndAnImpossibleLengthEndsTheHost) {
    auto started = startHost(kHost);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Transport>>(started));
    Transport& host = *std::get<std::unique_ptr<Transport>>(started);

    const auto bad = decodeAnswer(answerTo(host, frame("\x7Fgarbage")));
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->kind, Kind::BadRequest);

    Request hello;
    hello.kind = Kind::Hello;
    hello.makerFolder = (kStandIns / "decorated").string();
    const auto ready = decodeAnswer(answerTo(host, frame(encode(hello))));
    ASSERT_TRUE(ready) << "the host reads on after a frame it could not use";
    EXPECT_EQ(ready->kind, Kind::Ready);

    const auto ended = decodeAnswer(answerTo(host, std::string("\xFF\xFF\xFF\xFF", 4) + "more"));
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->kind, Kind::BadRequest);
    std::string rest;
    EXPECT_EQ(host.receive(rest, std::chrono::steady_clock::now() + 30s), Transport::Received::Ended);
}

TEST_F(HostChannelBytes, AFrameArrivingInPiecesIsReadWhole) {
    auto started = startHost(kHost);
    ASSERT_TRUE(std::holds_alternative<std::unique_ptr<Transport>>(started));
    Transport& host = *std::get<std::unique_ptr<Transport>>(started);
    Request hello;
    hello.kind = Kind::Hello;
    hello.makerFolder = (kStandIns / "plain").string();
    const std::string bytes = frame(encode(hello));
    ASSERT_TRUE(host.send(bytes.substr(0, 3)));
    ASSERT_TRUE(host.send(bytes.substr(3, 5)));
    const auto ready = decodeAnswer(answerTo(host, bytes.substr(8)));
    ASSERT_TRUE(ready);
    EXPECT_EQ(ready->kind, Kind::Ready);
}

} // namespace
