#include "signalfile.h"

#include "model/keynames.h"

#include "ir/addresscommand.h"
#include "ir/frames.h"
#include "model/hextext.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace codes {

namespace {

constexpr std::uintmax_t kLargestFile = 4 * 1024 * 1024;
constexpr int kLongestMicros = 1000000;
constexpr double kProntoUnitMicros = 0.241246; // one count of the Pronto frequency word

using Lines = std::vector<std::string>;
using Read = std::variant<std::vector<NamedSignal>, std::string>;

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// Input quoted in a message: at most about 60 characters of it, so a long line never floods it.
std::string excerpt(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    if (text.size() <= kLongest)
        return "'" + std::string(text) + "'";
    return "'" + std::string(text.substr(0, kLongest - 3)) + "...'";
}

class Fault {
public:
    explicit Fault(const std::filesystem::path& file) : file_(file.string()) {}
    std::string at(std::size_t line, const std::string& what) const {
        return file_ + ":" + std::to_string(line) + ": " + what;
    }

private:
    std::string file_;
};

std::optional<long> wholeNumber(std::string_view text) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A Flipper number field: up to four hex bytes, lowest first ("04 00 00 00").
std::optional<unsigned long> littleEndianBytes(std::string_view text) {
    std::istringstream in{std::string(text)};
    unsigned long value = 0;
    int count = 0;
    for (std::string word; in >> word; ++count) {
        const auto byte = word.size() == 2 ? model::parseHex(word) : std::nullopt;
        if (!byte || count == 4)
            return std::nullopt;
        value |= static_cast<unsigned long>(*byte) << (8 * count);
    }
    return count ? std::optional(value) : std::nullopt;
}

// What a remote of the protocol sends for one press of the key: each of its frames once, as
// learning it from that remote would have captured it.
std::variant<ir::Signal, std::string> parsedSignal(const std::string& protocolName, ir::AddressCommand key) {
    std::string name = protocolName;
    if (name == "RC5X") {
        name = "RC5";
        key.command |= 0x40; // the extended RC5 commands, numbered from 0 or from 64
    }
    const auto protocol = ir::protocolNamed(name);
    if (!protocol)
        return "its protocol " + protocolName +
               " is not one the remote knows by name; learn it from a raw capture";
    const auto code = ir::codeFor(*protocol, key);
    if (!code)
        return "address " + std::to_string(key.address) + " or command " + std::to_string(key.command) +
               " does not fit protocol " + protocolName;
    const ir::Transmission sent = ir::protocolTransmission(*code);
    return ir::Signal{sent.carrierHz, ir::joinFrames(ir::pressFrames(sent, sent.frames.size()))};
}

Read flipperFile(const Lines& lines, const Fault& fault) {
    std::vector<NamedSignal> signals;
    struct Block {
        std::size_t line = 0;
        std::string name, type, protocol;
        std::optional<unsigned long> address, command;
        std::optional<int> frequency;
        std::vector<int> data;
        std::size_t dataLine = 0;
    } block;
    std::optional<std::string> problem;
    const auto finish = [&]() -> bool {
        if (block.line == 0)
            return true;
        if (block.type == "parsed") {
            const std::string what = "parsed signal " + excerpt(block.name);
            if (block.protocol.empty() || !block.address || !block.command) {
                problem = fault.at(block.line, what + " needs a protocol, an address and a command");
                return false;
            }
            auto signal = parsedSignal(block.protocol, {*block.address, *block.command});
            if (const auto* why = std::get_if<std::string>(&signal))
                signals.push_back({block.name, {}, block.line, fault.at(block.line, what + ": " + *why)});
            else
                signals.push_back({block.name, std::get<ir::Signal>(std::move(signal)), block.line, {}});
            block = Block{};
            return true;
        }
        if (block.type != "raw") {
            problem = fault.at(block.line, "signal " + excerpt(block.name) + " has no type raw or parsed");
            return false;
        }
        if (block.data.empty() || !ir::plausibleTimings(block.data)) {
            problem =
                fault.at(block.dataLine ? block.dataLine : block.line,
                         "signal " + excerpt(block.name) + " needs data of durations from 1 to 1000000 us");
            return false;
        }
        signals.push_back(
            {block.name, {block.frequency.value_or(ir::kDefaultCarrierHz), block.data}, block.line, {}});
        block = Block{};
        return true;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t number = i + 1;
        const std::string line = trimmed(lines[i]);
        if (line.empty() || line[0] == '#') {
            if (!finish())
                return *problem;
            continue;
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            return fault.at(number, "expected 'field: value'");
        const std::string field = trimmed(std::string_view(line).substr(0, colon));
        const std::string value = trimmed(std::string_view(line).substr(colon + 1));
        if (field == "Version" && block.line == 0 && signals.empty())
            continue;
        if (field == "name") {
            if (!finish())
                return *problem;
            block.line = number;
            block.name = value;
            continue;
        }
        if (block.line == 0)
            return fault.at(number, "field " + excerpt(field) + " before the first 'name:'");
        if (field == "type") {
            block.type = value;
        } else if (field == "protocol") {
            block.protocol = value;
        } else if (field == "address" || field == "command") {
            const auto bytes = littleEndianBytes(value);
            if (!bytes)
                return fault.at(number, field + " must be up to four hex bytes, lowest first");
            (field == "address" ? block.address : block.command) = bytes;
        } else if (field == "frequency") {
            const auto hz = wholeNumber(value);
            if (!hz || *hz < 0 || *hz > kLongestMicros)
                return fault.at(number, "frequency must be whole hertz up to 1000000");
            block.frequency = static_cast<int>(*hz);
        } else if (field == "data") {
            const auto timings = ir::parseTimingList(value);
            if (!timings)
                return fault.at(number, "data must be durations from 1 to 1000000 us");
            block.data = *timings;
            block.dataLine = number;
        }
    }
    if (!finish())
        return *problem;
    if (signals.empty())
        return fault.at(lines.size(), "the file holds no signal");
    return signals;
}

Read prontoFile(const Lines& lines, const Fault& fault) {
    std::vector<std::pair<unsigned, std::size_t>> words; // value, line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).rfind('#', 0) == 0)
            continue;
        std::istringstream in(lines[i]);
        for (std::string word; in >> word;) {
            const auto value = word.size() == 4 ? model::parseHex(word) : std::nullopt;
            if (!value)
                return fault.at(i + 1, excerpt(word) + " is not a Pronto word of 4 hex digits");
            words.emplace_back(*value, i + 1);
        }
    }
    if (words.size() < 4 || words[0].first != 0)
        return fault.at(words.empty() ? 1 : words[0].second,
                        "not a learned Pronto code (it must start 0000, frequency, two counts)");
    const unsigned frequency = words[1].first;
    const std::size_t pairs = words[2].first + words[3].first;
    if (frequency == 0)
        return fault.at(words[1].second, "the frequency word is 0");
    if (pairs == 0 || words.size() != 4 + 2 * pairs)
        return fault.at(words.back().second, "the code holds " + std::to_string(words.size() - 4) +
                                                 " durations where its counts call for " +
                                                 std::to_string(2 * pairs));
    const double period = frequency * kProntoUnitMicros;
    ir::Signal signal{static_cast<int>(std::lround(1e6 / period)), {}};
    for (std::size_t i = 4; i < words.size(); ++i) {
        const long micros = std::lround(words[i].first * period);
        if (micros < 1 || micros > kLongestMicros)
            return fault.at(words[i].second,
                            "a duration of " + std::to_string(micros) + " us is out of range");
        signal.timings.push_back(static_cast<int>(micros));
    }
    return std::vector<NamedSignal>{{"", signal, words[0].second, {}}};
}

std::string sourceName(const std::string& source, std::size_t line) {
    const auto hash = source.rfind('#');
    return hash == std::string::npos ? "line " + std::to_string(line) : source.substr(hash + 1);
}

Read jsonFile(const Lines& lines, const std::string& whole, const Fault& fault) {
    const std::string text = trimmed(whole);
    if (text[0] == '[') {
        const auto line = ir::parseCaptureLine("{\"timings_us\": " + text + "}");
        if (!line)
            return fault.at(1, "not a list of durations from 1 to 1000000 us");
        return std::vector<NamedSignal>{{"", line->signal, 1, {}}};
    }
    if (const auto line = ir::parseCaptureLine(text))
        return std::vector<NamedSignal>{{sourceName(line->source, 1), line->signal, 1, {}}};
    std::vector<NamedSignal> signals;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (trimmed(lines[i]).empty())
            continue;
        const auto line = ir::parseCaptureLine(lines[i]);
        if (!line)
            return fault.at(i + 1, "not a JSON object with timings_us of durations from 1 to 1000000 us "
                                   "and a whole carrier_hz");
        signals.push_back({sourceName(line->source, i + 1), line->signal, i + 1, {}});
    }
    return signals;
}

} // namespace

Read readSignalFile(const std::filesystem::path& file) {
    const Fault fault(file);
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        return file.string() + ": cannot be read";
    if (size > kLargestFile)
        return file.string() + ": too large for a code file";
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (!in)
        return file.string() + ": cannot be read";
    const std::string whole = buffer.str();
    Lines lines;
    std::istringstream split(whole);
    for (std::string line; std::getline(split, line);)
        lines.push_back(line);
    std::size_t first = 0;
    // Blank lines, and the comment lines Pronto codes are often kept under, lead to the code.
    while (first < lines.size() && (trimmed(lines[first]).empty() || trimmed(lines[first])[0] == '#'))
        ++first;
    if (first == lines.size())
        return fault.at(1, "the file is empty");
    const std::string opening = trimmed(lines[first]);
    if (first == 0 && opening.rfind("Filetype:", 0) == 0)
        return flipperFile(lines, fault);
    if (opening[0] == '[' || opening[0] == '{')
        return jsonFile(lines, whole, fault);
    if (opening.size() >= 4 && model::parseHex(opening.substr(0, 4)))
        return prontoFile(lines, fault);
    return fault.at(first + 1, "unknown format: expected a Flipper .ir file, Pronto hex or JSON");
}

std::variant<NamedSignal, std::string> chooseSignal(const std::vector<NamedSignal>& signals,
                                                    const std::filesystem::path& file,
                                                    const std::string& name) {
    const auto usable = [](const NamedSignal& signal) -> std::variant<NamedSignal, std::string> {
        if (!signal.unusable.empty())
            return signal.unusable;
        return signal;
    };
    if (name.empty()) {
        if (signals.size() == 1)
            return usable(signals[0]);
        std::string names;
        for (std::size_t i = 0; i < signals.size() && i < 8; ++i)
            names += (i ? ", " : "") + signals[i].name;
        return file.string() + " holds " + std::to_string(signals.size()) +
               " signals; choose one with --name (" + names + (signals.size() > 8 ? ", ..." : "") + ")";
    }
    for (const NamedSignal& signal : signals)
        if (signal.name == name)
            return usable(signal);
    for (const NamedSignal& signal : signals)
        if (model::foldName(signal.name) == model::foldName(name))
            return usable(signal);
    return file.string() + " holds no signal named " + excerpt(name);
}

} // namespace codes
