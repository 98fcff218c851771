#include "numberruns.h"

namespace model {

std::string runsText(const std::vector<unsigned>& ascending, unsigned step,
                     const std::function<std::string(unsigned)>& name) {
    std::string text;
    for (std::size_t i = 0; i < ascending.size();) {
        std::size_t j = i;
        while (j + 1 < ascending.size() && ascending[j + 1] == ascending[j] + step)
            ++j;
        text += (text.empty() ? "" : ", ") + name(ascending[i]) + (j > i ? "-" + name(ascending[j]) : "");
        i = j + 1;
    }
    return text;
}

std::string numberRanges(const std::vector<unsigned>& ascending) {
    return runsText(ascending, 1, [](unsigned n) { return std::to_string(n); });
}

} // namespace model
