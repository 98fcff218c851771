// A virtual QTM-418 of a given profile in a folder of its own, for one benchmark.
#pragma once

#include "kestrio/devicestore.h"
#include "kestrio/profiles.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

class BenchDevice {
public:
    BenchDevice(const std::string& profile, unsigned latencyMicros)
        : folder_(std::filesystem::temp_directory_path() /
                  ("qtm418-bench-" + std::to_string(std::random_device{}()))) {
#if defined(_WIN32)
        _putenv_s("QTM418_DEVICE_DIR", folder_.string().c_str());
#else
        setenv("QTM418_DEVICE_DIR", folder_.c_str(), 1);
#endif
        emu::Device device = emu::makeProfile(profile).value();
        device.settings.latencyMicros = latencyMicros;
        device.settings.demo = false;
        emu::DeviceStore(folder_).replace(device);
    }
    ~BenchDevice() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    BenchDevice(const BenchDevice&) = delete;
    BenchDevice& operator=(const BenchDevice&) = delete;

private:
    std::filesystem::path folder_;
};
