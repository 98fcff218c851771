#include "hextext.h"

namespace model {

namespace {

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool isHexDigit(char c) { return digitValue(c) >= 0; }

bool isHexText(std::string_view text) {
    for (char c : text)
        if (!isHexDigit(c))
            return false;
    return true;
}

std::optional<std::uint32_t> parseHex(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        const int digit = digitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::string formatHex(std::int64_t value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::uint64_t v = value < 0 ? static_cast<std::uint32_t>(static_cast<std::int32_t>(value))
                                : static_cast<std::uint64_t>(value);
    if (value < 0)
        digits = 8;
    std::string out;
    do {
        out.insert(out.begin(), kDigits[v & 15]);
        v >>= 4;
    } while (v != 0);
    if (out.size() < static_cast<std::size_t>(digits))
        out.insert(0, static_cast<std::size_t>(digits) - out.size(), '0');
    return out;
}

std::string_view characters(std::string_view text, std::size_t first, std::size_t count) {
    if (first == 0 || first > text.size())
        return {};
    return text.substr(first - 1, count);
}

std::optional<std::uint32_t> byteAt(std::string_view text, std::size_t position) {
    const std::string_view digits = characters(text, position, 2);
    if (digits.size() != 2)
        return std::nullopt;
    return parseHex(digits);
}

std::optional<std::uint32_t> wordAt(std::string_view text, std::size_t position) {
    const auto low = byteAt(text, position);
    const auto high = byteAt(text, position + 2);
    if (!low || !high)
        return std::nullopt;
    return *high * 256 + *low;
}

std::optional<SplitAddress> splitAddress(unsigned address) {
    if (address > 0xFFFF)
        return std::nullopt;
    const std::string text = formatHex(address, 4);
    return SplitAddress{text.substr(0, 2), text.substr(2, 2)};
}

} // namespace model
