// Pronto hex: the learned form (0000), a frequency word, two pair counts and the durations.
#include "codefile.h"

#include "model/hextext.h"

#include <cmath>
#include <sstream>

namespace codes {

Read prontoFile(const Lines& lines, const Fault& fault) {
    std::vector<std::pair<unsigned, std::size_t>> words; // value, line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).rfind('#', 0) == 0)
            continue;
        std::istringstream in(lines[i]);
        for (std::string word; in >> word;) {
            const auto value = word.size() == 4 ? model::parseHex(word) : std::nullopt;
            if (!value)
                return fault.at(i + 1, excerpt(word) + " is not a Pronto word of 4 hex digits");
            words.emplace_back(*value, i + 1);
        }
    }
    if (words.size() < 4 || words[0].first != 0)
        return fault.at(words.empty() ? 1 : words[0].second,
                        "not a learned Pronto code (it must start 0000, frequency, two counts)");
    const unsigned frequency = words[1].first;
    const std::size_t pairs = words[2].first + words[3].first;
    if (frequency == 0)
        return fault.at(words[1].second, "the frequency word is 0");
    if (pairs == 0 || words.size() != 4 + 2 * pairs)
        return fault.at(words.back().second, "the code holds " + std::to_string(words.size() - 4) +
                                                 " durations where its counts call for " +
                                                 std::to_string(2 * pairs));
    const double period = frequency * kProntoUnitMicros;
    ir::Signal signal{static_cast<int>(std::lround(1e6 / period)), {}};
    for (std::size_t i = 4; i < words.size(); ++i) {
        const long micros = std::lround(words[i].first * period);
        if (micros < 1 || micros > kLongestMicros)
            return fault.at(words[i].second,
                            "a duration of " + std::to_string(micros) + " us is out of range");
        signal.timings.push_back(static_cast<int>(micros));
    }
    return std::vector<NamedSignal>{{"", signal, words[0].second, {}}};
}

} // namespace codes
