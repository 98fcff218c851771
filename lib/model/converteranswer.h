// The code converter's answer: identity "::" first field ":" second field ":::" code data.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace model {

struct ConverterAnswer {
    std::string identity;   // 6 hex digits
    std::string firstField; // the slot's parameter bytes, with the second field 32 hex digits
    std::string secondField;
    std::string codeData; // hex, whole bytes; empty for a preset
};

// nullopt unless the answer has that form with an identity of 6 hex digits, two hex fields of
// 32 digits together and whole bytes of hex code data.
std::optional<ConverterAnswer> parseConverterAnswer(std::string_view answer);

} // namespace model
