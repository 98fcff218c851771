// IRDB CSV files: a heading, then a key a row (function name, protocol, device, subdevice,
// function; subdevice -1 where there is none), as the collection keeps them under
// codes/<Maker>/<Type>/<device>,<subdevice>.csv. No row carries timing: each is rendered from
// its protocol's own, so the key sends what that protocol's remotes send.
#include "codefile.h"

#include "protocolrender.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace codes {

namespace {

constexpr std::string_view kHeading = "functionname,protocol,device,subdevice,function";
constexpr std::size_t kFields = 5;

// The comma-separated fields of a row; a field in double quotes may hold commas, and "" stands
// for a quote in it. nullopt when a quote is left open or stray text follows one.
std::optional<std::vector<std::string>> splitRow(std::string_view row) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (c == ',') {
            fields.emplace_back();
            continue;
        }
        if (c != '"' || !trimmed(fields.back()).empty()) {
            fields.back() += c;
            continue;
        }
        std::string quoted;
        for (++i;; ++i) {
            if (i == row.size())
                return std::nullopt;
            if (row[i] == '"' && i + 1 < row.size() && row[i + 1] == '"') {
                quoted += '"';
                ++i;
            } else if (row[i] == '"') {
                break;
            } else {
                quoted += row[i];
            }
        }
        const auto next = row.find(',', i);
        if (!trimmed(
                 row.substr(i + 1, next == std::string_view::npos ? std::string_view::npos : next - i - 1))
                 .empty())
            return std::nullopt;
        fields.back() = quoted;
        i = next == std::string_view::npos ? row.size() : next - 1;
    }
    return fields;
}

} // namespace

bool irdbHeading(std::string_view line) {
    const std::string heading = trimmed(line);
    return std::equal(heading.begin(), heading.end(), kHeading.begin(), kHeading.end(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

Read irdbFile(const Lines& lines, const Fault& fault) {
    std::vector<NamedSignal> signals;
    // The collection has rows without a function name (",G.I.Cable,0,-1,0"): a damaged row is
    // set aside as a signal that cannot be learned, the file's other rows kept. A file none of
    // whose rows can even be read is refused with its first damage.
    std::optional<FileProblem> firstDamage;
    bool anyRowRead = false;
    bool headed = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t number = i + 1;
        const std::string line = trimmed(lines[i]);
        if (line.empty() || (!headed && line[0] == '#'))
            continue;
        if (!headed) {
            if (!irdbHeading(line))
                return fault.at(number, FileFault::HeadingExpected);
            headed = true;
            continue;
        }
        const auto fields = splitRow(line);
        const std::string name = fields && !fields->empty() ? trimmed((*fields)[0]) : std::string();
        std::optional<FileProblem> damage;
        if (!fields)
            damage = fault.at(number, FileFault::QuoteNotClosed);
        else if (fields->size() != kFields)
            damage = fault.at(
                number, {.fault = FileFault::FieldCountWrong, .number = static_cast<long>(fields->size())});
        else if (name.empty() || trimmed((*fields)[1]).empty())
            damage = fault.at(number, FileFault::RowIncomplete);
        if (damage) {
            if (!firstDamage)
                firstDamage = damage;
            signals.push_back({name, {}, number, std::move(damage)});
            continue;
        }
        const std::string protocol = trimmed((*fields)[1]);
        const auto device = wholeNumber(trimmed((*fields)[2]));
        const auto subdevice = wholeNumber(trimmed((*fields)[3]));
        const auto function = wholeNumber(trimmed((*fields)[4]));
        if (!device || *device < 0 || !function || *function < 0 || !subdevice || *subdevice < kNoSubdevice) {
            if (!firstDamage)
                firstDamage = fault.at(number, FileFault::RowNumbersWrong);
            signals.push_back({name, {}, number, fault.at(number, FileFault::RowNumbersWrong)});
            continue;
        }
        anyRowRead = true;
        auto press = renderPress(protocol, {*device, *subdevice, *function});
        if (auto* why = std::get_if<FileProblem>(&press)) {
            why->in = FaultIn::Row;
            why->name = name;
            signals.push_back({name, {}, number, fault.at(number, std::move(*why))});
        } else {
            signals.push_back({name, std::get<ir::Signal>(std::move(press)), number, {}});
        }
    }
    if (signals.empty())
        return fault.at(std::max<std::size_t>(lines.size(), 1), FileFault::NoSignal);
    if (!anyRowRead)
        return *firstDamage;
    return signals;
}

} // namespace codes
