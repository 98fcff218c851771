#include "fidelity.h"

#include "frames.h"

#include <algorithm>

namespace ir {

namespace {

constexpr int kNoiseSpaceMicros = 5000;
constexpr int kUntimedSpaceMicros = 20000;

bool isSpace(std::size_t position) { return position % 2 == 1; }

} // namespace

std::vector<int> withoutLeadingNoise(std::vector<int> timings) {
    for (;;) {
        std::size_t cut = 0;
        for (std::size_t i = 1; i < std::min<std::size_t>(3, timings.size()); i += 2)
            if (timings[i] >= kNoiseSpaceMicros)
                cut = i + 1;
        if (cut == 0)
            return timings;
        timings.erase(timings.begin(), timings.begin() + static_cast<std::ptrdiff_t>(cut));
    }
}

long captureMicros(const std::vector<int>& timings) {
    long total = 0;
    for (int d : timings)
        total += d;
    return total;
}

long holdFor(const std::vector<int>& timings) { return captureMicros(timings) + kUntimedSpaceMicros; }

std::vector<int> shortPress(const std::vector<int>& timings) {
    int longSpaces = 0;
    for (std::size_t i = 1; i < timings.size(); i += 2)
        if (timings[i] >= kUntimedSpaceMicros && ++longSpaces == 2)
            return {timings.begin(), timings.begin() + static_cast<std::ptrdiff_t>(i)};
    return timings;
}

long firstMismatch(const std::vector<int>& sent, const std::vector<int>& captured) {
    for (std::size_t i = 0; i < captured.size(); ++i) {
        if (i >= sent.size()) {
            const bool finalSpace = i + 1 == captured.size() && isSpace(i);
            return finalSpace ? -1 : static_cast<long>(i);
        }
        const bool untimed =
            isSpace(i) && sent[i] >= kUntimedSpaceMicros && captured[i] >= kUntimedSpaceMicros;
        if (!untimed && !sameDuration(sent[i], captured[i]))
            return static_cast<long>(i);
    }
    return -1;
}

} // namespace ir
