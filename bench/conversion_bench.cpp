// Learning one key, after the capture: trimming, encoding and converting a full capture buffer.
#include "ir/capturewords.h"
#include "ir/storedcode.h"
#include "model/codeencoding.h"
#include "model/wire.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// An air conditioner's long frame twice: about 700 durations, most of the 10240-character buffer
// read by the trimmer.
std::string fullCapture() {
    ir::Signal signal;
    for (int frame = 0; frame < 2; ++frame) {
        signal.timings.insert(signal.timings.end(), {3400, 1700});
        for (int i = 0; i < 170; ++i) {
            signal.timings.push_back(430);
            signal.timings.push_back((i * 7) % 3 ? 1290 : 430);
        }
        signal.timings.push_back(430);
        signal.timings.push_back(frame ? 0 : 35000);
    }
    signal.timings.pop_back();
    std::string buffer = ir::captureRecord(signal);
    buffer.resize(wire::kCaptureBufferSize, '\0');
    return buffer;
}

void TrimEncodeConvert(benchmark::State& state) {
    const std::string captured = fullCapture();
    const auto diagnostic = std::filesystem::temp_directory_path() / "qtm418-bench-123.txt";
    for (auto _ : state) {
        const std::string encoded = model::encodeCapture(model::trimCapture(captured), diagnostic);
        const std::string answer = ir::convertBody(encoded.substr(5));
        benchmark::DoNotOptimize(answer);
    }
}
BENCHMARK(TrimEncodeConvert)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
