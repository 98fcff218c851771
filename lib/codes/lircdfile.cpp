// lircd.conf files, as LIRC keeps remotes: `begin remote ... end remote` blocks of raw codes
// (durations as given) or of encoded codes (pulse/space bits, RC5 and RC6 bi-phase). Each code
// becomes what its remote sends for one press: the frame, then its repeats as a short hold sends
// them, so that the learned key repeats as the remote does.
#include "codefile.h"

#include "ir/capturewords.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <map>
#include <sstream>

namespace codes {

namespace {

constexpr int kMostBits = 64; // a code and its pre and post data together
constexpr long kMostLircdRepeats = 20;

enum Flag : unsigned {
    kSpaceEnc = 1u << 0,
    kRc5 = 1u << 1,
    kRc6 = 1u << 2,
    kConstLength = 1u << 3,
    kReverse = 1u << 4,
    kNoHeadRep = 1u << 5,
    kNoFootRep = 1u << 6,
    kRepeatHeader = 1u << 7,
};
constexpr unsigned kEncodings = kSpaceEnc | kRc5 | kRc6;

// RAW_CODES says no more than a `begin raw_codes` section does.
constexpr std::pair<std::string_view, unsigned> kFlags[] = {
    {"SPACE_ENC", kSpaceEnc},
    {"RC5", kRc5},
    {"SHIFT_ENC", kRc5},
    {"RC6", kRc6},
    {"RAW_CODES", 0},
    {"CONST_LENGTH", kConstLength},
    {"REVERSE", kReverse},
    {"NO_HEAD_REP", kNoHeadRep},
    {"NO_FOOT_REP", kNoFootRep},
    {"REPEAT_HEADER", kRepeatHeader},
};

// What a receiver needs to decode, a driver's settings, and what changes only on later presses:
// nothing of the first press a learned key sends.
constexpr std::string_view kIgnored[] = {
    "eps",         "aeps",        "driver",          "serial_mode", "manual_sort", "suppress_repeat",
    "toggle_mask", "ignore_mask", "min_code_repeat", "baud"};

struct Pair {
    int pulse = 0;
    int space = 0;
    bool given() const { return pulse > 0 || space > 0; }
};

struct Button {
    std::string name;
    std::size_t line = 0;
    std::uint64_t code = 0;
    bool isRaw = false;
    std::vector<int> raw; // a raw code's durations
};

struct Remote {
    std::size_t line = 0; // `begin remote`
    std::string name;
    std::map<std::string, std::size_t> given; // each parameter's line
    unsigned flags = 0;
    long bits = 0, preDataBits = 0, postDataBits = 0;
    std::uint64_t preData = 0, postData = 0, toggleMask = 0, rc6Mask = 0;
    long toggleBit = 0;
    Pair header, one, zero, pre, post, repeat, foot;
    long plead = 0, ptrail = 0;
    long gap = 0, repeatGap = 0, minRepeat = 0;
    long frequency = ir::kDefaultCarrierHz;
    std::vector<Button> buttons; // in the file's order

    std::size_t lineOf(const std::string& parameter) const {
        const auto it = given.find(parameter);
        return it == given.end() ? line : it->second;
    }
    long allBits() const { return preDataBits + bits + postDataBits; }
};

// clang-format off
constexpr std::pair<std::string_view, Pair Remote::*> kPairs[] = {
    {"header", &Remote::header}, {"one", &Remote::one}, {"zero", &Remote::zero}, {"pre", &Remote::pre},
    {"post", &Remote::post}, {"repeat", &Remote::repeat}, {"foot", &Remote::foot},
};
constexpr std::pair<std::string_view, std::uint64_t Remote::*> kMasks[] = {
    {"pre_data", &Remote::preData}, {"post_data", &Remote::postData},
    {"toggle_bit_mask", &Remote::toggleMask}, {"rc6_mask", &Remote::rc6Mask},
};
struct Whole {
    std::string_view name;
    long Remote::*member;
    long most;
    FileFault expected; // what the value must be
};
constexpr Whole kWholes[] = {
    {"bits", &Remote::bits, kMostBits, FileFault::BitsExpected},
    {"pre_data_bits", &Remote::preDataBits, kMostBits, FileFault::BitsExpected},
    {"post_data_bits", &Remote::postDataBits, kMostBits, FileFault::BitsExpected},
    // toggle_bit, and repeat_bit as older files call it: the toggle's place, 1 for the first bit sent.
    {"toggle_bit", &Remote::toggleBit, kMostBits, FileFault::BitPlaceExpected},
    {"repeat_bit", &Remote::toggleBit, kMostBits, FileFault::BitPlaceExpected},
    {"plead", &Remote::plead, kLongestMicros, FileFault::DurationExpected},
    {"ptrail", &Remote::ptrail, kLongestMicros, FileFault::DurationExpected},
    {"gap", &Remote::gap, kLongestMicros, FileFault::DurationExpected},
    {"repeat_gap", &Remote::repeatGap, kLongestMicros, FileFault::DurationExpected},
    {"min_repeat", &Remote::minRepeat, kMostLircdRepeats, FileFault::RepeatsExpected},
    {"frequency", &Remote::frequency, kLongestMicros, FileFault::HertzExpected},
};
// clang-format on

// A line's words, a comment from '#' on set aside.
std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word && word[0] != '#';)
        words.push_back(word);
    return words;
}

// A code or mask: hex after 0x, decimal otherwise.
std::optional<std::uint64_t> codeNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool fits(std::uint64_t value, long bits) { return bits >= kMostBits || value >> bits == 0; }

// A frame as the emitter builds it: marks and spaces in turn from the first mark, neighbours of
// one kind joined; the space it ends on belongs to the silence after it.
class LircdFrameBuilder {
public:
    struct Built {
        std::vector<int> durations;
        int closingSpace = 0;
        long length = 0; // from the first mark to the end of the last
    };

    void pulse(long micros) { add(true, micros); }
    void space(long micros) { add(false, micros); }
    void pair(const Pair& p) {
        pulse(p.pulse);
        space(p.space);
    }
    Built built() const {
        Built b{durations_, 0, 0};
        if (b.durations.size() % 2 == 0 && !b.durations.empty()) {
            b.closingSpace = b.durations.back();
            b.durations.pop_back();
        }
        for (int d : b.durations)
            b.length += d;
        return b;
    }

private:
    // Each duration is at most a second and a frame at most some 140 of them: no sum overflows.
    void add(bool mark, long micros) {
        if (micros <= 0 || (durations_.empty() && !mark))
            return;
        if (!durations_.empty() && (durations_.size() % 2 == 1) == mark)
            durations_.back() += static_cast<int>(micros);
        else
            durations_.push_back(static_cast<int>(micros));
    }
    std::vector<int> durations_;
};
using Built = LircdFrameBuilder::Built;

// The code's bits in the order sent, pre data first, each field highest bit first (lowest first
// under REVERSE); toggle bits sent as the protocol's 0, as a remote's first press sends them. RC6
// files count bits the other way round: their 1 rises mid-bit, as RC5's does, where RC6's own 1
// falls.
std::vector<bool> sentBits(const Remote& r, std::uint64_t code) {
    std::vector<bool> bits;
    const auto field = [&](std::uint64_t value, long count) {
        for (long i = 0; i < count; ++i)
            bits.push_back((value >> (r.flags & kReverse ? i : count - 1 - i)) & 1u);
    };
    field(r.preData, r.preDataBits);
    field(code, r.bits);
    field(r.postData, r.postDataBits);
    const std::uint64_t toggles = r.toggleMask;
    for (std::size_t p = 0; p < bits.size(); ++p)
        if ((toggles >> (bits.size() - 1 - p)) & 1u)
            bits[p] = (r.flags & kRc6) != 0;
    return bits;
}

// RC6's double-length bits, by the same numbering as the toggle mask: without rc6_mask, the toggle
// bit, which is RC6's trailer bit.
bool doubled(const Remote& r, std::size_t position) {
    const std::uint64_t mask = r.rc6Mask ? r.rc6Mask : r.toggleMask;
    return (r.flags & kRc6) && ((mask >> (r.allBits() - 1 - position)) & 1u);
}

void sendBit(LircdFrameBuilder& f, const Remote& r, bool one, bool twice) {
    const int k = twice ? 2 : 1;
    if (r.flags & (kRc5 | kRc6)) {
        // Bi-phase: a 1 rises in the middle of its bit, a 0 falls.
        if (one) {
            f.space(k * r.one.space);
            f.pulse(k * r.one.pulse);
        } else {
            f.pulse(k * r.zero.pulse);
            f.space(k * r.zero.space);
        }
        return;
    }
    f.pair(one ? r.one : r.zero);
}

// One frame of the code; `again` for a frame that repeats it while the key is held.
Built codeFrame(const Remote& r, std::uint64_t code, bool again) {
    const std::vector<bool> bits = sentBits(r, code);
    LircdFrameBuilder f;
    if (!(again && (r.flags & kNoHeadRep)))
        f.pair(r.header);
    f.pulse(r.plead);
    std::size_t at = 0;
    const auto send = [&](long count) {
        for (long i = 0; i < count; ++i, ++at)
            sendBit(f, r, bits[at], doubled(r, at));
    };
    send(r.preDataBits);
    if (r.preDataBits > 0)
        f.pair(r.pre);
    send(r.bits);
    if (r.postDataBits > 0)
        f.pair(r.post);
    send(r.postDataBits);
    f.pulse(r.ptrail);
    if (!(again && (r.flags & kNoFootRep))) {
        f.space(r.foot.space);
        f.pulse(r.foot.pulse);
    }
    return f.built();
}

// The remote's repeat code, sent while the key is held in place of the frame.
Built repeatFrame(const Remote& r) {
    LircdFrameBuilder f;
    if (r.flags & kRepeatHeader)
        f.pair(r.header);
    f.pulse(r.plead);
    f.pair(r.repeat);
    f.pulse(r.ptrail);
    return f.built();
}

Built rawFrame(const std::vector<int>& durations) {
    LircdFrameBuilder f;
    for (std::size_t i = 0; i < durations.size(); ++i)
        (i % 2 == 0) ? f.pulse(durations[i]) : f.space(durations[i]);
    return f.built();
}

// The silence after a frame: the gap; under CONST_LENGTH what is left of it from the frame's
// start; after a repeat, repeat_gap where the remote gives one.
long silenceAfter(const Remote& r, const Built& frame, bool again) {
    if (again && r.repeatGap > 0)
        return frame.closingSpace + r.repeatGap;
    if (r.flags & kConstLength)
        return r.gap - frame.length;
    return frame.closingSpace + r.gap;
}

// One press: the frame, then the frame that repeats (the repeat code, or the frame again) as often
// as the remote sends it at least, and at least as often as shows a receiver which frame repeats.
std::variant<std::vector<int>, FileProblem> press(const Remote& r, const Built& first, const Built& again) {
    if (first.durations.empty() || again.durations.empty())
        return FileProblem{.fault = FileFault::NoPulse};
    const long firstSilence = silenceAfter(r, first, false), againSilence = silenceAfter(r, again, true);
    if (firstSilence <= 0 || againSilence <= 0)
        return FileProblem{.fault = FileFault::LongerThanGap,
                           .number = std::max(first.length, again.length),
                           .limit = r.gap};
    const bool alike = again.durations == first.durations && againSilence == firstSilence;
    const long repeats = std::max(r.minRepeat, alike ? 1L : 2L);
    std::vector<int> timings = first.durations;
    // The receiver ends its record at a silence this long: what follows it is never learned.
    long silence = firstSilence;
    for (long n = 0; n < repeats && silence < ir::kSilenceMicros; ++n) {
        timings.push_back(static_cast<int>(silence));
        timings.insert(timings.end(), again.durations.begin(), again.durations.end());
        silence = againSilence;
    }
    if (!ir::plausibleTimings(timings))
        return FileProblem{.fault = FileFault::PulseTooLong};
    return timings;
}

class Reader {
public:
    Reader(const Lines& lines, const Fault& fault) : lines_(lines), fault_(fault) {}

    Read read() {
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::vector<std::string> words = wordsOf(lines_[i]);
            if (words.empty())
                continue;
            if (auto problem = take(i + 1, words))
                return *problem;
        }
        if (state_ != State::Outside)
            return fault_.at(remotes_.back().line,
                             {.fault = FileFault::RemoteNotEnded, .other = remotes_.back().name});
        std::vector<NamedSignal> signals;
        for (const Remote& r : remotes_) {
            // Held, a key sends the remote's repeat code, or else its frame again.
            const auto sent = [&r](const Built& first, const Built& again) {
                return press(r, first, r.repeat.given() ? repeatFrame(r) : again);
            };
            for (const Button& b : r.buttons) {
                if (b.isRaw) {
                    const Built frame = rawFrame(b.raw);
                    signals.push_back(named(r, b, sent(frame, frame)));
                } else {
                    signals.push_back(
                        named(r, b, sent(codeFrame(r, b.code, false), codeFrame(r, b.code, true))));
                }
            }
        }
        if (signals.empty())
            return fault_.at(lines_.size(), FileFault::NoCode);
        return signals;
    }

private:
    enum class State { Outside, Remote, Codes, RawCodes };

    NamedSignal named(const Remote& r, const Button& b,
                      std::variant<std::vector<int>, FileProblem> sent) const {
        // Several remotes may name a button alike: their signals carry the remote's name.
        NamedSignal signal{remotes_.size() > 1 ? r.name + "/" + b.name : b.name, {}, b.line, {}};
        if (auto* timings = std::get_if<std::vector<int>>(&sent))
            signal.signal = {static_cast<int>(r.frequency), std::move(*timings)};
        else {
            FileProblem why = std::get<FileProblem>(std::move(sent));
            why.in = FaultIn::Code;
            why.name = b.name;
            signal.unusable = fault_.at(b.line, std::move(why));
        }
        return signal;
    }

    std::optional<FileProblem> take(std::size_t line, const std::vector<std::string>& words) {
        const bool begins = words[0] == "begin", ends = words[0] == "end";
        const std::string section = words.size() > 1 ? words[1] : "";
        switch (state_) {
        case State::Outside:
            if (!begins || section != "remote")
                return fault_.at(line, {.fault = FileFault::BeginRemoteExpected, .text = words[0]});
            remotes_.emplace_back().line = line;
            state_ = State::Remote;
            return std::nullopt;
        case State::Remote:
            if (begins && section == "remote")
                return fault_.at(line, {.fault = FileFault::RemoteUnended,
                                        .other = remotes_.back().name,
                                        .number = static_cast<long>(remotes_.back().line)});
            if (ends && section == "remote") {
                state_ = State::Outside;
                return finish(remotes_.back());
            }
            if (begins && (section == "codes" || section == "raw_codes")) {
                state_ = section == "codes" ? State::Codes : State::RawCodes;
                rawOpen_ = false;
                return std::nullopt;
            }
            if (begins || ends)
                return fault_.at(line, {.fault = FileFault::SectionUnexpected,
                                        .text = words[0] + " " + section,
                                        .other = remotes_.back().name});
            return parameter(remotes_.back(), line, words);
        case State::Codes:
        case State::RawCodes:
            break;
        }
        const std::string closing = state_ == State::Codes ? "codes" : "raw_codes";
        if (ends && section == closing) {
            const bool raw = state_ == State::RawCodes;
            state_ = State::Remote;
            return raw ? endRaw() : std::nullopt;
        }
        if (begins || ends)
            return fault_.at(
                line,
                {.fault = FileFault::SectionEndExpected, .text = words[0] + " " + section, .other = closing});
        return state_ == State::Codes ? code(line, words) : rawLine(line, words);
    }

    std::optional<FileProblem> code(std::size_t line, const std::vector<std::string>& words) {
        if (words.size() == 1)
            return fault_.at(line, {.fault = codeNumber(words[0]) ? FileFault::ButtonNameMissing
                                                                  : FileFault::ButtonCodeMissing,
                                    .text = words[0]});
        const auto value = codeNumber(words[1]);
        if (!value || words.size() > 2)
            return fault_.at(line, FileFault::ButtonCodeExpected);
        remotes_.back().buttons.push_back({words[0], line, *value, false, {}});
        return std::nullopt;
    }

    std::optional<FileProblem> rawLine(std::size_t line, const std::vector<std::string>& words) {
        std::vector<Button>& buttons = remotes_.back().buttons;
        std::size_t from = 0;
        if (words[0] == "name") {
            if (auto problem = endRaw())
                return problem;
            if (words.size() != 2)
                return fault_.at(line, FileFault::RawNameExpected);
            buttons.push_back({words[1], line, 0, true, {}});
            rawOpen_ = true;
            from = 2;
        } else if (!rawOpen_) {
            return fault_.at(line, FileFault::RawNameMissing);
        }
        for (std::size_t i = from; i < words.size(); ++i) {
            const auto micros = wholeNumber(words[i]);
            if (!micros || *micros < 1 || *micros > kLongestMicros)
                return fault_.at(line, {.fault = FileFault::RawDurationExpected, .text = words[i]});
            buttons.back().raw.push_back(static_cast<int>(*micros));
        }
        return std::nullopt;
    }

    // A raw code ends at the next 'name' or 'end raw_codes'.
    std::optional<FileProblem> endRaw() const {
        const std::vector<Button>& buttons = remotes_.back().buttons;
        if (rawOpen_ && buttons.back().raw.empty())
            return fault_.at(buttons.back().line,
                             {.fault = FileFault::RawCodeEmpty, .text = buttons.back().name});
        return std::nullopt;
    }

    std::optional<FileProblem> parameter(Remote& r, std::size_t line, const std::vector<std::string>& words) {
        const std::string& key = words[0];
        const std::size_t count = words.size() - 1;
        r.given[key] = line;
        const auto fault = [&](FileFault expected) {
            return fault_.at(line, {.fault = expected, .other = key});
        };
        const auto whole = [&](std::size_t at, long most) -> std::optional<long> {
            const auto number = at < words.size() ? wholeNumber(words[at]) : std::nullopt;
            if (!number || *number < 0 || *number > most)
                return std::nullopt;
            return number;
        };
        if (key == "name") {
            if (count != 1)
                return fault(FileFault::OneWordExpected);
            r.name = words[1];
            return std::nullopt;
        }
        if (key == "flags")
            return flags(r, line, words);
        for (const auto& [name, member] : kPairs) {
            if (key != name)
                continue;
            const auto pulse = whole(1, kLongestMicros), space = whole(2, kLongestMicros);
            if (count != 2 || !pulse || !space)
                return fault(FileFault::PulseSpaceExpected);
            r.*member = {static_cast<int>(*pulse), static_cast<int>(*space)};
            return std::nullopt;
        }
        for (const auto& [name, member] : kMasks) {
            if (key != name)
                continue;
            const auto number = count == 1 ? codeNumber(words[1]) : std::nullopt;
            if (!number)
                return fault(FileFault::NumberExpected);
            r.*member = *number;
            return std::nullopt;
        }
        for (const auto& [name, member, most, expected] : kWholes) {
            if (key != name)
                continue;
            // A second gap, where a remote gives one, is for receivers.
            const bool second = key == "gap" && count == 2 && whole(2, most);
            const auto number = count == 1 || second ? whole(1, most) : std::nullopt;
            if (!number)
                return fault(expected);
            r.*member = *number;
            return std::nullopt;
        }
        // The remote sends its own carrier's duty cycle; the file's is only checked.
        if (key == "duty_cycle") {
            if (count != 1 || !whole(1, 100))
                return fault(FileFault::PercentExpected);
            return std::nullopt;
        }
        if (std::find(std::begin(kIgnored), std::end(kIgnored), key) != std::end(kIgnored))
            return std::nullopt;
        return fault_.at(line, {.fault = FileFault::ParameterUnknown, .text = key, .other = r.name});
    }

    std::optional<FileProblem> flags(Remote& r, std::size_t line,
                                     const std::vector<std::string>& words) const {
        std::string all;
        for (std::size_t i = 1; i < words.size(); ++i)
            all += words[i];
        std::istringstream in(all);
        for (std::string name; std::getline(in, name, '|');) {
            const auto it = std::find_if(std::begin(kFlags), std::end(kFlags),
                                         [&](const auto& flag) { return flag.first == name; });
            if (it == std::end(kFlags))
                return fault_.at(line, {.fault = FileFault::FlagUnknown, .text = name});
            r.flags |= it->second;
        }
        if (std::popcount(r.flags & kEncodings) > 1)
            return fault_.at(line, FileFault::EncodingsTooMany);
        return std::nullopt;
    }

    // What only the whole remote shows: its name, gap, timing and the width of its codes.
    std::optional<FileProblem> finish(Remote& r) const {
        const auto remoteFault = [&r, this](std::size_t line, FileFault fault, long number = 0) {
            return fault_.at(line, {.fault = fault, .other = r.name, .number = number});
        };
        if (r.name.empty())
            return fault_.at(r.line, FileFault::RemoteNameMissing);
        if (r.gap == 0)
            return remoteFault(r.line, FileFault::GapMissing);
        if (std::none_of(r.buttons.begin(), r.buttons.end(), [](const Button& b) { return !b.isRaw; }))
            return std::nullopt;
        if (!r.one.given() || !r.zero.given())
            return remoteFault(r.lineOf(r.one.given() ? "zero" : "one"), FileFault::BitTimingMissing);
        if (r.bits == 0)
            return remoteFault(r.lineOf("bits"), FileFault::BitCountMissing);
        if (r.allBits() > kMostBits)
            return remoteFault(r.lineOf("bits"), FileFault::BitsTooMany, r.allBits());
        if (!fits(r.preData, r.preDataBits))
            return fault_.at(r.lineOf("pre_data"), FileFault::PreDataTooWide);
        if (!fits(r.postData, r.postDataBits))
            return fault_.at(r.lineOf("post_data"), FileFault::PostDataTooWide);
        for (const Button& b : r.buttons)
            if (!b.isRaw && !fits(b.code, r.bits))
                return fault_.at(b.line, {.fault = FileFault::CodeTooWide, .text = b.name, .number = r.bits});
        if (r.toggleBit > 0 && r.toggleBit <= r.allBits())
            r.toggleMask |= std::uint64_t{1} << (r.allBits() - r.toggleBit);
        return std::nullopt;
    }

    const Lines& lines_;
    const Fault& fault_;
    State state_ = State::Outside;
    bool rawOpen_ = false; // a raw code of this raw_codes section has begun
    std::vector<Remote> remotes_;
};

} // namespace

Read lircdFile(const Lines& lines, const Fault& fault) { return Reader(lines, fault).read(); }

} // namespace codes
