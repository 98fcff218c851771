#include "capturewords.h"

#include "device/hextext.h"

#include <algorithm>
#include <cmath>

namespace ir {

namespace {

constexpr std::size_t kWordChars = 4;
constexpr std::size_t kTrailerWords = kSilenceWords + 2;
constexpr std::size_t kMaxRecordWords = kCaptureBufferChars / kWordChars - kTrailerWords;

std::string word(long value) { return device::formatHex(value & 0xFFFF, 4); }

// Three carrier periods in microseconds, as the receiver measures them into one byte.
long threePeriods(int carrierHz) {
    if (carrierHz <= 0)
        return 0;
    return std::clamp(std::lround(3e6 / carrierHz), 1L, 255L);
}

void appendMark(std::vector<std::string>& words, int micros) {
    const long units = (static_cast<long>(micros) + kReceiverWidening) * kUnitsPerMicro;
    if (units <= kLongUnits) {
        words.push_back(word(0x8000 | units));
        return;
    }
    words.push_back(word(kLongUnits));
    words.push_back(word(0x8000 | std::min<long>(units - kLongUnits, kLongUnits)));
}

// A long space is a run of full words and a word with the rest; a rest of nothing would merge
// the run with the next one, so it keeps one unit.
void appendSpace(std::vector<std::string>& words, long units) {
    const long fullWords = units / kLongUnits;
    for (long i = 0; i < fullWords; ++i)
        words.push_back(word(kLongUnits));
    words.push_back(word(std::max(units % kLongUnits, 1L)));
}

} // namespace

std::string captureRecord(const Signal& signal) {
    std::vector<std::string> words;
    std::size_t closedAt = 0; // words of the record up to its last whole mark
    for (std::size_t i = 0; i < signal.timings.size(); ++i) {
        const int micros = std::max(signal.timings[i], 1);
        if (i % 2 == 0) {
            appendMark(words, micros);
            if (words.size() > kMaxRecordWords)
                break;
            closedAt = words.size();
            continue;
        }
        if (i + 1 == signal.timings.size())
            break; // a closing space is part of the silence
        const long units = std::max((static_cast<long>(micros) - kReceiverWidening) * kUnitsPerMicro, 1L);
        if (units >= static_cast<long>(kSilenceWords) * kLongUnits)
            break;
        appendSpace(words, units);
    }
    words.resize(closedAt);
    std::string record;
    record.reserve((closedAt + kTrailerWords) * kWordChars);
    for (const std::string& w : words)
        record += w;
    for (int i = 0; i < kSilenceWords; ++i)
        record += word(kLongUnits);
    const long periods = threePeriods(signal.carrierHz);
    record += device::formatHex(periods, 2) + device::formatHex(periods, 2) + device::formatHex(periods, 2) + "00";
    return record;
}

bool isCaptureText(std::string_view text) {
    if (text.empty() || text.size() % kWordChars != 0 || text.size() > kCaptureBufferChars)
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

} // namespace ir
