#include "capturewords.h"

#include "model/hextext.h"
#include "model/wire.h"

#include <algorithm>
#include <cmath>

namespace ir {

namespace {

constexpr std::size_t kWordChars = 4;
constexpr std::size_t kTrailerWords = kSilenceWords + 2;
constexpr std::size_t kMaxRecordWords = wire::kCaptureBufferSize / kWordChars - kTrailerWords;

std::string word(long value) { return model::formatHex(value & 0xFFFF, 4); }

// Three carrier periods in microseconds, as the receiver measures them into one byte.
long threePeriods(int carrierHz) {
    if (carrierHz <= 0)
        return 0;
    return std::clamp(std::lround(3e6 / carrierHz), 1L, 255L);
}

constexpr int kLongestMarkMicros = 2 * kLongUnits / kUnitsPerMicro - wire::kReceiverWidening;

long markUnits(int micros) { return (static_cast<long>(micros) + wire::kReceiverWidening) * kUnitsPerMicro; }

long spaceUnits(int micros) {
    return std::max((static_cast<long>(micros) - wire::kReceiverWidening) * kUnitsPerMicro, 1L);
}

std::size_t markWords(long units) { return units <= kLongUnits ? 1 : 2; }
std::size_t spaceWords(long units) { return static_cast<std::size_t>(units / kLongUnits) + 1; }

void appendMark(std::string& record, long units) {
    if (units > kLongUnits) {
        record += word(kLongUnits);
        units -= kLongUnits;
    }
    record += word(0x8000 | units);
}

// A long space is a run of full words and a word with the rest; a rest of nothing would merge
// the run with the next one, so it keeps one unit.
void appendSpace(std::string& record, long units) {
    for (long i = units / kLongUnits; i > 0; --i)
        record += word(kLongUnits);
    record += word(std::max(units % kLongUnits, 1L));
}

} // namespace

std::vector<int> receivedTimings(const Signal& signal) {
    std::vector<int> received;
    std::size_t words = 0;
    std::size_t closedAt = 0; // timings up to the last whole mark
    for (std::size_t i = 0; i < signal.timings.size(); ++i) {
        const int micros = std::max(signal.timings[i], 1);
        if (i % 2 == 0) {
            const int mark = std::min(micros, kLongestMarkMicros);
            words += markWords(markUnits(mark));
            if (words > kMaxRecordWords)
                break;
            received.push_back(mark);
            closedAt = received.size();
            continue;
        }
        if (i + 1 == signal.timings.size() ||
            spaceUnits(micros) >= static_cast<long>(kSilenceWords) * kLongUnits)
            break; // the silence that closes the record
        words += spaceWords(spaceUnits(micros));
        received.push_back(micros);
    }
    received.resize(closedAt);
    return received;
}

std::string captureRecord(const Signal& signal) {
    const std::vector<int> received = receivedTimings(signal);
    std::string record;
    record.reserve(wire::kCaptureBufferSize);
    for (std::size_t i = 0; i < received.size(); ++i) {
        if (i % 2 == 0)
            appendMark(record, markUnits(received[i]));
        else
            appendSpace(record, spaceUnits(received[i]));
    }
    for (int i = 0; i < kSilenceWords; ++i)
        record += word(kLongUnits);
    const long periods = threePeriods(signal.carrierHz);
    record +=
        model::formatHex(periods, 2) + model::formatHex(periods, 2) + model::formatHex(periods, 2) + "00";
    return record;
}

bool isCaptureText(std::string_view text) {
    if (text.empty() || text.size() % kWordChars != 0 || text.size() > wire::kCaptureBufferSize)
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
    });
}

} // namespace ir
