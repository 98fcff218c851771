#include "devicefolder.h"
#include "environment.h"
#include "kestrio/devicestore.h"
#include "kestrio/firmware.h"
#include "kestrio/profiles.h"
#include "model/portablefiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "model/windowsapi.h"

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

// The remote's folder is the user's unless one is named: under HOME on Linux, %LOCALAPPDATA% on
// Windows, wherever the name leads (outside ASCII too).
TEST(DeviceStore, TheDefaultFolderIsTheUsersUnlessOneIsNamed) {
    const auto home = std::filesystem::temp_directory_path() / std::filesystem::path(u8"qtm418-用户");
    {
        const testsupport::ScopedEnvironment unnamed("QTM418_DEVICE_DIR", std::nullopt);
#if defined(_WIN32)
        const testsupport::ScopedEnvironment local("LOCALAPPDATA", home / "AppData" / "Local");
        EXPECT_EQ(model::pathText(DeviceStore::defaultFolder()),
                  model::pathText(home / "AppData" / "Local" / "qtm418" / "device"));
#else
        const testsupport::ScopedEnvironment user("HOME", home);
        EXPECT_EQ(model::pathText(DeviceStore::defaultFolder()),
                  model::pathText(home / ".local" / "state" / "qtm418" / "device"));
#endif
    }
    const testsupport::ScopedEnvironment named("QTM418_DEVICE_DIR", home / "remote");
    EXPECT_EQ(model::pathText(DeviceStore::defaultFolder()), model::pathText(home / "remote"));
}

namespace {

// Writes two patterns in turn over 4 KiB of the remote's memory until the process is killed.
[[noreturn]] void writeForever(const std::filesystem::path& folder) {
    DeviceStore store(folder);
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

#if defined(_WIN32)
// Windows has no fork: the writer is this test program started again, told by the environment to
// be the writer.
constexpr const wchar_t* kWriterVariable = L"QTM418_TEST_TORN_WRITER";

class Writer {
public:
    explicit Writer(const std::filesystem::path& folder) {
        std::wstring program(MAX_PATH, L'\0');
        program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
        std::wstring commandLine =
            L"\"" + program + L"\" --gtest_filter=DeviceStore.AWriterKilledMidWriteNeverLeavesATornImage";
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        // Its output goes nowhere, not into this test's.
        HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inheritable, OPEN_EXISTING, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
        _wputenv_s(kWriterVariable, folder.c_str());
        started_ = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process_);
        _wputenv_s(kWriterVariable, L"");
        CloseHandle(nul);
    }
    ~Writer() {
        if (started_) {
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool started() const { return started_; }
    void kill() {
        if (!started_)
            return;
        TerminateProcess(process_.hProcess, 9);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};
#else
class Writer {
public:
    explicit Writer(const std::filesystem::path& folder) : child_(fork()) {
        if (child_ == 0)
            writeForever(folder);
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool started() const { return child_ > 0; }
    void kill() {
        if (child_ <= 0)
            return;
        ::kill(child_, SIGKILL);
        int status = 0;
        waitpid(child_, &status, 0);
    }

private:
    pid_t child_;
};
#endif

// The byte at `address` as a reader sees it now; 0 while the folder cannot be read.
std::uint8_t byteNow(const std::filesystem::path& folder, unsigned address) {
    DeviceStore reader(folder);
    std::uint8_t byte = 0;
    reader.transact([&](Device& d) {
        byte = d.memory.at(address);
        return unsigned{NoChange};
    });
    return byte;
}

} // namespace

// A program killed while it writes leaves either the old or the new image, never a mix.
TEST(DeviceStore, AWriterKilledMidWriteNeverLeavesATornImage) {
#if defined(_WIN32)
    if (const wchar_t* folder = _wgetenv(kWriterVariable); folder != nullptr && *folder != 0)
        writeForever(folder); // this process is the writer of the test below
#endif
    DeviceFolder folder;
    const auto path = folder.path();
    const std::string zeros(2 * 0x1000, '0');
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(writeBytes(folder.store(), 0x4000, zeros));
        Writer writer(path);
        ASSERT_TRUE(writer.started());
        // Killed once it is writing (a process takes a while to start on Windows), after a time
        // that differs from round to round.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (byteNow(path, 0x4000) == 0x00 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::microseconds(20000 + 7000 * round));
        writer.kill();

        DeviceStore reader(path);
        Device d;
        ASSERT_TRUE(reader.transact([&](Device& dev) {
            d = dev;
            return unsigned{NoChange};
        }));
        const std::uint8_t first = d.memory[0x4000];
        EXPECT_TRUE(first == 0x55 || first == 0xAA) << "the writer never wrote";
        for (unsigned i = 0; i < 0x1000; ++i)
            ASSERT_EQ(d.memory[0x4000 + i], first) << "torn at " << i;
        EXPECT_EQ(std::filesystem::file_size(path / "memory.bin"), kMemorySize);
    }
}
