// The progress line of a long exchange: one line on the message stream, rewritten in place.
#pragma once

#include "console.h"

#include <chrono>
#include <cstdint>
#include <string>

namespace ctl {

// "812 bytes", "20.5 KB", "13.1 MB", "1.2 GB".
std::string byteSize(std::uint64_t bytes);

class ProgressLine {
public:
    // Drawn when `asked`, or on a terminal once the work has taken a second.
    ProgressLine(const Console& console, bool asked);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // "restore: writing  40%"; drawn again only when the percentage changes.
    void show(const std::string& what, std::size_t done, std::size_t total);
    // "download Flipper-IRDB [=======>      ]  52%  13.1 MB of 25.0 MB, 2.4 MB/s"; without a
    // total, a marker moving with the bytes: "[    <=>     ] 3.1 MB, 2.4 MB/s". `speed` 0 leaves it out.
    void showTransfer(const std::string& what, std::uint64_t done, std::uint64_t total, double speed);
    // "index Flipper-IRDB...": a step whose length is not known.
    void showStep(const std::string& what);
    // Clears the line, so the command's last message stands alone.
    void finish();

private:
    void draw(std::string line);

    const Console& console_;
    bool asked_;
    bool terminal_;
    std::chrono::steady_clock::time_point started_;
    std::string last_;
    std::size_t width_ = 0;
};

} // namespace ctl
