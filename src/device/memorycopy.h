// The whole memory read and written back, and the writes of a repair: the exchanges behind
// backup, restore and repair.
#pragma once

#include "model/repairplan.h"
#include "model/restoreplan.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace device {

// Told how far a long exchange has come: `done` of `total` steps.
using ProgressReport = std::function<void(std::size_t done, std::size_t total)>;

struct MemoryRead {
    std::string memoryText;           // 2 characters per byte, 0x0000 to 0xFFFF, when every read succeeded
    std::optional<unsigned> failedAt; // the address of the read that failed
};

// Reads the whole memory with the start-up block unit, 64 blocks at a time.
MemoryRead readWholeMemory(const ProgressReport& progress);

// Writes `writes` in order, stopping at the first that fails; how many succeeded.
std::size_t writeInOrder(const std::string& blockUnit, const std::vector<model::MemoryWrite>& writes,
                         const ProgressReport& progress);

struct RepairWriting {
    std::size_t keysEmptied = 0;
    bool indexWritten = false;
    bool complete = false;
};

// Empties each key of the plan (its flag byte), then writes the rebuilt map with the index in
// one write: no key ever refers to an entry this frees. Stops at the first write that fails.
RepairWriting writeRepair(const model::DeviceLayout& layout, const model::RepairPlan& plan);

} // namespace device
