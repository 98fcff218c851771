// An infrared signal as a receiver sees it: the carrier and the alternating mark and space
// durations, starting with a mark.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ir {

constexpr int kDefaultCarrierHz = 38000;

struct Signal {
    int carrierHz = kDefaultCarrierHz; // 0: none measured
    std::vector<int> timings;          // microseconds: mark, space, mark, ...
};

// What the person who captured a signal said it is.
struct Label {
    std::string protocol;
    unsigned long address = 0;
    unsigned long command = 0;
};

struct CaptureLine {
    std::string source;
    Signal signal;
    std::optional<Label> label;
};

// A line of the test captures: {"source": ..., "carrier_hz": ..., "timings_us": [...], "label": ...}.
// nullopt when it is not such a line or its timings are not positive whole microseconds.
std::optional<CaptureLine> parseCaptureLine(std::string_view line);

// Decimal microseconds separated by spaces or commas; nullopt when any is not a positive number.
std::optional<std::vector<int>> parseTimingList(std::string_view text);

// Every duration positive and at most a second, starting with a mark.
bool plausibleTimings(const std::vector<int>& timings);

} // namespace ir
