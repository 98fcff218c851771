// A small JSON reader for capture lines and the code collections' files (SmartIR's command
// tables): objects keep their keys in the file's order, since that order names the buttons. Depth and size
// are bounded, so no file can exhaust the stack.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace ir {

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;                // a string's contents
    std::vector<JsonValue> items;    // an array's
    std::vector<JsonMember> members; // an object's, in order

    // The member called `key`; nullptr when there is none or this is not an object.
    const JsonValue* member(std::string_view key) const;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

struct JsonError {
    std::size_t line = 1; // where the text stops being JSON
    std::string message;
};

// The whole of `text` as one JSON value, or where and why it is not one.
std::variant<JsonValue, JsonError> parseJson(std::string_view text);

} // namespace ir
