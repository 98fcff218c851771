#include "devicestore.h"

#include "profiles.h"

#include "model/portablefiles.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "model/windowsapi.h"

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace emu {

namespace fs = std::filesystem;

namespace {

const char* kSettingsFile = "settings";
const char* kMemoryFile = "memory.bin";
const char* kLockFile = "lock";

// An exclusive lock on the folder's lock file: the program's threads and qtm418-emu take turns.
class FolderLock {
public:
    explicit FolderLock(const fs::path& path) {
#if defined(_WIN32)
        handle_ = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            return;
        OVERLAPPED overlapped{};
        locked_ = LockFileEx(handle_, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &overlapped);
#else
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR)
                return;
        }
        locked_ = true;
#endif
    }
    ~FolderLock() {
#if defined(_WIN32)
        if (handle_ != INVALID_HANDLE_VALUE) {
            if (locked_) {
                OVERLAPPED overlapped{};
                UnlockFileEx(handle_, 0, 1, 0, &overlapped);
            }
            CloseHandle(handle_);
        }
#else
        if (fd_ >= 0)
            ::close(fd_); // closing releases the flock
#endif
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool locked() const { return locked_; }

private:
#if defined(_WIN32)
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    int fd_ = -1;
#endif
    bool locked_ = false;
};

bool readFile(const fs::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return !in.bad();
}

// Writes beside the target and renames over it, so a crash never leaves a torn file.
bool writeFileAtomically(const fs::path& path, const char* data, std::size_t size) {
    fs::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(data, static_cast<std::streamsize>(size));
        out.flush();
        if (!out)
            return false;
    }
    std::error_code ec;
    model::replaceFile(temporary, path, ec);
    return !ec;
}

// A generation no process can have cached for an earlier image in a folder of the same name.
std::uint64_t freshGeneration() {
    static std::mt19937_64 generator{std::random_device{}()};
    return generator();
}

void setError(std::string* error, const std::string& text) {
    if (error)
        *error = text;
}

} // namespace

DeviceStore::DeviceStore(fs::path folder) : folder_(std::move(folder)) {}

fs::path DeviceStore::defaultFolder() {
    if (fs::path dir = model::environmentPath("QTM418_DEVICE_DIR"); !dir.empty())
        return dir;
#if defined(_WIN32)
    if (fs::path local = model::environmentPath("LOCALAPPDATA"); !local.empty())
        return local / "qtm418" / "device";
    if (fs::path profile = model::environmentPath("USERPROFILE"); !profile.empty())
        return profile / "AppData" / "Local" / "qtm418" / "device";
#else
    if (fs::path home = model::environmentPath("HOME"); !home.empty())
        return home / ".local" / "state" / "qtm418" / "device";
#endif
    return fs::path("qtm418-device");
}

bool DeviceStore::load(Device& device, std::string* error) {
    std::string text;
    if (!readFile(folder_ / kSettingsFile, text)) {
        // First use of this folder: a remote fresh from the factory.
        device = makeProfile("factory").value();
        device.settings.memoryGeneration = freshGeneration();
        if (!save(device, SettingsChanged | MemoryChanged, error))
            return false;
        return true;
    }
    auto settings = parseSettings(text);
    if (!settings) {
        setError(error,
                 "the device settings in " + model::pathText(folder_ / kSettingsFile) + " are unreadable");
        return false;
    }
    device.settings = *settings;
    if (cacheValid_ && cachedGeneration_ == settings->memoryGeneration) {
        device.memory = cachedMemory_;
        return true;
    }
    std::string image;
    if (!readFile(folder_ / kMemoryFile, image) || image.size() != kMemorySize) {
        setError(error,
                 "the memory image " + model::pathText(folder_ / kMemoryFile) + " is missing or not 64 KiB");
        return false;
    }
    device.memory.assign(image.begin(), image.end());
    cachedMemory_ = device.memory;
    cachedGeneration_ = settings->memoryGeneration;
    cacheValid_ = true;
    return true;
}

bool DeviceStore::save(const Device& device, unsigned changes, std::string* error) {
    if (changes & MemoryChanged) {
        if (!writeFileAtomically(folder_ / kMemoryFile, reinterpret_cast<const char*>(device.memory.data()),
                                 device.memory.size())) {
            setError(error, "cannot write " + model::pathText(folder_ / kMemoryFile));
            return false;
        }
        cachedMemory_ = device.memory;
        cachedGeneration_ = device.settings.memoryGeneration;
        cacheValid_ = true;
    }
    if (changes & (SettingsChanged | MemoryChanged)) {
        const std::string text = serializeSettings(device.settings);
        if (!writeFileAtomically(folder_ / kSettingsFile, text.data(), text.size())) {
            setError(error, "cannot write " + model::pathText(folder_ / kSettingsFile));
            return false;
        }
    }
    return true;
}

bool DeviceStore::locked(const std::function<bool()>& work, std::string* error) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) {
        setError(error, "cannot create " + model::pathText(folder_) + ": " + ec.message());
        return false;
    }
    FolderLock lock(folder_ / kLockFile);
    if (!lock.locked()) {
        setError(error, "cannot lock " + model::pathText(folder_ / kLockFile));
        return false;
    }
    return work();
}

bool DeviceStore::transact(const std::function<unsigned(Device&)>& change, std::string* error) {
    return locked(
        [&] {
            Device device;
            if (!load(device, error))
                return false;
            const unsigned changes = change(device);
            if (changes & MemoryChanged)
                ++device.settings.memoryGeneration;
            return save(device, changes, error);
        },
        error);
}

bool DeviceStore::replace(const Device& replacement, std::string* error) {
    return locked(
        [&] {
            Device device = replacement;
            device.settings.memoryGeneration = freshGeneration();
            return save(device, SettingsChanged | MemoryChanged, error);
        },
        error);
}

} // namespace emu
