// Start-up: from launch to the first paint of the main window, for the configurator against a
// fresh virtual remote (at its realistic latency) and for a bare window of the same size built
// beside it, in turns, offscreen. Prints the medians, the configurator's own time without the
// fixed 500 ms pause it makes after creating its window, the ratio of that to the bare window, and
// both peak memories.
//
//   bench_startup [RUNS] [--each]     (default 9 runs; --each prints every run)
#include "benchdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double kFixedPauseMs = 500;

struct Start {
    double firstPaintMs = 0;
    double peakMiB = 0;
};

double peakMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024;
    return 0;
}

// An offscreen screen as wide as a desktop's, so the configurator asks nothing about its size.
QString wideScreenPlatform() {
    const QString config = QDir::temp().filePath(QStringLiteral("qtm418-startup-screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens":[{"name":"wide","x":0,"y":0,"width":1280,"height":1024,)"
                   R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    return QStringLiteral("offscreen:configfile=") + config;
}

std::optional<Start> start(const QString& program) {
    static const QString platform = wideScreenPlatform();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("QTM418_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    // The report comes on standard error: waiting on the default channel would only wake on the
    // timeout and round every start up to it.
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    if (!process.waitForStarted(5000))
        return std::nullopt;
    QByteArray said;
    while (!said.contains("first paint") && clock.elapsed() < 20000) {
        process.waitForReadyRead(5);
        said += process.readAllStandardError();
    }
    Start s;
    s.firstPaintMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    // Settled: the window shown and the link monitor running.
    process.waitForFinished(300);
    s.peakMiB = peakMiB(process.processId());
    process.kill();
    process.waitForFinished(5000);
    if (!said.contains("first paint"))
        return std::nullopt;
    return s;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 9;
    bool each = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--each")
            each = true;
        else if (std::string(argv[i]).rfind("--", 0) != 0)
            runs = std::max(7, std::atoi(argv[i]));
    }
    const QString folder = QCoreApplication::applicationDirPath();
    std::vector<double> program, bare, programMemory, bareMemory;
    for (int run = 0; run < runs; ++run) {
        BenchDevice device("factory", 1000);
        const auto p = start(folder + QStringLiteral("/qtm418"));
        const auto b = start(folder + QStringLiteral("/startup-bare-window"));
        if (!p || !b) {
            std::fprintf(stderr, "startup: a window never painted\n");
            return 1;
        }
        if (each)
            std::printf("run %2d: configurator %.0f ms, bare window %.0f ms\n", run + 1, p->firstPaintMs,
                        b->firstPaintMs);
        program.push_back(p->firstPaintMs);
        programMemory.push_back(p->peakMiB);
        bare.push_back(b->firstPaintMs);
        bareMemory.push_back(b->peakMiB);
    }
    const double own = median(program) - kFixedPauseMs;
    std::printf("runs:                      %d\n", runs);
    std::printf("configurator first paint:  %.0f ms (median), %.0f ms without the fixed pause\n",
                median(program), own);
    std::printf("bare window first paint:   %.0f ms (median)\n", median(bare));
    std::printf("start-up ratio:            %.2f\n", own / median(bare));
    std::printf("peak memory:               %.1f MiB against %.1f MiB, ratio %.2f\n", median(programMemory),
                median(bareMemory), median(programMemory) / median(bareMemory));
    return 0;
}
