#include "converteranswer.h"

#include <algorithm>

namespace model {

namespace {

constexpr std::size_t kIdentityDigits = 6;
constexpr std::size_t kParameterDigits = 32;

bool isHex(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

} // namespace

std::optional<ConverterAnswer> parseConverterAnswer(std::string_view answer) {
    const auto identityEnd = answer.find("::");
    if (identityEnd == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = answer.substr(identityEnd + 2);
    const auto firstEnd = rest.find(':');
    if (firstEnd == std::string_view::npos)
        return std::nullopt;
    const std::string_view first = rest.substr(0, firstEnd);
    rest = rest.substr(firstEnd + 1);
    const auto secondEnd = rest.find(":::");
    if (secondEnd == std::string_view::npos)
        return std::nullopt;
    ConverterAnswer parsed{std::string(answer.substr(0, identityEnd)), std::string(first),
                           std::string(rest.substr(0, secondEnd)), std::string(rest.substr(secondEnd + 3))};
    if (parsed.identity.size() != kIdentityDigits || !isHex(parsed.identity) || parsed.firstField.empty() ||
        parsed.secondField.empty() || !isHex(parsed.firstField) || !isHex(parsed.secondField) ||
        parsed.firstField.size() + parsed.secondField.size() != kParameterDigits || !isHex(parsed.codeData) ||
        parsed.codeData.size() % 2 != 0)
        return std::nullopt;
    return parsed;
}

} // namespace model
