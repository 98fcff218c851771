// The progress line of a long exchange: one line on the message stream, rewritten in place.
#pragma once

#include "console.h"

#include <chrono>
#include <string>

namespace ctl {

class ProgressLine {
public:
    // Drawn when `asked`, or on a terminal once the work has taken a second.
    ProgressLine(const Console& console, bool asked);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // "restore: writing  40%"; drawn again only when the percentage changes.
    void show(const std::string& what, std::size_t done, std::size_t total);
    // Clears the line, so the command's last message stands alone.
    void finish();

private:
    const Console& console_;
    bool asked_;
    bool terminal_;
    std::chrono::steady_clock::time_point started_;
    std::string last_;
    std::size_t width_ = 0;
};

} // namespace ctl
