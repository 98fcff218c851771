// Pronto hex: the learned form (0000), a frequency word, two pair counts and the durations.
#include "codefile.h"

#include "protocolrender.h"

#include "model/hextext.h"

#include <cmath>
#include <sstream>

namespace codes {

namespace {

using Words = std::vector<std::pair<unsigned, std::size_t>>; // value, line

// A Pronto code's durations: the once sequence, then the repeat sequence, in units of the
// frequency word's carrier period; `modulated` false for the 0100 form, whose time base alone
// the word gives.
std::variant<ir::Signal, FileProblem> timedCode(const Words& words, bool modulated, const Fault& fault) {
    const unsigned frequency = words[1].first;
    const double period = frequency * kProntoUnitMicros;
    ir::Signal signal{modulated ? static_cast<int>(std::lround(1e6 / period)) : 0, {}};
    for (std::size_t i = 4; i < words.size(); ++i) {
        const long micros = std::lround(words[i].first * period);
        if (micros < 1 || micros > kLongestMicros)
            return fault.at(words[i].second, {.fault = FileFault::DurationOutOfRange, .number = micros});
        signal.timings.push_back(static_cast<int>(micros));
    }
    return signal;
}

// The short forms name a protocol's device and function instead of durations.
std::variant<ir::Signal, FileProblem> shortCode(const Words& words, const Fault& fault) {
    const unsigned form = words[0].first;
    const std::size_t at = words[4].second;
    const auto fits = [&](ir::Protocol protocol, ir::AddressCommand key, const char* name) {
        auto press = protocolPress(protocol, key);
        if (auto* why = std::get_if<FileProblem>(&press)) {
            why->fault = FileFault::KeyDoesNotFitForm;
            why->other = name;
            return std::variant<ir::Signal, FileProblem>(fault.at(at, std::move(*why)));
        }
        return press;
    };
    switch (form) {
    case 0x5000: // RC5: device, function
        return fits(ir::Protocol::RC5, {words[4].first, words[5].first}, "RC5 (5000)");
    case 0x5001: { // RC5x: device, subdevice, function and a word left 0
        auto press =
            renderPress("RC5x", {static_cast<long>(words[4].first), static_cast<long>(words[5].first),
                                 static_cast<long>(words[6].first)});
        if (auto* why = std::get_if<FileProblem>(&press)) {
            why->in = FaultIn::Rc5xForm;
            return fault.at(at, std::move(*why));
        }
        return press;
    }
    case 0x6000: // RC6 mode 0: device, function
        return fits(ir::Protocol::RC6, {words[4].first, words[5].first}, "RC6 (6000)");
    case 0x900A: { // NEC1: device and subdevice in one word, function and its complement in the next
        const unsigned function = words[5].first >> 8, check = words[5].first & 0xFF;
        if (check != (0xFF ^ function))
            return fault.at(words[5].second, FileFault::CheckByteWrong);
        const unsigned device = words[4].first >> 8, subdevice = words[4].first & 0xFF;
        return fits(ir::Protocol::NECext, {device | subdevice << 8, function | check << 8}, "NEC1 (900A)");
    }
    default:
        break;
    }
    return fault.at(words[0].second,
                    {.fault = FileFault::ProntoFormUnknown, .text = model::formatHex(form, 4)});
}

} // namespace

Read prontoFile(const Lines& lines, const Fault& fault) {
    Words words;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).rfind('#', 0) == 0)
            continue;
        std::istringstream in(lines[i]);
        for (std::string word; in >> word;) {
            const auto value = word.size() == 4 ? model::parseHex(word) : std::nullopt;
            if (!value)
                return fault.at(i + 1, {.fault = FileFault::ProntoWordExpected, .text = word});
            words.emplace_back(*value, i + 1);
        }
    }
    if (words.size() < 4)
        return fault.at(words.empty() ? 1 : words[0].second, FileFault::ProntoTooShort);
    const std::size_t pairs = words[2].first + words[3].first;
    if (pairs == 0 || words.size() != 4 + 2 * pairs)
        return fault.at(words.back().second, {.fault = FileFault::ProntoCountsDiffer,
                                              .number = static_cast<long>(words.size() - 4),
                                              .limit = static_cast<long>(2 * pairs)});
    const unsigned form = words[0].first;
    if ((form == 0x0000 || form == 0x0100) && words[1].first == 0)
        return fault.at(words[1].second, FileFault::FrequencyWordZero);
    if (form == 0x0000 && words[1].first < kSmallestProntoFrequencyWord)
        return fault.at(words[1].second, {.fault = FileFault::FrequencyWordTooHigh,
                                          .text = model::formatHex(words[1].first, 4)});
    auto code =
        form == 0x0000 || form == 0x0100 ? timedCode(words, form == 0x0000, fault) : shortCode(words, fault);
    if (const auto* problem = std::get_if<FileProblem>(&code))
        return *problem;
    return std::vector<NamedSignal>{{"", std::get<ir::Signal>(std::move(code)), words[0].second, {}}};
}

} // namespace codes
