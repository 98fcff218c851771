// Broadlink packets in base64, one a line (a name may stand before the packet), and SmartIR's
// JSON files, whose "commands" hold such packets (or Pronto codes, or for ESPHome's controller
// "Raw" lists of durations) by button name, nested by mode, fan speed and temperature for
// climate devices.
//
// A packet: byte 0 the kind (0x26 infrared; 0xB2 and 0xD7 are 433 and 315 MHz radio), byte 1
// how often it is sent again, bytes 2-3 a little-endian length, then the durations, one byte each
// or 0x00 and a big-endian 16-bit value, in units of 8192/269 us, ending 0x0D 0x05; zero padding
// may follow. Three readings of the length are in use: the bytes after the header up to and
// including 0D 05, the number of durations, and the whole packet.
#include "codefile.h"
#include "ir/json.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace codes {

namespace {

constexpr double kUnitMicros = 8192.0 / 269.0;
constexpr int kRepeatGapMicros = 100000; // between copies of a packet that ends on a mark
constexpr int kMostCopies = 16;

std::optional<std::vector<unsigned char>> base64(std::string_view text) {
    std::vector<unsigned char> bytes;
    unsigned buffer = 0;
    int bits = 0;
    std::size_t padding = 0;
    for (const char c : text) {
        int value = -1;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+' || c == '-')
            value = 62;
        else if (c == '/' || c == '_')
            value = 63;
        else if (c == '=') {
            ++padding;
            continue;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            continue;
        if (value < 0 || padding)
            return std::nullopt;
        buffer = (buffer << 6 | static_cast<unsigned>(value)) & 0xFFFFFF;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<unsigned char>(buffer >> bits));
        }
    }
    if (padding > 2)
        return std::nullopt;
    return bytes;
}

// The durations from byte 4, each in units: up to byte `end` when no `count` is given, else
// `count` of them. The packet must end with 0D 05 there, as its end mark or as the last value of
// a long closing space (00 0D 05); nullopt otherwise.
std::optional<std::vector<int>> durations(const std::vector<unsigned char>& b, std::size_t end,
                                          std::optional<std::size_t> count) {
    std::vector<int> units;
    std::size_t i = 4;
    const auto closedBySpace = [&] { return !units.empty() && units.back() == 0x0D05; };
    for (;;) {
        const bool full = count && units.size() == *count;
        if (i + 2 <= end && b[i] == 0x0D && b[i + 1] == 0x05 && (count ? full : i + 2 == end)) {
            i += 2;
            break;
        }
        if (full || (!count && i == end)) {
            if (!closedBySpace())
                return std::nullopt;
            break;
        }
        if (i >= end)
            return std::nullopt;
        int value = b[i++];
        if (value == 0) {
            if (i + 2 > end)
                return std::nullopt;
            value = b[i] << 8 | b[i + 1];
            i += 2;
        }
        if (value == 0)
            return std::nullopt;
        units.push_back(value);
    }
    if (units.empty())
        return std::nullopt;
    // Where the length field itself marks the end, what follows is not the packet's (some
    // collections keep stray bytes there); a count of durations is trusted only before zeros.
    if (count)
        for (; i < b.size(); ++i)
            if (b[i] != 0)
                return std::nullopt;
    return units;
}

} // namespace

std::variant<ir::Signal, FileProblem> broadlinkPacket(std::string_view text) {
    const auto bytes = base64(text);
    if (!bytes)
        return FileProblem{.fault = FileFault::NotBase64};
    const std::vector<unsigned char>& b = *bytes;
    if (b.empty() || (b[0] != 0x26 && b[0] != 0xB2 && b[0] != 0xD7))
        return FileProblem{.fault = FileFault::NotBroadlink};
    if (b[0] != 0x26)
        return FileProblem{.fault = FileFault::RadioPacket};
    if (b.size() < 6)
        return FileProblem{.fault = FileFault::PacketTooShort};
    const std::size_t length = b[2] | b[3] << 8;
    std::optional<std::vector<int>> units;
    for (const std::size_t end : {length + 4, length})
        if (!units && end >= 6 && end <= b.size())
            units = durations(b, end, std::nullopt);
    if (!units)
        units = durations(b, b.size(), length);
    if (!units)
        return FileProblem{.fault = FileFault::PacketEndMissing, .number = static_cast<long>(length)};
    std::vector<int> once;
    for (const int u : *units)
        once.push_back(std::max(1, static_cast<int>(std::lround(u * kUnitMicros))));
    if (!ir::plausibleTimings(once))
        return FileProblem{.fault = FileFault::PacketDurationOutOfRange};
    ir::Signal signal{ir::kDefaultCarrierHz, {}};
    const int copies = std::min(b[1] + 1, kMostCopies);
    for (int n = 0; n < copies; ++n) {
        if (n && signal.timings.size() % 2)
            signal.timings.push_back(kRepeatGapMicros);
        signal.timings.insert(signal.timings.end(), once.begin(), once.end());
    }
    return signal;
}

namespace {

// A line "NAME PACKET", "NAME: PACKET" or "PACKET" ('=' belongs to the packet, as its padding).
std::pair<std::string, std::string> namedPacket(const std::string& line) {
    const auto cut = line.find_last_of(" \t:");
    if (cut == std::string::npos)
        return {"", line};
    std::string name = trimmed(std::string_view(line).substr(0, cut));
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    return {name, trimmed(std::string_view(line).substr(cut + 1))};
}

// The line of the file where `needle` first stands; the first line when it is not found.
std::size_t lineOf(const Lines& lines, std::string_view needle) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!needle.empty() && lines[i].find(needle) != std::string::npos)
            return i + 1;
    return 1;
}

enum class Encoding { Base64, Pronto, EspHomeRaw };

// ESPHome's raw code: durations in µs, marks positive and spaces negative, as a JSON list or the
// text of one. A leading silence sends nothing; two durations of a kind in a row are one longer.
std::optional<std::vector<int>> espHomeDurations(const ir::JsonValue& value) {
    ir::JsonValue parsed;
    const ir::JsonValue* list = &value;
    if (value.kind == ir::JsonValue::Kind::String) {
        auto json = ir::parseJson(value.text);
        if (!std::holds_alternative<ir::JsonValue>(json))
            return std::nullopt;
        parsed = std::get<ir::JsonValue>(std::move(json));
        list = &parsed;
    }
    if (list->kind != ir::JsonValue::Kind::Array)
        return std::nullopt;
    std::vector<int> timings;
    bool lastMark = false;
    for (const ir::JsonValue& item : list->items) {
        const double n = item.number;
        if (item.kind != ir::JsonValue::Kind::Number || n != std::floor(n) || n == 0 ||
            std::abs(n) > kLongestMicros)
            return std::nullopt;
        const bool mark = n > 0;
        const int micros = static_cast<int>(std::abs(n));
        if (timings.empty() && !mark)
            continue;
        if (!timings.empty() && mark == lastMark) {
            if (timings.back() > kLongestMicros - micros)
                return std::nullopt;
            timings.back() += micros;
        } else {
            timings.push_back(micros);
        }
        lastMark = mark;
    }
    if (!ir::plausibleTimings(timings))
        return std::nullopt;
    return timings;
}

// One command's parts, each a signal sent after the one before: a list of durations is one part
// for ESPHome, a list of anything else is parts.
std::vector<ir::JsonValue> commandParts(const ir::JsonValue& node, Encoding encoding) {
    const bool listOfParts =
        node.kind == ir::JsonValue::Kind::Array &&
        (encoding != Encoding::EspHomeRaw ||
         (!node.items.empty() && node.items.front().kind != ir::JsonValue::Kind::Number));
    return listOfParts ? node.items : std::vector<ir::JsonValue>{node};
}

std::variant<ir::Signal, FileProblem> commandPart(const ir::JsonValue& part, Encoding encoding,
                                                  const Fault& fault) {
    if (encoding == Encoding::EspHomeRaw) {
        auto timings = espHomeDurations(part);
        if (!timings)
            return FileProblem{.fault = FileFault::DurationListExpected};
        return ir::Signal{ir::kDefaultCarrierHz, std::move(*timings)};
    }
    if (part.kind != ir::JsonValue::Kind::String)
        return FileProblem{.fault = FileFault::CommandNotText};
    if (encoding == Encoding::Pronto) {
        auto read = prontoFile(Lines{part.text}, fault);
        if (const auto* signals = std::get_if<std::vector<NamedSignal>>(&read))
            return signals->front().signal;
        return std::get<FileProblem>(read);
    }
    return broadlinkPacket(part.text);
}

void smartIrCommands(const ir::JsonValue& node, const std::string& path, Encoding encoding,
                     const Lines& lines, const Fault& fault, std::vector<NamedSignal>& out) {
    if (node.kind == ir::JsonValue::Kind::Object) {
        for (const ir::JsonMember& m : node.members)
            smartIrCommands(m.value, path.empty() ? m.key : path + "/" + m.key, encoding, lines, fault, out);
        return;
    }
    // A list holds packets sent one after the other (a channel's digits, say): one signal of them all.
    const std::vector<ir::JsonValue> parts = commandParts(node, encoding);
    const std::string first = parts.empty() ? std::string() : parts.front().text.substr(0, 40);
    const std::size_t line =
        lineOf(lines, first.empty() ? "\"" + path.substr(path.rfind('/') + 1) + "\"" : first);
    ir::Signal joined{ir::kDefaultCarrierHz, {}};
    if (node.kind == ir::JsonValue::Kind::Null) {
        out.push_back({path, {}, line, fault.at(line, {.fault = FileFault::CommandNull, .text = path})});
        return;
    }
    for (const ir::JsonValue& part : parts) {
        auto signal = commandPart(part, encoding, fault);
        if (auto* why = std::get_if<FileProblem>(&signal)) {
            if (why->fault == FileFault::CommandNotText)
                why->text = path;
            why->in = encoding == Encoding::Pronto ? FaultIn::ProntoCommand : FaultIn::Command;
            why->name = path;
            out.push_back({path, {}, line, fault.at(line, std::move(*why))});
            return;
        }
        const ir::Signal& piece = std::get<ir::Signal>(signal);
        if (joined.timings.size() % 2)
            joined.timings.push_back(kRepeatGapMicros);
        joined.carrierHz = piece.carrierHz;
        joined.timings.insert(joined.timings.end(), piece.timings.begin(), piece.timings.end());
    }
    if (joined.timings.empty()) {
        out.push_back({path, {}, line, fault.at(line, {.fault = FileFault::CommandEmpty, .text = path})});
        return;
    }
    out.push_back({path, std::move(joined), line, {}});
}

bool sameLetters(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

bool isBroadlinkLine(const std::string& line) {
    // A packet holds a header and a duration at least: eight base64 digits and more, so a word
    // of a Pronto code or a name never passes for one.
    const std::string packet = namedPacket(line).second;
    if (packet.size() < 10)
        return false;
    const auto bytes = base64(packet.substr(0, 8));
    return bytes && !bytes->empty() && ((*bytes)[0] == 0x26 || (*bytes)[0] == 0xB2 || (*bytes)[0] == 0xD7);
}

Read broadlinkFile(const Lines& lines, const Fault& fault) {
    std::vector<NamedSignal> signals;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trimmed(lines[i]);
        if (line.empty() || line[0] == '#')
            continue;
        const auto [name, packet] = namedPacket(line);
        auto signal = broadlinkPacket(packet);
        if (auto* why = std::get_if<FileProblem>(&signal))
            return fault.at(i + 1, std::move(*why));
        signals.push_back({name, std::get<ir::Signal>(std::move(signal)), i + 1, {}});
    }
    if (signals.empty())
        return fault.at(1, FileFault::NoPacket);
    return signals;
}

std::optional<Read> smartIrFile(const std::string& whole, const Lines& lines, const Fault& fault) {
    auto parsed = ir::parseJson(whole);
    // A JSON file that is no SmartIR file is read as timings, which says what is wrong with it.
    if (std::holds_alternative<ir::JsonError>(parsed))
        return std::nullopt;
    const ir::JsonValue& root = std::get<ir::JsonValue>(parsed);
    const ir::JsonValue* commands = root.member("commands");
    if (!commands)
        return std::nullopt;
    const ir::JsonValue* encodingField = root.member("commandsEncoding");
    const std::string kind = encodingField ? encodingField->text : "Base64";
    Encoding encoding = Encoding::Base64;
    if (kind == "Pronto") {
        encoding = Encoding::Pronto;
    } else if (kind == "Raw") {
        // Raw is each controller's own layout: ESPHome's is public (durations); Xiaomi's and the
        // others' are not.
        const ir::JsonValue* controller = root.member("supportedController");
        const std::string by = controller ? controller->text : "";
        if (!sameLetters(by, "ESPHome"))
            return Read(fault.at(lineOf(lines, "commandsEncoding"),
                                 {.fault = FileFault::RawLayoutNotRead, .text = by}));
        encoding = Encoding::EspHomeRaw;
    } else if (kind != "Base64") {
        return Read(
            fault.at(lineOf(lines, "commandsEncoding"), {.fault = FileFault::EncodingUnknown, .text = kind}));
    }
    if (commands->kind != ir::JsonValue::Kind::Object)
        return Read(fault.at(lineOf(lines, "\"commands\""), FileFault::CommandsNotObject));
    std::vector<NamedSignal> signals;
    smartIrCommands(*commands, "", encoding, lines, fault, signals);
    if (signals.empty())
        return Read(fault.at(lineOf(lines, "\"commands\""), FileFault::NoCommand));
    return Read(std::move(signals));
}

} // namespace codes
