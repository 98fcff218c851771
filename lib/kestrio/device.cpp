#include "device.h"

#include <charconv>
#include <cstdio>
#include <sstream>
#include <string_view>

namespace emu {

namespace {

constexpr std::array<const char*, 7> kOperationNames = {
    "link_state",   "ReadVersion",        "RBasicInfo",      "readdatav20",
    "writedatav20", "SetCodeCarrierWave", "RCollectCodeInfo"};

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

template <typename T> bool parseNumber(const std::string& text, T& out, int base = 10) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out, base);
    return ec == std::errc() && ptr == end && !text.empty();
}

// Settings values are single lines; keep a stray line break from splitting the file.
std::string oneLine(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (c == '\n' || c == '\r') ? ' ' : c;
    return out;
}

} // namespace

const char* operationName(Operation op) { return kOperationNames[static_cast<std::size_t>(op)]; }

std::optional<Operation> operationFromName(const std::string& name) {
    for (Operation op : kOperations)
        if (lower(operationName(op)) == lower(name))
            return op;
    return std::nullopt;
}

std::string serializeSettings(const DeviceSettings& s) {
    std::ostringstream out;
    out << "attached=" << (s.attached ? 1 : 0) << '\n'
        << "profile=" << oneLine(s.profile) << '\n'
        << "model=" << oneLine(s.model) << '\n'
        << "version_text=" << oneLine(s.versionText) << '\n'
        << "latency_us=" << s.latencyMicros << '\n'
        << "trace=" << (s.trace ? 1 : 0) << '\n'
        << "memory_generation=" << s.memoryGeneration << '\n'
        << "demo=" << (s.demo ? 1 : 0) << '\n'
        << "demo_next_key=" << s.demoNextKey << '\n'
        << "capture_started_ms=" << s.captureStartedMillis << '\n';
    for (const std::string& record : s.sentCaptures)
        out << "sent=" << oneLine(record) << '\n';
    for (const auto& [op, rule] : s.failures)
        out << "fail." << operationName(op) << '=' << rule.skip << ',' << rule.count
            << (rule.unplug ? ",unplug" : "") << '\n';
    for (const auto& [address, text] : s.textOverlay) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", address);
        out << "overlay." << hex << '=' << oneLine(text) << '\n';
    }
    return out.str();
}

std::optional<DeviceSettings> parseSettings(const std::string& text) {
    DeviceSettings s;
    s.versionText.clear();
    std::istringstream in(text);
    std::string line;
    bool sawAttached = false;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            return std::nullopt;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "attached") {
            s.attached = value == "1";
            sawAttached = true;
        } else if (key == "profile") {
            s.profile = value;
        } else if (key == "model") {
            s.model = value;
        } else if (key == "version_text") {
            s.versionText = value;
        } else if (key == "latency_us") {
            if (!parseNumber(value, s.latencyMicros))
                return std::nullopt;
        } else if (key == "trace") {
            s.trace = value == "1";
        } else if (key == "memory_generation") {
            if (!parseNumber(value, s.memoryGeneration))
                return std::nullopt;
        } else if (key == "demo") {
            s.demo = value == "1";
        } else if (key == "demo_next_key") {
            if (!parseNumber(value, s.demoNextKey))
                return std::nullopt;
        } else if (key == "capture_started_ms") {
            if (!parseNumber(value, s.captureStartedMillis))
                return std::nullopt;
        } else if (key == "sent") {
            s.sentCaptures.push_back(value);
        } else if (key.rfind("fail.", 0) == 0) {
            const auto op = operationFromName(key.substr(5));
            std::string numbers = value;
            FailRule rule;
            constexpr std::string_view kUnplug = ",unplug";
            if (numbers.size() > kUnplug.size() && numbers.ends_with(kUnplug)) {
                rule.unplug = true;
                numbers.resize(numbers.size() - kUnplug.size());
            }
            const auto comma = numbers.find(',');
            if (!op || comma == std::string::npos || !parseNumber(numbers.substr(0, comma), rule.skip) ||
                !parseNumber(numbers.substr(comma + 1), rule.count))
                return std::nullopt;
            s.failures[*op] = rule;
        } else if (key.rfind("overlay.", 0) == 0) {
            unsigned address = 0;
            if (!parseNumber(key.substr(8), address, 16) || address >= kMemorySize || value.size() != 2)
                return std::nullopt;
            s.textOverlay[address] = value;
        } else {
            return std::nullopt;
        }
    }
    if (!sawAttached)
        return std::nullopt;
    return s;
}

} // namespace emu
