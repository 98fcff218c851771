#include "devicefolder.h"

#include "environment.h"
#include "kestrio/emucommands.h"
#include "kestrio/profiles.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testsupport {

namespace {

std::filesystem::path uniqueFolder() {
    std::random_device random;
    const auto name = "qtm418-test-" + std::to_string(random()) + std::to_string(random());
    return std::filesystem::temp_directory_path() / name;
}

// Folders that come one after another share one path for the whole process: a host serving the
// maker's stand-in of the device library keeps the folder its environment named when it started.
int alive = 0;

std::filesystem::path nextFolder() {
    static const std::filesystem::path processFolder = uniqueFolder();
    return alive++ == 0 ? processFolder : uniqueFolder();
}

} // namespace

DeviceFolder::DeviceFolder(const std::string& profile) : path_(nextFolder()), store_(path_) {
    std::filesystem::create_directories(path_);
    setEnvironment("QTM418_DEVICE_DIR", path_);
    reset(profile);
}

DeviceFolder::~DeviceFolder() {
    --alive;
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

emu::Device DeviceFolder::snapshot() {
    emu::Device copy;
    if (!store_.transact([&](emu::Device& d) {
            copy = d;
            return unsigned{emu::NoChange};
        }))
        throw std::runtime_error("device folder unreadable");
    return copy;
}

void DeviceFolder::reset(const std::string& profile) {
    auto device = emu::makeProfile(profile);
    if (!device)
        throw std::runtime_error("unknown profile " + profile);
    device->settings.latencyMicros = 0;
    // A test decides itself what the remote hears: the demo remote stays silent.
    device->settings.demo = false;
    if (!store_.replace(*device))
        throw std::runtime_error("cannot reset device");
}

void DeviceFolder::setAttached(bool attached) {
    store_.transact([attached](emu::Device& d) {
        d.settings.attached = attached;
        return unsigned{emu::SettingsChanged};
    });
}

void DeviceFolder::failNext(emu::Operation op, unsigned count, unsigned skip, bool unplug) {
    store_.transact([&](emu::Device& d) {
        d.settings.failures[op] = emu::FailRule{skip, count, unplug};
        return unsigned{emu::SettingsChanged};
    });
}

int DeviceFolder::emu(const std::vector<std::string>& args, std::string* out) {
    std::ostringstream o, e;
    const int rc = emu::runCommand(args, path_, o, e);
    if (out)
        *out = o.str() + e.str();
    return rc;
}

std::size_t DeviceFolder::exchanges(const std::string& operation) const {
    std::ifstream in(path_ / "exchanges.log");
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);)
        n += line.rfind(operation + " ", 0) == 0;
    return n;
}

} // namespace testsupport
