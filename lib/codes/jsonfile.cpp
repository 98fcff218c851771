// JSON: a list of durations in microseconds, an object with "timings_us" and "carrier_hz", or
// such objects one per line, as the test captures hold them.
#include "codefile.h"

#include "ir/timings.h"

namespace codes {

namespace {

std::string sourceName(const std::string& source, std::size_t line) {
    const auto hash = source.rfind('#');
    return hash == std::string::npos ? "line " + std::to_string(line) : source.substr(hash + 1);
}

} // namespace

Read jsonFile(const Lines& lines, const std::string& whole, const Fault& fault) {
    const std::string text = trimmed(whole);
    if (text[0] == '[') {
        const auto line = ir::parseCaptureLine("{\"timings_us\": " + text + "}");
        if (!line)
            return fault.at(1, FileFault::DurationListExpected);
        return std::vector<NamedSignal>{{"", line->signal, 1, {}}};
    }
    if (const auto line = ir::parseCaptureLine(text))
        return std::vector<NamedSignal>{{sourceName(line->source, 1), line->signal, 1, {}}};
    std::vector<NamedSignal> signals;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).empty())
            continue;
        const auto line = ir::parseCaptureLine(lines[i]);
        if (!line)
            return fault.at(i + 1, FileFault::CaptureObjectExpected);
        signals.push_back({sourceName(line->source, i + 1), line->signal, i + 1, {}});
    }
    return signals;
}

} // namespace codes
