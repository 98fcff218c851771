// How long start-up takes to read the remote's memory layout from the virtual QTM-418, with the
// latency of a USB full-speed exchange and with instant exchanges.
#include "benchdevice.h"
#include "device/layoutio.h"

#include <benchmark/benchmark.h>

namespace {

void readLayout(benchmark::State& state, const char* profile) {
    BenchDevice device(profile, static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        model::LayoutRead read = device::readDeviceLayout();
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
