// The virtual remote's seven operations, as the device library's exports call them.
#include "virtualoperations.h"

#include "devicestore.h"
#include "firmware.h"
#include "ir/capturewords.h"
#include "model/wire.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using namespace emu;

// Roughly what a USB full-speed exchange costs: a frame per call and a little per block.
constexpr unsigned kMicrosPerBlockDivisor = 20;
constexpr unsigned kCapturePollFactor = 5;

struct Outcome {
    bool ok = false;
    unsigned changes = NoChange;
};

std::mutex& storesMutex() {
    static std::mutex mutex;
    return mutex;
}

// One store per device folder, so the memory image is cached between calls.
DeviceStore& storeFor(const std::filesystem::path& folder) {
    static std::map<std::filesystem::path, std::unique_ptr<DeviceStore>> stores;
    auto& slot = stores[folder];
    if (!slot)
        slot = std::make_unique<DeviceStore>(folder);
    return *slot;
}

void appendTrace(const std::filesystem::path& folder, Operation op, const std::string& detail,
                 const char* result) {
    std::ofstream log(folder / "exchanges.log", std::ios::app);
    log << operationName(op) << (detail.empty() ? "" : " ") << detail << " -> " << result << '\n';
}

// Runs one operation on the attached remote, applying scripted failures, then waits as long as
// the exchange would take on the cable. `blocks` is the number of 8-byte blocks moved; `detail`
// names the arguments in the exchange log.
template <typename Body>
unsigned char exchange(Operation op, unsigned long blocks, const std::string& detail, Body&& body) {
    bool ok = false;
    unsigned latency = 0;
    {
        std::lock_guard<std::mutex> guard(storesMutex());
        DeviceStore& store = storeFor(DeviceStore::defaultFolder());
        bool trace = false;
        bool attached = false;
        store.transact([&](Device& device) -> unsigned {
            latency = device.settings.latencyMicros;
            trace = device.settings.trace;
            attached = device.settings.attached;
            if (!device.settings.attached)
                return NoChange;
            unsigned changes = NoChange;
            auto rule = device.settings.failures.find(op);
            if (rule != device.settings.failures.end()) {
                changes |= SettingsChanged;
                FailRule& r = rule->second;
                bool fail = false;
                if (r.skip > 0) {
                    --r.skip;
                } else if (r.count > 0) {
                    --r.count;
                    fail = true;
                }
                if (fail && r.unplug) {
                    device.settings.attached = attached = false;
                    device.settings.failures.erase(rule);
                    return changes;
                }
                if (r.skip == 0 && r.count == 0)
                    device.settings.failures.erase(rule);
                if (fail)
                    return changes;
            }
            Outcome outcome = body(device);
            ok = outcome.ok;
            return changes | outcome.changes;
        });
        if (trace)
            appendTrace(store.folder(), op, detail, ok ? "ok" : attached ? "failed" : "detached");
    }
    if (latency > 0) {
        unsigned long micros = latency + blocks * latency / kMicrosPerBlockDivisor;
        if (op == Operation::CollectCode)
            micros = static_cast<unsigned long>(latency) * kCapturePollFactor;
        std::this_thread::sleep_for(std::chrono::microseconds(micros));
    }
    return ok ? 1 : 0;
}

std::optional<unsigned> parseAddress(const char* high, const char* low) {
    const auto h = parseByteText(high);
    const auto l = parseByteText(low);
    if (!h || !l)
        return std::nullopt;
    return *h * 256 + *l;
}

std::string text(const char* argument) { return argument ? argument : "(null)"; }

bool isDeviceBlockUnit(const char* unit) {
    const auto value = parseByteText(unit);
    return value && *value == 8;
}

} // namespace

namespace emu::operations {

unsigned char linkState() {
    return exchange(Operation::LinkState, 0, {}, [](Device&) { return Outcome{true, NoChange}; });
}

unsigned char readVersion(char* buffer) {
    return exchange(Operation::ReadVersion, 0, {}, [buffer](Device& device) {
        if (!buffer)
            return Outcome{};
        const std::string text = versionText(device);
        std::memcpy(buffer, text.data(), text.size());
        return Outcome{true, NoChange};
    });
}

unsigned char basicInfo(char* buffer) {
    return exchange(Operation::RBasicInfo, 6, {}, [buffer](Device& device) {
        if (!buffer)
            return Outcome{};
        const std::string text = basicInformation(device);
        std::memcpy(buffer, text.data(), std::min(text.size(), wire::kBasicInfoBufferSize));
        return Outcome{true, NoChange};
    });
}

unsigned char readData(char* buffer, std::int32_t blockCount, const char* addrHigh, const char* addrLow,
                       const char* blockUnit) {
    const unsigned long blocks = blockCount > 0 ? static_cast<unsigned long>(blockCount) : 0;
    const std::string detail =
        text(addrHigh) + text(addrLow) + ' ' + std::to_string(blockCount) + ' ' + text(blockUnit);
    return exchange(Operation::ReadData, blocks, detail, [&](Device& device) {
        const auto address = parseAddress(addrHigh, addrLow);
        if (!buffer || !address || !isDeviceBlockUnit(blockUnit))
            return Outcome{};
        const auto text = readBlocks(device, *address, blockCount);
        if (!text)
            return Outcome{};
        std::memcpy(buffer, text->data(), text->size());
        return Outcome{true, NoChange};
    });
}

unsigned char writeData(const char* blockUnit, const char* addrHigh, const char* addrLow, const char* data) {
    const std::size_t length = data ? std::strlen(data) : 0;
    const std::string detail = text(addrHigh) + text(addrLow) + ' ' + text(blockUnit) + ' ' + text(data);
    return exchange(Operation::WriteData, (length / 2 + 7) / 8, detail, [&](Device& device) {
        const auto address = parseAddress(addrHigh, addrLow);
        if (!data || !address || !isDeviceBlockUnit(blockUnit))
            return Outcome{};
        if (!writeHex(device, *address, std::string_view(data, length)))
            return Outcome{};
        return Outcome{true, MemoryChanged};
    });
}

unsigned char setCarrier() {
    return exchange(Operation::SetCarrier, 0, {}, [](Device& device) {
        startCapture(device, wallClockMillis());
        return Outcome{true, SettingsChanged};
    });
}

unsigned char collectCode(char* buffer) {
    return exchange(Operation::CollectCode, 0, {}, [buffer](Device& device) {
        if (!buffer)
            return Outcome{};
        const auto record = pollCapture(device, wallClockMillis());
        if (!record)
            return Outcome{};
        std::memcpy(buffer, record->data(), std::min(record->size(), wire::kCaptureBufferSize));
        return Outcome{true, SettingsChanged};
    });
}

} // namespace emu::operations
