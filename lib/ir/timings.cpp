#include "timings.h"

#include "json.h"

#include <charconv>
#include <cmath>

namespace ir {

namespace {

constexpr int kLongestDuration = 1000000;
std::optional<long> wholeNumber(const JsonValue* value, double limit) {
    if (!value || value->kind != JsonValue::Kind::Number || value->number < 0 || value->number > limit ||
        value->number != std::floor(value->number))
        return std::nullopt;
    return static_cast<long>(value->number);
}

} // namespace

bool plausibleTimings(const std::vector<int>& timings) {
    if (timings.empty())
        return false;
    for (int t : timings)
        if (t <= 0 || t > kLongestDuration)
            return false;
    return true;
}

std::optional<CaptureLine> parseCaptureLine(std::string_view line) {
    const auto parsed = parseJson(line);
    const JsonValue* json = std::get_if<JsonValue>(&parsed);
    if (!json || json->kind != JsonValue::Kind::Object)
        return std::nullopt;
    const JsonValue* timings = json->member("timings_us");
    if (!timings || timings->kind != JsonValue::Kind::Array)
        return std::nullopt;
    CaptureLine capture;
    for (const JsonValue& item : timings->items) {
        const auto micros = wholeNumber(&item, kLongestDuration);
        if (!micros)
            return std::nullopt;
        capture.signal.timings.push_back(static_cast<int>(*micros));
    }
    if (!plausibleTimings(capture.signal.timings))
        return std::nullopt;
    if (const JsonValue* carrier = json->member("carrier_hz")) {
        const auto hz = wholeNumber(carrier, 1e6);
        if (!hz)
            return std::nullopt;
        capture.signal.carrierHz = static_cast<int>(*hz);
    }
    if (const JsonValue* source = json->member("source"); source && source->kind == JsonValue::Kind::String)
        capture.source = source->text;
    if (const JsonValue* label = json->member("label"); label && label->kind == JsonValue::Kind::Object) {
        const JsonValue* protocol = label->member("protocol");
        const auto address = wholeNumber(label->member("address"), 4294967295.0);
        const auto command = wholeNumber(label->member("command"), 4294967295.0);
        if (!protocol || protocol->kind != JsonValue::Kind::String || !address || !command)
            return std::nullopt;
        capture.label =
            Label{protocol->text, static_cast<unsigned long>(*address), static_cast<unsigned long>(*command)};
    }
    return capture;
}

std::optional<std::vector<int>> parseTimingList(std::string_view text) {
    std::vector<int> timings;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ' || text[at] == ',' || text[at] == '\t' || text[at] == '\n') {
            ++at;
            continue;
        }
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), value);
        if (ec != std::errc())
            return std::nullopt;
        timings.push_back(value);
        at = static_cast<std::size_t>(end - text.data());
        if (at < text.size() && text[at] != ' ' && text[at] != ',' && text[at] != '\t' && text[at] != '\n')
            return std::nullopt;
    }
    if (!plausibleTimings(timings))
        return std::nullopt;
    return timings;
}

} // namespace ir
