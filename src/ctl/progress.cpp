#include "progress.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#ifdef _WIN32
#include <io.h>
#define QTM418_ISATTY _isatty
#define QTM418_FILENO _fileno
#else
#include <unistd.h>
#define QTM418_ISATTY isatty
#define QTM418_FILENO fileno
#endif

namespace ctl {

ProgressLine::ProgressLine(const Console& console, bool asked)
    : console_(console), asked_(asked),
      terminal_(&console.err == &std::cerr && QTM418_ISATTY(QTM418_FILENO(stderr))),
      started_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() { finish(); }

namespace {

std::string percentText(std::uint64_t done, std::uint64_t total) {
    const std::uint64_t percent = total ? std::min<std::uint64_t>(100, 100 * done / total) : 100;
    return std::string(percent < 10 ? 2 : percent < 100 ? 1 : 0, ' ') + std::to_string(percent) + "%";
}

} // namespace

std::string byteSize(std::uint64_t bytes) {
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    const char* units[] = {"KB", "MB", "GB"};
    double value = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    for (; value >= 1024 && unit + 1 < std::size(units); ++unit)
        value /= 1024;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

void ProgressLine::show(const std::string& what, std::size_t done, std::size_t total) {
    draw(what + " " + percentText(done, total));
}

void ProgressLine::showTransfer(const std::string& what, std::uint64_t done, std::uint64_t total,
                                double speed) {
    constexpr std::size_t kWidth = 24;
    std::string bar(kWidth, ' ');
    std::string line = what + " ";
    if (total != 0) {
        const std::size_t filled = static_cast<std::size_t>(kWidth * std::min(done, total) / total);
        bar.replace(0, filled, std::string(filled, '='));
        if (filled < kWidth)
            bar[filled] = '>';
        line +=
            "[" + bar + "] " + percentText(done, total) + "  " + byteSize(done) + " of " + byteSize(total);
    } else {
        // No size announced: a marker that moves on with every 64 KB and stands still while
        // nothing comes.
        const std::size_t travel = kWidth - 3;
        const std::size_t step = static_cast<std::size_t>(done >> 16) % (2 * travel);
        bar.replace(step < travel ? step : 2 * travel - step, 3, "<=>");
        line += "[" + bar + "] " + byteSize(done);
    }
    if (speed > 0)
        line += ", " + byteSize(static_cast<std::uint64_t>(speed)) + "/s";
    draw(line);
}

void ProgressLine::showStep(const std::string& what) { draw(what); }

void ProgressLine::draw(std::string line) {
    if (!asked_ && !(terminal_ && std::chrono::steady_clock::now() - started_ >= std::chrono::seconds(1)))
        return;
    if (line == last_)
        return;
    last_ = line;
    if (line.size() < width_)
        line += std::string(width_ - line.size(), ' ');
    width_ = line.size();
    console_.err << '\r' << line << std::flush;
}

void ProgressLine::finish() {
    if (width_ == 0)
        return;
    console_.err << '\r' << std::string(width_, ' ') << '\r' << std::flush;
    width_ = 0;
    last_.clear();
}

} // namespace ctl
