#include "json.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace ir {

namespace {

constexpr int kDeepest = 64;

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::variant<JsonValue, JsonError> whole() {
        JsonValue value;
        if (!parse(value, 0))
            return error_;
        skipBlanks();
        if (at_ != text_.size())
            return fail("unexpected text after the JSON value"), error_;
        return value;
    }

private:
    bool fail(const char* message) {
        if (error_.message.empty()) {
            error_.line = 1;
            for (std::size_t i = 0; i < at_ && i < text_.size(); ++i)
                error_.line += text_[i] == '\n';
            error_.message = message;
        }
        return false;
    }

    void skipBlanks() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
            ++at_;
    }

    bool take(char c) {
        skipBlanks();
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

    static void appendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    bool hex4(unsigned& value) {
        if (at_ + 4 > text_.size())
            return false;
        const auto [end, ec] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, value, 16);
        if (ec != std::errc() || end != text_.data() + at_ + 4)
            return false;
        at_ += 4;
        return true;
    }

    bool string(std::string& out) {
        if (!take('"'))
            return fail("expected a string");
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return fail("a control character inside a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ == text_.size())
                break;
            const char e = text_[at_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned code = 0;
                if (!hex4(code))
                    return fail("a \\u escape needs four hex digits");
                // A surrogate pair stands for one character beyond the first plane.
                if (code >= 0xD800 && code < 0xDC00 && word("\\u")) {
                    unsigned low = 0;
                    if (!hex4(low) || low < 0xDC00 || low > 0xDFFF)
                        return fail("a broken surrogate pair");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                appendUtf8(out, code);
                break;
            }
            default:
                return fail("an unknown escape in a string");
            }
        }
        return fail("a string that never ends");
    }

    bool number(double& out) {
        const std::size_t start = at_;
        if (at_ < text_.size() && text_[at_] == '-')
            ++at_;
        while (at_ < text_.size() &&
               (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.' ||
                text_[at_] == 'e' || text_[at_] == 'E' || text_[at_] == '+' || text_[at_] == '-'))
            ++at_;
        const std::string digits(text_.substr(start, at_ - start));
        char* end = nullptr;
        out = std::strtod(digits.c_str(), &end);
        if (digits.empty() || end != digits.c_str() + digits.size() || !std::isfinite(out))
            return fail("not a number");
        return true;
    }

    bool parse(JsonValue& value, int depth) {
        if (depth > kDeepest)
            return fail("nested too deeply");
        skipBlanks();
        if (at_ == text_.size())
            return fail("the text ends where a value should be");
        const char c = text_[at_];
        if (c == '{') {
            ++at_;
            value.kind = JsonValue::Kind::Object;
            if (take('}'))
                return true;
            do {
                std::string key;
                if (!string(key))
                    return false;
                if (!take(':'))
                    return fail("expected ':' after a key");
                JsonValue member;
                if (!parse(member, depth + 1))
                    return false;
                value.members.push_back({std::move(key), std::move(member)});
            } while (take(','));
            return take('}') || fail("expected ',' or '}' in an object");
        }
        if (c == '[') {
            ++at_;
            value.kind = JsonValue::Kind::Array;
            if (take(']'))
                return true;
            do {
                JsonValue item;
                if (!parse(item, depth + 1))
                    return false;
                value.items.push_back(std::move(item));
            } while (take(','));
            return take(']') || fail("expected ',' or ']' in an array");
        }
        if (c == '"') {
            value.kind = JsonValue::Kind::String;
            return string(value.text);
        }
        if (word("true") || word("false")) {
            value.kind = JsonValue::Kind::Boolean;
            value.boolean = text_[at_ - 1] == 'e' && text_[at_ - 4] == 't';
            return true;
        }
        if (word("null"))
            return true;
        value.kind = JsonValue::Kind::Number;
        return number(value.number);
    }

    std::string_view text_;
    std::size_t at_ = 0;
    JsonError error_;
};

} // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const JsonMember& m : members)
        if (m.key == key)
            return &m.value;
    return nullptr;
}

std::variant<JsonValue, JsonError> parseJson(std::string_view text) { return Parser(text).whole(); }

} // namespace ir
