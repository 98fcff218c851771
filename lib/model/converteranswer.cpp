#include "converteranswer.h"

#include "hextext.h"

#include <algorithm>

namespace model {

namespace {

constexpr std::size_t kIdentityDigits = 6;
constexpr std::size_t kParameterDigits = 32;

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
    if (parsed.identity.size() != kIdentityDigits || !isHexText(parsed.identity) ||
        parsed.firstField.empty() || parsed.secondField.empty() || !isHexText(parsed.firstField) ||
        !isHexText(parsed.secondField) ||
        parsed.firstField.size() + parsed.secondField.size() != kParameterDigits ||
        !isHexText(parsed.codeData) || parsed.codeData.size() % 2 != 0)
        return std::nullopt;
    return parsed;
}

} // namespace model
