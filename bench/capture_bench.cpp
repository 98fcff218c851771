// The program's processor time while the capture thread waits out a whole capture window against
// the virtual remote at USB latency: the thread polls without a pause of its own, so the remote's
// answer time must be what paces it.
// The device model names a member `slots`, which the toolkit's headers turn into a keyword.
#include "benchdevice.h"

#include "app/collect_code.h"
#include "app/mainstudy.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

namespace {

double processSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void captureWindow(benchmark::State& state) {
    BenchDevice device("factory", static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        MainState main;
        const double cpuBefore = processSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        TCollectCode thread(main);
        thread.start();
        thread.wait();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        state.counters["window_s"] = wall;
        state.counters["cpu_percent_of_one_core"] = 100.0 * (processSeconds() - cpuBefore) / wall;
        if (!main.capturedCode.empty())
            state.SkipWithError("the remote heard something");
    }
}

} // namespace

BENCHMARK(captureWindow)->Arg(1000)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

BENCHMARK_MAIN();
