// How long start-up takes to read the remote's memory layout from the virtual QTM-418, with the
// latency of a USB full-speed exchange and with instant exchanges.
#include "device/layoutio.h"
#include "devicestore.h"
#include "profiles.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

class BenchDevice {
public:
    BenchDevice(const std::string& profile, unsigned latencyMicros)
        : folder_(std::filesystem::temp_directory_path() / ("qtm418-bench-" + std::to_string(std::random_device{}()))) {
#if defined(_WIN32)
        _putenv_s("QTM418_DEVICE_DIR", folder_.string().c_str());
#else
        setenv("QTM418_DEVICE_DIR", folder_.c_str(), 1);
#endif
        emu::Device device = emu::makeProfile(profile).value();
        device.settings.latencyMicros = latencyMicros;
        emu::DeviceStore(folder_).replace(device);
    }
    ~BenchDevice() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

private:
    std::filesystem::path folder_;
};

void readLayout(benchmark::State& state, const char* profile) {
    BenchDevice device(profile, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        device::LayoutRead read = device::readDeviceLayout();
        if (read.failure)
            state.SkipWithError("layout unreadable");
        benchmark::DoNotOptimize(read);
    }
}

void BM_ReadDeviceLayout_Factory(benchmark::State& state) { readLayout(state, "factory"); }
void BM_ReadDeviceLayout_BigIndex(benchmark::State& state) { readLayout(state, "big-index"); }

// Argument: the latency of one exchange in microseconds (0: instant, 1000: USB full speed).
BENCHMARK(BM_ReadDeviceLayout_Factory)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadDeviceLayout_BigIndex)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
