// Flipper .ir files: raw signals, and parsed ones of the protocols the remote knows, as their
// remotes send them.
#include "codefile.h"

#include "ir/addresscommand.h"
#include "ir/frames.h"
#include "model/hextext.h"

#include <sstream>

namespace codes {

namespace {

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

// The protocol's name as a Flipper writes it; RC5X numbers the extended RC5 commands from 64.
std::variant<ir::Signal, FileProblem> parsedSignal(const std::string& protocolName, ir::AddressCommand key) {
    std::string name = protocolName;
    if (name == "RC5X") {
        name = "RC5";
        key.command |= 0x40;
    }
    const auto protocol = ir::protocolNamed(name);
    if (!protocol)
        return FileProblem{.fault = FileFault::ProtocolNotKnown, .other = protocolName};
    auto press = protocolPress(*protocol, key);
    if (auto* why = std::get_if<FileProblem>(&press))
        why->other = protocolName;
    return press;
}

} // namespace

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
    std::optional<FileProblem> problem;
    const auto finish = [&]() -> bool {
        if (block.line == 0)
            return true;
        if (block.type == "parsed") {
            if (block.protocol.empty() || !block.address || !block.command) {
                problem = fault.at(block.line, {.fault = FileFault::ParsedIncomplete, .text = block.name});
                return false;
            }
            auto signal = parsedSignal(block.protocol, {*block.address, *block.command});
            if (auto* why = std::get_if<FileProblem>(&signal)) {
                why->in = FaultIn::ParsedSignal;
                why->name = block.name;
                signals.push_back({block.name, {}, block.line, fault.at(block.line, std::move(*why))});
            } else {
                signals.push_back({block.name, std::get<ir::Signal>(std::move(signal)), block.line, {}});
            }
            block = Block{};
            return true;
        }
        if (block.type != "raw") {
            problem = fault.at(block.line, {.fault = FileFault::SignalTypeMissing, .text = block.name});
            return false;
        }
        if (block.data.empty() || !ir::plausibleTimings(block.data)) {
            problem = fault.at(block.dataLine ? block.dataLine : block.line,
                               {.fault = FileFault::SignalDataMissing, .text = block.name});
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
            return fault.at(number, FileFault::FieldValueExpected);
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
            return fault.at(number, {.fault = FileFault::FieldBeforeName, .text = field});
        if (field == "type") {
            block.type = value;
        } else if (field == "protocol") {
            block.protocol = value;
        } else if (field == "address" || field == "command") {
            const auto bytes = littleEndianBytes(value);
            if (!bytes)
                return fault.at(number, {.fault = FileFault::BytesExpected, .text = field});
            (field == "address" ? block.address : block.command) = bytes;
        } else if (field == "frequency") {
            const auto hz = wholeNumber(value);
            if (!hz || *hz < 0 || *hz > kLongestMicros)
                return fault.at(number, FileFault::FrequencyExpected);
            block.frequency = static_cast<int>(*hz);
        } else if (field == "data") {
            const auto timings = ir::parseTimingList(value);
            if (!timings)
                return fault.at(number, FileFault::DataExpected);
            block.data = *timings;
            block.dataLine = number;
        }
    }
    if (!finish())
        return *problem;
    if (signals.empty())
        return fault.at(lines.size(), FileFault::NoSignal);
    return signals;
}

} // namespace codes
