// The virtual remote's folder on disk: settings and memory image, shared by every process that
// uses the device (the program through the device library, and qtm418-emu).
#pragma once

#include "device.h"

#include <filesystem>
#include <functional>
#include <string>

namespace emu {

// Which parts of the device a change touched, so only those are written back.
enum Changes : unsigned { NoChange = 0, SettingsChanged = 1, MemoryChanged = 2 };

class DeviceStore {
public:
    explicit DeviceStore(std::filesystem::path folder);

    // $QTM418_DEVICE_DIR, else ~/.local/state/qtm418/device; on Windows %LOCALAPPDATA%\qtm418\device.
    static std::filesystem::path defaultFolder();

    const std::filesystem::path& folder() const { return folder_; }

    // Runs `change` on the device under the folder's lock and saves what it reports changed.
    // A folder seen for the first time gets a factory-fresh remote. Returns false, with the
    // reason in `error`, when the folder cannot be read or written; `change` then has not run.
    bool transact(const std::function<unsigned(Device&)>& change, std::string* error = nullptr);

    // Replaces the whole device (a reset), under the lock.
    bool replace(const Device& device, std::string* error = nullptr);

private:
    // Runs `work` holding the folder's lock, creating the folder first.
    bool locked(const std::function<bool()>& work, std::string* error);
    bool load(Device& device, std::string* error);
    bool save(const Device& device, unsigned changes, std::string* error);

    std::filesystem::path folder_;
    // The memory image last read or written by this process, valid while its generation matches.
    Memory cachedMemory_;
    std::uint64_t cachedGeneration_ = 0;
    bool cacheValid_ = false;
};

} // namespace emu
