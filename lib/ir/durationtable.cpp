#include "durationtable.h"

#include <algorithm>
#include <cmath>

namespace ir {

namespace {

constexpr int kGridStart = 100;
constexpr double kGridRatio = 1.1;

} // namespace

DurationTable::DurationTable(std::vector<int> values, bool rounded) {
    std::sort(values.begin(), values.end());
    std::size_t i = 0;
    while (i < values.size()) {
        const int start = values[i];
        std::size_t j = i;
        while (j < values.size() && values[j] - start <= std::max(50, start / 8))
            ++j;
        int value = (start + values[j - 1]) / 2;
        if (rounded)
            value = roundForSharing(value);
        groups_.push_back({start, values[j - 1], std::max(value, 1)});
        i = j;
    }
}

std::size_t DurationTable::indexOf(int v) const {
    for (std::size_t i = 0; i < groups_.size(); ++i)
        if (v >= groups_[i].low && v <= groups_[i].high)
            return i;
    return 0;
}

int DurationTable::roundForSharing(int v) {
    if (v < kGridStart)
        return v;
    const double step = std::round(std::log(v / static_cast<double>(kGridStart)) / std::log(kGridRatio));
    return static_cast<int>(std::lround(kGridStart * std::pow(kGridRatio, step)));
}

} // namespace ir
