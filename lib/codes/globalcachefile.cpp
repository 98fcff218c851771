// GlobalCache sendir commands, one a line (a name may stand before "sendir"):
// sendir,<module>:<port>,<id>,<frequency>,<repeat>,<offset>,<on>,<off>,... with every duration
// counted in carrier periods. The whole sequence is sent once, then from the 1-based `offset`
// on, `repeat` - 1 more times. In the compressed form a letter A to O stands for an earlier
// on/off pair: the first distinct pair is A, the second B, and so on.
#include "codefile.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace codes {

namespace {

constexpr int kMostGlobalCacheRepeats = 16;

struct Pairs {
    std::vector<std::pair<long, long>> sequence;
    std::vector<std::pair<long, long>> distinct; // in the order they first appear, for the letters
};

// Reads the durations after the offset field; what is wrong on failure.
std::variant<Pairs, FileProblem> readPairs(const std::vector<std::string>& fields, std::size_t first) {
    Pairs pairs;
    long pendingOn = 0; // an 'on' waiting for its 'off'; 0 when none is
    const auto add = [&](long value) {
        if (!pendingOn) {
            pendingOn = value;
            return;
        }
        const std::pair<long, long> pair{pendingOn, value};
        pendingOn = 0;
        pairs.sequence.push_back(pair);
        if (std::find(pairs.distinct.begin(), pairs.distinct.end(), pair) == pairs.distinct.end())
            pairs.distinct.push_back(pair);
    };
    for (std::size_t f = first; f < fields.size(); ++f) {
        const std::string& field = fields[f];
        std::size_t i = 0;
        while (i < field.size()) {
            const char c = field[i];
            if (std::isdigit(static_cast<unsigned char>(c))) {
                std::size_t j = i;
                while (j < field.size() && std::isdigit(static_cast<unsigned char>(field[j])))
                    ++j;
                const auto value = wholeNumber(std::string_view(field).substr(i, j - i));
                if (!value || *value < 1 || *value > 65635)
                    return FileProblem{.fault = FileFault::PeriodsOutOfRange, .text = field.substr(i, j - i)};
                add(*value);
                i = j;
            } else if (c >= 'A' && c <= 'O') {
                const std::size_t index = static_cast<std::size_t>(c - 'A');
                if (pendingOn || index >= pairs.distinct.size())
                    return FileProblem{.fault = FileFault::LetterUnknown, .text = std::string(1, c)};
                pairs.sequence.push_back(pairs.distinct[index]);
                ++i;
            } else {
                return FileProblem{.fault = FileFault::DurationUnexpected, .text = field};
            }
        }
    }
    if (pendingOn)
        return FileProblem{.fault = FileFault::OffMissing};
    if (pairs.sequence.empty())
        return FileProblem{.fault = FileFault::NoDurations};
    return pairs;
}

std::vector<std::string> fieldsOf(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(
            trimmed(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start)));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

std::variant<ir::Signal, FileProblem> sendir(std::string_view command) {
    const std::vector<std::string> fields = fieldsOf(command);
    if (fields.size() < 8)
        return FileProblem{.fault = FileFault::SendirIncomplete};
    const auto frequency = wholeNumber(fields[3]);
    const auto repeat = wholeNumber(fields[4]);
    const auto offset = wholeNumber(fields[5]);
    if (!frequency || *frequency < 15000 || *frequency > 500000)
        return FileProblem{.fault = FileFault::SendirFrequency, .text = fields[3]};
    if (!repeat || *repeat < 1 || *repeat > 50)
        return FileProblem{.fault = FileFault::SendirRepeat, .text = fields[4]};
    auto read = readPairs(fields, 6);
    if (auto* why = std::get_if<FileProblem>(&read))
        return std::move(*why);
    const auto& sequence = std::get<Pairs>(read).sequence;
    const long durations = static_cast<long>(2 * sequence.size());
    if (!offset || *offset < 1 || *offset > durations || *offset % 2 == 0)
        return FileProblem{.fault = FileFault::SendirOffset, .text = fields[5], .number = durations};
    const double period = 1e6 / static_cast<double>(*frequency);
    ir::Signal signal{static_cast<int>(*frequency), {}};
    const auto send = [&](std::size_t from) {
        for (std::size_t p = from; p < sequence.size(); ++p)
            for (const long periods : {sequence[p].first, sequence[p].second})
                signal.timings.push_back(std::max(1, static_cast<int>(std::lround(periods * period))));
    };
    send(0);
    for (long n = 1; n < std::min<long>(*repeat, kMostGlobalCacheRepeats); ++n)
        send(static_cast<std::size_t>(*offset - 1) / 2);
    if (!ir::plausibleTimings(signal.timings))
        return FileProblem{.fault = FileFault::SendirDurationOutOfRange};
    return signal;
}

} // namespace

Read globalCacheFile(const Lines& lines, const Fault& fault) {
    std::vector<NamedSignal> signals;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trimmed(lines[i]);
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t at = line.find("sendir,");
        if (at == std::string::npos)
            return fault.at(i + 1, FileFault::SendirExpected);
        auto signal = sendir(std::string_view(line).substr(at));
        if (auto* why = std::get_if<FileProblem>(&signal))
            return fault.at(i + 1, std::move(*why));
        const std::string name = trimmed(std::string_view(line).substr(0, at));
        signals.push_back({name.empty() ? name : trimmed(name.substr(0, name.find_last_not_of(" \t:,=") + 1)),
                           std::get<ir::Signal>(std::move(signal)),
                           i + 1,
                           {}});
    }
    if (signals.empty())
        return fault.at(1, FileFault::NoSendir);
    return signals;
}

} // namespace codes
