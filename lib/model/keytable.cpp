#include "keytable.h"

#include "hextext.h"

#include <algorithm>
#include <cctype>

namespace model {

namespace {

bool sameKeyNumber(std::string_view a, std::string_view b, bool anyCase) {
    if (a.size() != b.size())
        return false;
    if (!anyCase)
        return a == b;
    return std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

std::string_view entryKeyNumber(std::string_view entry) { return entry.substr(0, 2); }

char entryState(std::string_view entry) { return entry.size() >= 4 ? entry[3] : '\0'; }

bool hasLearnedKeys(const KeyTable& table) {
    return std::any_of(table.begin(), table.end(),
                       [](const std::string& entry) { return entryState(entry) == kLearnedCode; });
}

void markKeyCleared(KeyTable& table, std::string_view keyNumber) {
    if (const auto n = findKeyEntry(table, keyNumber))
        table[*n] = std::string(keyNumber) + "|0";
}

std::optional<std::size_t> findKeyEntry(const KeyTable& table, std::string_view keyNumber, bool anyCase) {
    for (std::size_t n = 0; n < table.size(); ++n)
        if (sameKeyNumber(entryKeyNumber(table[n]), keyNumber, anyCase))
            return n;
    return std::nullopt;
}

std::optional<int> keyPictureIndex(std::string_view keyNumber) {
    if (keyNumber.size() != 2)
        return std::nullopt;
    const auto value = model::parseHex(keyNumber);
    if (!value || *value >= 168)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::vector<KeyLook> keyLooks(const KeyTable& table, std::string_view keyNumber) {
    std::vector<KeyLook> looks;
    for (const auto& entry : table) {
        if (entryKeyNumber(entry) != keyNumber || keyNumber.empty())
            continue;
        if (entryState(entry) == kLearnedCode)
            looks.push_back(KeyLook::Learned);
        else if (entryState(entry) == kDownloadedCode)
            looks.push_back(KeyLook::Occupied);
    }
    return looks;
}

} // namespace model
