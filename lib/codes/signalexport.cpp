#include "signalexport.h"

#include "codefile.h"
#include "jsontext.h"

#include "ir/addresscommand.h"
#include "ir/frames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

namespace codes {

namespace {

constexpr int kClosingSpaceMicros = 100000; // a Pronto code ends on a space; a press on a mark
constexpr int kLargestProntoWord = 0xFFFF;

constexpr long kLongPressMicros = 500000; // long enough for every protocol's repeats to show

// The protocols a Flipper reads parsed, by the names it gives them. RC5 commands past 63 go raw:
// Flipper numbers them under a name of its own.
bool flipperNames(ir::Protocol protocol, const ir::AddressCommand& key) {
    using P = ir::Protocol;
    switch (protocol) {
    case P::RC5:
        return key.command < 0x40;
    case P::JVC:
    case P::Sharp:
    case P::Denon:
        return false;
    default:
        return true;
    }
}

std::string hexBytes(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02lX %02lX %02lX %02lX", value & 0xFF, (value >> 8) & 0xFF,
                  (value >> 16) & 0xFF, (value >> 24) & 0xFF);
    return text;
}

int carrierOf(const ExportedKey& key) { return key.signal.carrierHz > 0 ? key.signal.carrierHz : 38000; }

std::string flipper(const std::vector<ExportedKey>& keys) {
    std::ostringstream out;
    out << "Filetype: IR signals file\nVersion: 1\n";
    for (const ExportedKey& key : keys) {
        if (const auto& p = key.parsed) {
            out << "# \nname: " << key.name << "\ntype: parsed\nprotocol: " << p->protocol
                << "\naddress: " << hexBytes(p->address) << "\ncommand: " << hexBytes(p->command) << '\n';
            continue;
        }
        out << "# \nname: " << key.name << "\ntype: raw\nfrequency: " << carrierOf(key)
            << "\nduty_cycle: 0.330000\ndata:";
        for (const int t : key.signal.timings)
            out << ' ' << t;
        out << '\n';
    }
    return out.str();
}

std::string hexWord(long value) {
    char word[8];
    std::snprintf(word, sizeof word, "%04lX", std::clamp<long>(value, 1, kLargestProntoWord));
    return word;
}

std::string pronto(const std::vector<ExportedKey>& keys) {
    std::string out;
    for (const ExportedKey& key : keys)
        out += "# " + key.keyNumber + ' ' + key.name + '\n' + prontoHex(key) + '\n';
    return out;
}

// LIRC names are single words.
std::string lircName(const ExportedKey& key) {
    std::string name = key.name.empty() ? key.keyNumber : key.name;
    for (char& c : name)
        if (c == ' ' || c == '\t')
            c = '_';
    return name;
}

std::string lirc(const std::vector<ExportedKey>& keys) {
    // A LIRC remote has one carrier: keys of another carrier make a remote of their own.
    std::map<int, std::vector<const ExportedKey*>> byCarrier;
    for (const ExportedKey& key : keys)
        byCarrier[carrierOf(key)].push_back(&key);
    std::ostringstream out;
    for (const auto& [carrier, members] : byCarrier) {
        out << "begin remote\n  name  qtm418" << (byCarrier.size() > 1 ? "_" + std::to_string(carrier) : "")
            << "\n  flags RAW_CODES\n  eps 30\n  aeps 100\n  frequency " << carrier
            << "\n  gap 100000\n  begin raw_codes\n";
        for (const ExportedKey* key : members) {
            // Raw codes end on a pulse.
            std::vector<int> timings = key->signal.timings;
            if (timings.size() % 2 == 0 && !timings.empty())
                timings.pop_back();
            out << "    name " << lircName(*key);
            for (std::size_t i = 0; i < timings.size(); ++i)
                out << (i % 8 == 0 ? "\n     " : "") << ' ' << timings[i];
            out << '\n';
        }
        out << "  end raw_codes\nend remote\n";
    }
    return out.str();
}

std::string json(const std::vector<ExportedKey>& keys) {
    std::ostringstream out;
    for (const ExportedKey& key : keys) {
        out << "{\"source\": " << jsonString("qtm418#" + key.name)
            << ", \"key\": " << jsonString(key.keyNumber) << ", \"carrier_hz\": " << carrierOf(key)
            << ", \"timings_us\": [";
        for (std::size_t i = 0; i < key.signal.timings.size(); ++i)
            out << (i ? ", " : "") << key.signal.timings[i];
        out << "]}\n";
    }
    return out.str();
}

} // namespace

std::string prontoHex(const ExportedKey& key) {
    // A carrier above what a Pronto code holds is written as the highest it holds.
    const long frequencyWord =
        std::max<long>(std::lround(1e6 / (carrierOf(key) * kProntoUnitMicros)), kSmallestProntoFrequencyWord);
    const double period = frequencyWord * kProntoUnitMicros; // microseconds per carrier cycle
    std::vector<int> timings = key.signal.timings;
    if (timings.size() % 2)
        timings.push_back(kClosingSpaceMicros);
    // No word may stand for more than the longest duration a code file may hold.
    const long longestWord = static_cast<long>(std::floor(1e6 / period));
    std::string out =
        "0000 " + hexWord(frequencyWord) + ' ' + hexWord(static_cast<long>(timings.size() / 2)) + " 0000";
    for (const int t : timings)
        out += ' ' + hexWord(std::min(std::lround(t / period), longestWord));
    return out;
}

std::optional<ParsedKey> parsedKey(const ir::PlayedKey& key) {
    if (!key.protocol)
        return std::nullopt;
    const ir::AddressCommand named = ir::addressAndCommand(*key.protocol);
    const auto rebuilt = ir::codeFor(key.protocol->protocol, named);
    if (!flipperNames(key.protocol->protocol, named) || !rebuilt ||
        !ir::faithful(ir::protocolTransmission(*rebuilt),
                      ir::splitFrames(ir::heldPress(key.transmission, kLongPressMicros))))
        return std::nullopt;
    return ParsedKey{ir::protocolName(key.protocol->protocol), named.address, named.command};
}

std::optional<ExportFormat> exportFormat(const std::string& name) {
    if (name == "flipper")
        return ExportFormat::Flipper;
    if (name == "pronto")
        return ExportFormat::Pronto;
    if (name == "lirc")
        return ExportFormat::Lirc;
    if (name == "json")
        return ExportFormat::Json;
    return std::nullopt;
}

std::string exportText(const std::vector<ExportedKey>& keys, ExportFormat format) {
    switch (format) {
    case ExportFormat::Flipper:
        return flipper(keys);
    case ExportFormat::Pronto:
        return pronto(keys);
    case ExportFormat::Lirc:
        return lirc(keys);
    case ExportFormat::Json:
        return json(keys);
    }
    return {};
}

} // namespace codes
