// bench_bridge [RUNS]: a report of what the bridge to the maker's 32-bit libraries costs. The
// maker's stand-ins (our own virtual remote and converter as 32-bit DLLs, served by the 32-bit
// host; on Linux under wine) against the same virtual remote in the program's own process:
//   - a backup of the whole memory and a learn-all of the 13 television keys from one code file,
//     at exchanges of 0 and 1000 us; the bridge should add at most 20 % at 1000 us;
//   - how long the link monitor's link_state waits while a capture polls RCollectCodeInfo as fast
//     as the remote answers; it must be answered within 250 ms.
// The best of RUNS (default 3) runs counts.
#include "benchdevice.h"

#include "bridge/bridge.h"
#include "ctl/run.h"
#include "device/devicelink.h"
#include "device/memorybackup.h"
#include "device/openremote.h"
#include "kestrio/devicestore.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const fs::path kStandIns = fs::path(QTM418_MAKER_STANDINS) / "decorated";

void setVariable(const char* name, const std::string& value) {
#if defined(_WIN32)
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

// The remote the next call chooses: the maker's stand-ins through the host, or (a maker's folder
// with nothing in it) the virtual remote in this process.
void useBridge(bool bridge, const fs::path& emptyFolder) {
    setVariable("QTM418_MAKER_DIR", model::pathText(bridge ? kStandIns : emptyFolder));
    bridge::chooseAgain();
}

// The 13 keys of the television side, each named as code files name them, as NEC codes.
std::string televisionFile(const fs::path& folder) {
    const char* names[] = {"Power", "Mute",  "Input",  "Up",   "Menu", "Vol_up", "Left",
                           "Ok",    "Right", "Vol_dn", "Back", "Down", "Exit"};
    std::ostringstream text;
    text << "Filetype: IR signals file\nVersion: 1\n";
    unsigned command = 1;
    for (const char* name : names) {
        char code[8];
        std::snprintf(code, sizeof code, "%02X", command++);
        text << "#\nname: " << name
             << "\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: " << code << " 00 00 00\n";
    }
    const fs::path file = folder / "television.ir";
    std::ofstream(file) << text.str();
    return model::pathText(file);
}

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double backupMillis() {
    const auto start = Clock::now();
    const auto opened = device::openRemote(false);
    const auto taken = device::takeBackup(opened.remote, [](std::size_t, std::size_t) {});
    if (!taken.backup)
        std::fprintf(stderr, "bench_bridge: the backup failed\n");
    return millisSince(start);
}

double learnAllMillis(const std::string& file) {
    std::istringstream in;
    std::ostringstream out, err;
    const auto start = Clock::now();
    const int status = ctl::run({"learn-all", file, "--side", "tv"}, ctl::Console{in, out, err});
    const double took = millisSince(start);
    if (status != 0 || out.str().find("learned 13 keys") == std::string::npos)
        std::fprintf(stderr, "bench_bridge: learn-all did not learn the 13 keys: %s%s", out.str().c_str(),
                     err.str().c_str());
    return took;
}

struct Timings {
    double backup = 1e300;
    double learnAll = 1e300;
};

Timings measure(bool bridge, unsigned latency, int runs, const fs::path& scratch) {
    Timings best;
    const std::string file = televisionFile(scratch);
    // The host is started for each remote's folder, and the libraries loaded, before the clock runs.
    for (int run = 0; run < runs; ++run) {
        {
            BenchDevice learned("learned", latency);
            useBridge(bridge, scratch / "empty");
            device::link::attached();
            best.backup = std::min(best.backup, backupMillis());
        }
        BenchDevice factory("factory", latency);
        useBridge(bridge, scratch / "empty");
        device::link::attached();
        best.learnAll = std::min(best.learnAll, learnAllMillis(file));
    }
    return best;
}

// A call's round trip through the channel alone: a maker's kestrio.dll whose link_state answers at
// once, without a remote's folder to read (the tests' library that misbehaves only in ReadVersion).
void channelRoundTrip() {
    setVariable("QTM418_MAKER_DIR", model::pathText(kStandIns.parent_path() / "overruns"));
    bridge::chooseAgain();
    device::link::attached();
    constexpr int kCalls = 2000;
    const auto start = Clock::now();
    for (int call = 0; call < kCalls; ++call)
        device::link::attached();
    std::printf("a call's round trip through the channel alone: %.1f us\n",
                1000.0 * millisSince(start) / kCalls);
}

// The link monitor's polls, every 200 ms, while a capture polls without a pause of its own.
void linkStateWhileCapturing(unsigned latency, const fs::path& scratch) {
    BenchDevice device("factory", latency);
    useBridge(true, scratch / "empty");
    device::link::attached();
    std::atomic<bool> capturing{true};
    std::thread capture([&] {
        device::link::setCodeCarrierWave();
        while (capturing) {
            device::link::collectCodeInfo();
            device::link::attached();
        }
    });
    std::vector<double> waits;
    const auto end = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < end) {
        const auto asked = Clock::now();
        device::link::attached();
        waits.push_back(millisSince(asked));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    capturing = false;
    capture.join();
    std::sort(waits.begin(), waits.end());
    double sum = 0;
    for (double w : waits)
        sum += w;
    std::printf("link_state while a capture polls, through the bridge at %u us: %zu polls, mean %.2f ms, "
                "median %.2f ms, longest %.2f ms (limit 250 ms)\n",
                latency, waits.size(), sum / static_cast<double>(waits.size()), waits[waits.size() / 2],
                waits.back());
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path scratch =
        fs::temp_directory_path() / ("qtm418-bench-bridge-" + std::to_string(std::random_device{}()));
    fs::create_directories(scratch / "empty");
    std::printf("%-10s %-22s %12s %12s %10s\n", "latency", "work", "in-process", "bridge", "added");
    for (const unsigned latency : {0u, 1000u}) {
        const Timings own = measure(false, latency, runs, scratch);
        const Timings bridged = measure(true, latency, runs, scratch);
        const std::pair<const char*, std::pair<double, double>> rows[] = {
            {"whole-memory backup", {own.backup, bridged.backup}},
            {"learn-all, 13 keys", {own.learnAll, bridged.learnAll}},
        };
        for (const auto& [work, times] : rows)
            std::printf("%4u us    %-22s %9.1f ms %9.1f ms %+9.1f %%\n", latency, work, times.first,
                        times.second, 100.0 * (times.second - times.first) / times.first);
    }
    channelRoundTrip();
    linkStateWhileCapturing(1000, scratch);
    if (const auto fault = bridge::makerFault())
        std::printf("bench_bridge: the bridge reported a fault: %s\n", fault->detail.c_str());
    bridge::chooseAgain();
    std::error_code ec;
    fs::remove_all(scratch, ec);
    return 0;
}
