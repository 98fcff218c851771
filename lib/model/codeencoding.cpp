#include "codeencoding.h"

#include "hextext.h"

#include <fstream>
#include <optional>
#include <vector>

namespace model {

namespace {

constexpr std::string_view kLongWord = "7FFF";
constexpr int kLongUnits = 0x7FFF;
constexpr std::size_t kWordChars = 4;
constexpr std::size_t kTailChars = kGapRun.size() + 2 * kWordChars;
constexpr std::size_t kLongHeadChars = 3000;
constexpr std::size_t kFrameEndRun = 20;

std::string markItem(long units) { return model::formatHex(units / 3 - kMarkAdjust, 4); }
std::string spaceItem(long units) { return model::formatHex(units / 3 + kMarkAdjust, 4); }

std::optional<long> wordValue(std::string_view word) {
    const auto value = model::parseHex(word);
    if (!value)
        return std::nullopt;
    return static_cast<long>(*value);
}

void writeDiagnostic(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out)
        out << text << '\n';
}

// The carrier value and marker that lead the encoded text: "0000" when nothing was measured.
std::optional<std::string> carrierHeader(const std::vector<std::string>& run) {
    const auto a = model::byteAt(run[0], 1);
    const auto b = model::byteAt(run[0], 3);
    const auto c = model::byteAt(run[1], 1);
    if (!a || !b || !c)
        return std::nullopt;
    if (*a == 0 && *b == 0 && *c == 0)
        return std::string("0000");
    const double periods = static_cast<double>(*a + *b + *c) / 9.0;
    const auto kiloHertz = static_cast<long>(1000.0 / periods);
    return model::formatHex(kiloHertz, 2) + "12";
}

} // namespace

bool hasHighBit(std::string_view word) {
    const auto value = wordValue(word);
    return value && *value >= 0x8000;
}

int low15(int value) { return value & 0x7FFF; }

std::string trimCapture(const std::string& captured) {
    const std::size_t found = captured.find(kGapRun);
    if (found == std::string::npos)
        return "0000";
    const std::string tail = captured.substr(found, kTailChars);
    std::string head;
    if (found + 1 <= kLongHeadChars) {
        head = captured.substr(0, found);
    } else {
        // A long record keeps an odd number of words, so it still ends on a mark.
        std::size_t words = found / kWordChars;
        if (words % 2 == 0)
            --words;
        head = captured.substr(0, kWordChars * words);
    }
    if (head.size() >= kWordChars) {
        const auto firstDigit = model::parseHex(std::string_view(head).substr(head.size() - kWordChars, 1));
        if (firstDigit && *firstDigit < 8)
            head.resize(head.size() - kWordChars);
    }
    return head + tail;
}

std::string encodeCapture(const std::string& trimmed, const std::filesystem::path& diagnosticFile) {
    const std::string_view s = trimmed;
    const std::size_t length = s.size();
    const auto fail = [&] {
        writeDiagnostic(diagnosticFile, trimmed);
        return std::string();
    };
    // `pos` counts characters from 1; `count` is the word position, odd at marks.
    std::size_t pos = 1;
    std::string body;
    int groups = 0;
    bool inTail = false;
    std::string prev;
    long count = 0;
    bool extended = false;
    std::vector<std::string> run;
    while (pos <= length) {
        const bool lastWord = length < pos + kWordChars;
        if (lastWord && !inTail)
            break;
        std::string word;
        if (inTail && lastWord) {
            word = std::string(s.substr(pos - 1));
        } else {
            word = std::string(s.substr(pos - 1, kWordChars));
            ++count;
        }
        const bool isLongWord = word == kLongWord;
        if (isLongWord && count % 2 != 0 && !lastWord) {
            if (hasHighBit(s.substr(pos + kWordChars - 1, kWordChars))) {
                --count;
                extended = true;
                pos += kWordChars;
                continue;
            }
            if (!inTail) {
                body += markItem(kLongUnits);
                pos += kWordChars;
                continue;
            }
        }
        if (isLongWord || inTail)
            run.push_back(word);
        if (isLongWord && !lastWord) {
            if (s.substr(pos + kWordChars - 1, kWordChars) == kLongWord)
                --count;
            prev = kLongWord;
            pos += kWordChars;
            continue;
        }
        if (inTail && run.size() == 2) {
            const auto header = carrierHeader(run);
            if (!header)
                return fail();
            return std::to_string(groups) + *header + body;
        }
        if (prev == kLongWord && run.size() >= kFrameEndRun && !isLongWord) {
            run.assign(1, word);
            ++groups;
            if (groups == 1)
                body += "FEFE0014";
            body += "EDED";
            inTail = true;
        }
        if (prev == kLongWord && !run.empty() && run.size() < kFrameEndRun && !isLongWord && !inTail &&
            !hasHighBit(word)) {
            const auto rest = wordValue(word);
            if (!rest)
                return fail();
            const long units = static_cast<long>(run.size()) * kLongUnits + *rest;
            body += "FEFE" + model::formatHex((units / 3 + kMarkAdjust) / 1000, 4) + "EDED";
            ++groups;
            run.clear();
            prev = word;
            --count;
            pos += kWordChars;
            continue;
        }
        if (!inTail) {
            const auto value = wordValue(word);
            if (!value)
                return fail();
            if (*value >= 0x8000)
                body += markItem(low15(static_cast<int>(*value)) + (extended ? kLongUnits : 0));
            else
                body += spaceItem(*value);
        }
        prev = word;
        pos += kWordChars;
        extended = false;
    }
    return fail();
}

std::string diagnosticLine(const std::filesystem::path& diagnosticFile) {
    std::ifstream in(diagnosticFile, std::ios::binary);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace model
