// Signals and code files the command-line tests write for themselves.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testsupport {

// Timings of a pulse-distance code: a header, `bits` bits of `value` (low bit first), a stop mark.
inline std::vector<int> pulseDistance(int headerMark, int headerSpace, int mark, int zero, int one,
                                      unsigned long value, int bits) {
    std::vector<int> timings{headerMark, headerSpace};
    for (int i = 0; i < bits; ++i) {
        timings.push_back(mark);
        timings.push_back((value >> i) & 1 ? one : zero);
    }
    timings.push_back(mark);
    return timings;
}

// An NEC frame of `address` and `command`.
inline std::vector<int> necFrame(unsigned address, unsigned command) {
    const unsigned long value = address | (~address & 0xFFu) << 8 | command << 16 | (~command & 0xFFu) << 24;
    return pulseDistance(9000, 4500, 560, 560, 1690, value, 32);
}

inline std::string timingList(const std::vector<int>& timings, const char* separator = ", ") {
    std::string text;
    for (std::size_t i = 0; i < timings.size(); ++i)
        text += (i ? separator : "") + std::to_string(timings[i]);
    return text;
}

// `text` in a scratch file named `name`; its path.
inline std::string scratchFile(const std::string& name, const std::string& text) {
    const auto path = std::filesystem::temp_directory_path() / ("qtm418ctl-test-" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

} // namespace testsupport
