// A fresh virtual remote in a folder of its own, used through the device library for one test.
#pragma once

#include "kestrio/devicestore.h"

#include <filesystem>
#include <string>

namespace testsupport {

class DeviceFolder {
public:
    // Creates the folder, points the device library at it and resets the remote to `profile`
    // with instant exchanges and the demo remote switched off.
    explicit DeviceFolder(const std::string& profile = "factory");
    ~DeviceFolder();
    DeviceFolder(const DeviceFolder&) = delete;
    DeviceFolder& operator=(const DeviceFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    emu::DeviceStore& store() { return store_; }

    // A copy of the remote as it is now.
    emu::Device snapshot();
    void reset(const std::string& profile);
    void setAttached(bool attached);
    // The next `count` calls of `op` after `skip` good ones fail; with `unplug`, the cable comes
    // out at the first of them.
    void failNext(emu::Operation op, unsigned count = 1, unsigned skip = 0, bool unplug = false);
    // How many exchanges of `operation` ("RCollectCodeInfo") the trace has logged.
    std::size_t exchanges(const std::string& operation) const;
    // Runs a qtm418-emu command line on this folder; its exit code.
    int emu(const std::vector<std::string>& args, std::string* out = nullptr);

private:
    std::filesystem::path path_;
    emu::DeviceStore store_;
};

} // namespace testsupport
