#include "memorycopy.h"

#include "devicelink.h"
#include "layoutio.h"

#include "model/wire.h"

namespace device {

namespace {

constexpr unsigned kBlocksPerRead = 64;

} // namespace

MemoryRead readWholeMemory(const ProgressReport& progress) {
    MemoryRead result;
    const unsigned reads = model::kMemoryEnd / (8 * kBlocksPerRead);
    result.memoryText.reserve(2 * model::kMemoryEnd);
    for (unsigned r = 0; r < reads; ++r) {
        const unsigned address = r * 8 * kBlocksPerRead;
        const std::string text = link::readData(address, kBlocksPerRead, model::kStartupBlockUnit,
                                                wire::kCharsPerBlock * kBlocksPerRead);
        if (text.size() < 16 * kBlocksPerRead) {
            result.memoryText.clear();
            result.failedAt = address;
            return result;
        }
        result.memoryText.append(text, 0, 16 * kBlocksPerRead);
        if (progress)
            progress(r + 1, reads);
    }
    return result;
}

std::size_t writeInOrder(const std::string& blockUnit, const std::vector<model::MemoryWrite>& writes,
                         const ProgressReport& progress) {
    for (std::size_t n = 0; n < writes.size(); ++n) {
        if (!link::writeData(blockUnit, writes[n].address, writes[n].hexData))
            return n;
        if (progress)
            progress(n + 1, writes.size());
    }
    return writes.size();
}

RepairWriting writeRepair(const model::DeviceLayout& layout, const model::RepairPlan& plan) {
    RepairWriting done;
    if (!layout.complete)
        return done;
    for (const model::EmptiedKey& key : plan.emptiedKeys) {
        if (!link::writeData(layout.deviceBlockUnit,
                             model::slotAddress(layout, static_cast<unsigned>(key.slot)), "00"))
            return done;
        ++done.keysEmptied;
    }
    if (plan.writesIndex()) {
        if (!writeIndexState(plan.layout))
            return done;
        done.indexWritten = true;
    }
    done.complete = true;
    return done;
}

} // namespace device
