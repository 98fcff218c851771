// One learned code from the converter's answer to the remote's memory: the plan and its writes
// (code blocks, index, slot, the old code freed) against the virtual remote at USB latency and at
// none.
#include "benchdevice.h"
#include "device/commitwrite.h"
#include "device/layoutio.h"
#include "model/commitplan.h"

#include <benchmark/benchmark.h>

namespace {

void commitNewCode(benchmark::State& state) {
    BenchDevice device("factory", static_cast<unsigned>(state.range(0)));
    model::LayoutRead read = device::readDeviceLayout();
    if (read.failure) {
        state.SkipWithError("layout unreadable");
        return;
    }
    // A code of 40 bytes that no preset and no stored code matches.
    const model::ConverterAnswer answer{"4D5E6F", "0011223344556677", "8899AABBCCDDEEFF",
                                        std::string(80, 'A')};
    for (auto _ : state) {
        // Learned again and again into the same key: each time a new entry, and the old one freed.
        const auto decision = model::planCommit(read.layout, read.keyTable, "30", answer);
        const auto* plan = std::get_if<model::CommitPlan>(&decision);
        if (!plan || device::writeCommit(read.layout, *plan) != device::CommitOutcome::Written) {
            state.SkipWithError("the commit failed");
            return;
        }
        read.keyTable[plan->slot] = plan->keyTableEntry;
    }
}

} // namespace

BENCHMARK(commitNewCode)->Arg(1000)->Arg(0)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
