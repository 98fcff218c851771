#include "firmware.h"

#include "demoremote.h"
#include "ir/capturewords.h"
#include "model/hextext.h"
#include "model/wire.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace emu {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

} // namespace

std::optional<unsigned> parseByteText(const char* text) {
    if (!text || std::strlen(text) != 2)
        return std::nullopt;
    return model::parseHex(text);
}

std::optional<std::string> readBlocks(const Device& device, unsigned address, long blockCount) {
    if (blockCount <= 0 || address >= kMemorySize)
        return std::nullopt;
    const auto bytes = static_cast<unsigned long>(blockCount) * 8;
    if (bytes > kMemorySize - address)
        return std::nullopt;
    std::string text;
    text.reserve(bytes * 2);
    for (unsigned long i = 0; i < bytes; ++i) {
        const unsigned at = address + static_cast<unsigned>(i);
        const std::uint8_t value = device.memory[at];
        text += kHexDigits[value >> 4];
        text += kHexDigits[value & 15];
    }
    const auto render = [&](unsigned at, const std::string& chars) {
        if (at >= address && at - address < bytes && chars.size() == 2)
            text.replace(2 * (at - address), 2, chars);
    };
    for (const auto& [at, chars] : device.settings.textOverlay)
        render(at, chars);
    const std::string& model = device.settings.model;
    if (model.size() == 4) {
        render(wire::kIdentificationAddress + wire::kModelOffset, model.substr(0, 2));
        render(wire::kIdentificationAddress + wire::kModelOffset + 1, model.substr(2, 2));
    }
    return text;
}

bool writeHex(Device& device, unsigned address, std::string_view data) {
    if (data.empty() || data.size() % 2 != 0 || address >= kMemorySize ||
        data.size() / 2 > kMemorySize - address)
        return false;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(data.size() / 2);
    for (std::size_t i = 0; i < data.size(); i += 2) {
        const auto byte = model::parseHex(data.substr(i, 2));
        if (!byte)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(*byte));
    }
    std::copy(bytes.begin(), bytes.end(), device.memory.begin() + address);
    return true;
}

std::string versionText(const Device& device) {
    return device.settings.versionText.substr(0, wire::kVersionBufferSize);
}

std::string basicInformation(const Device& device) {
    return readBlocks(device, wire::kIdentificationAddress, 6).value();
}

std::string identityText(const Device& device) {
    return basicInformation(device).substr(0, 2 * wire::kIdentityBytes);
}

std::int64_t wallClockMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

void startCapture(Device& device, std::int64_t nowMillis) {
    device.settings.captureStartedMillis = nowMillis;
}

std::optional<std::string> pollCapture(Device& device, std::int64_t nowMillis) {
    DeviceSettings& s = device.settings;
    if (s.captureStartedMillis == 0)
        return std::nullopt;
    std::string record;
    if (!s.sentCaptures.empty()) {
        record = std::move(s.sentCaptures.front());
        s.sentCaptures.erase(s.sentCaptures.begin());
    } else if (s.demo && nowMillis - s.captureStartedMillis >= kDemoDelayMillis) {
        record = ir::captureRecord(demoRemoteKey(s.demoNextKey));
        s.demoNextKey = (s.demoNextKey + 1) % kDemoKeyCount;
    } else {
        return std::nullopt;
    }
    s.captureStartedMillis = 0;
    return record;
}

} // namespace emu
