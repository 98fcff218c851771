#include "timings.h"

#include <charconv>
#include <cmath>
#include <map>
#include <memory>

namespace ir {

namespace {

constexpr int kLongestDuration = 1000000;
constexpr int kDeepestNesting = 16;

// Just enough JSON for one capture line: objects, arrays, strings, numbers, true/false/null.
struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;

    const Json* field(const std::string& name) const {
        const auto it = fields.find(name);
        return it == fields.end() ? nullptr : &it->second;
    }
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::optional<Json> document() {
        auto value = parse(0);
        skipSpace();
        if (!value || at_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    void skipSpace() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }
    bool take(char c) {
        skipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (text_.substr(at_, w.size()) != w)
            return false;
        at_ += w.size();
        return true;
    }

    std::optional<Json> parse(int depth) {
        if (depth > kDeepestNesting)
            return std::nullopt;
        skipSpace();
        if (at_ >= text_.size())
            return std::nullopt;
        Json value;
        const char c = text_[at_];
        if (c == '{') {
            ++at_;
            value.kind = Json::Kind::Object;
            if (take('}'))
                return value;
            do {
                skipSpace();
                auto name = string();
                if (!name || !take(':'))
                    return std::nullopt;
                auto item = parse(depth + 1);
                if (!item)
                    return std::nullopt;
                value.fields[*name] = std::move(*item);
            } while (take(','));
            return take('}') ? std::optional<Json>(std::move(value)) : std::nullopt;
        }
        if (c == '[') {
            ++at_;
            value.kind = Json::Kind::Array;
            if (take(']'))
                return value;
            do {
                auto item = parse(depth + 1);
                if (!item)
                    return std::nullopt;
                value.items.push_back(std::move(*item));
            } while (take(','));
            return take(']') ? std::optional<Json>(std::move(value)) : std::nullopt;
        }
        if (c == '"') {
            auto s = string();
            if (!s)
                return std::nullopt;
            value.kind = Json::Kind::String;
            value.text = std::move(*s);
            return value;
        }
        if (word("null"))
            return value;
        if (word("true") || word("false")) {
            value.kind = Json::Kind::Bool;
            value.number = text_[at_ - 2] == 'u' ? 1 : 0;
            return value;
        }
        const char* begin = text_.data() + at_;
        const auto [end, ec] = std::from_chars(begin, text_.data() + text_.size(), value.number);
        if (ec != std::errc() || !std::isfinite(value.number))
            return std::nullopt;
        at_ += static_cast<std::size_t>(end - begin);
        value.kind = Json::Kind::Number;
        return value;
    }

    // A string; escapes other than \" and \\ are kept as they stand, which is all a line needs.
    std::optional<std::string> string() {
        if (at_ >= text_.size() || text_[at_] != '"')
            return std::nullopt;
        ++at_;
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) {
                const char next = text_[at_ + 1];
                if (next == '"' || next == '\\' || next == '/') {
                    out += next;
                    at_ += 2;
                    continue;
                }
            }
            out += text_[at_++];
        }
        if (at_ >= text_.size())
            return std::nullopt;
        ++at_;
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

std::optional<long> wholeNumber(const Json* value, double limit) {
    if (!value || value->kind != Json::Kind::Number || value->number < 0 || value->number > limit ||
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
    const auto json = JsonReader(line).document();
    if (!json || json->kind != Json::Kind::Object)
        return std::nullopt;
    const Json* timings = json->field("timings_us");
    if (!timings || timings->kind != Json::Kind::Array)
        return std::nullopt;
    CaptureLine capture;
    for (const Json& item : timings->items) {
        const auto micros = wholeNumber(&item, kLongestDuration);
        if (!micros)
            return std::nullopt;
        capture.signal.timings.push_back(static_cast<int>(*micros));
    }
    if (!plausibleTimings(capture.signal.timings))
        return std::nullopt;
    if (const Json* carrier = json->field("carrier_hz")) {
        const auto hz = wholeNumber(carrier, 1e6);
        if (!hz)
            return std::nullopt;
        capture.signal.carrierHz = static_cast<int>(*hz);
    }
    if (const Json* source = json->field("source"); source && source->kind == Json::Kind::String)
        capture.source = source->text;
    if (const Json* label = json->field("label"); label && label->kind == Json::Kind::Object) {
        const Json* protocol = label->field("protocol");
        const auto address = wholeNumber(label->field("address"), 4294967295.0);
        const auto command = wholeNumber(label->field("command"), 4294967295.0);
        if (!protocol || protocol->kind != Json::Kind::String || !address || !command)
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
