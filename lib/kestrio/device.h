// The virtual QTM-418 as data: its settings and its 64 KiB memory image.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace emu {

constexpr std::size_t kMemorySize = 0x10000;
using Memory = std::vector<std::uint8_t>;

// The seven operations of the device library, as named in the `fail` command.
enum class Operation { LinkState, ReadVersion, RBasicInfo, ReadData, WriteData, SetCarrier, CollectCode };
constexpr std::array<Operation, 7> kOperations = {
    Operation::LinkState, Operation::ReadVersion, Operation::RBasicInfo, Operation::ReadData,
    Operation::WriteData, Operation::SetCarrier,  Operation::CollectCode};
const char* operationName(Operation op);
std::optional<Operation> operationFromName(const std::string& name);

// Scripted failures of one operation: after `skip` more successful calls, the next `count` fail.
// With `unplug`, the cable comes out at the first of them instead: it and every later call of any
// operation find no remote until it is plugged in again.
struct FailRule {
    unsigned skip = 0;
    unsigned count = 0;
    bool unplug = false;
};

struct DeviceSettings {
    bool attached = true;
    std::string profile = "factory";
    // The firmware renders the model field (bytes 35-36 of the identification block) as these
    // four characters from its ROM, not as hex.
    std::string model = "100R";
    std::string versionText;
    unsigned latencyMicros = 1000;
    bool trace = false; // append every exchange to exchanges.log
    std::uint64_t memoryGeneration = 0;
    std::map<Operation, FailRule> failures;
    // Bytes the firmware answers with other characters than their hex digits: address -> 2 chars.
    std::map<unsigned, std::string> textOverlay;
    // With nothing sent, a capture receives a key of the built-in demo remote; a new remote has it on.
    bool demo = true;
    unsigned demoNextKey = 0;
    // When capture mode began, in milliseconds of the wall clock (shared by every process); 0: off.
    std::int64_t captureStartedMillis = 0;
    // Capture records sent towards the remote, received in this order by the next captures.
    std::vector<std::string> sentCaptures;
};

struct Device {
    DeviceSettings settings;
    Memory memory = Memory(kMemorySize, 0);
};

std::string serializeSettings(const DeviceSettings& settings);
std::optional<DeviceSettings> parseSettings(const std::string& text);

} // namespace emu
