#include "progress.h"

#include <cstdio>
#include <iostream>
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

void ProgressLine::show(const std::string& what, std::size_t done, std::size_t total) {
    if (!asked_ && !(terminal_ && std::chrono::steady_clock::now() - started_ >= std::chrono::seconds(1)))
        return;
    const std::size_t percent = total ? 100 * done / total : 100;
    std::string line = what + " " +
                       std::string(percent < 10    ? 2
                                   : percent < 100 ? 1
                                                   : 0,
                                   ' ') +
                       std::to_string(percent) + "%";
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
