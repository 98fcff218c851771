// The memory layout read: a whole 64 KiB memory image of the virtual remote, read as the
// configurator's start-up reads it (block unit 08, its buffer sizes), and the layout checks on
// the same image. The input patches an empty image, again and again: an address (two bytes, high
// first), a length (one byte) and that many bytes, so the fuzzer reaches every byte of memory
// without carrying all 64 KiB. What must hold: a layout the read accepts as complete has every
// area inside memory by the layout checks too; one whose areas the checks find outside memory is
// refused. The preset table alone may name more entries than memory holds: the read takes only
// the 160 it reads, and nothing is ever written there.
#include "fuzzcheck.h"

#include "kestrio/device.h"
#include "kestrio/layoutdump.h"
#include "model/layoutcheck.h"
#include "model/memorylayout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

emu::Device imageOf(const std::uint8_t* data, std::size_t size) {
    emu::Device device;
    std::size_t at = 0;
    while (at + 3 <= size) {
        const std::size_t address = std::size_t{data[at]} << 8 | data[at + 1];
        const std::size_t length = std::min<std::size_t>(data[at + 2], size - at - 3);
        const std::size_t fits = std::min(length, emu::kMemorySize - address);
        std::copy(data + at + 3, data + at + 3 + fits, device.memory.begin() + address);
        at += 3 + length;
    }
    return device;
}

bool runsPastMemory(const model::LayoutFinding& violation) {
    return violation.fault == model::LayoutFault::PastMemory &&
           violation.area != model::LayoutArea::PresetTable;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const emu::Device device = imageOf(data, size);
    const model::LayoutRead read = model::readLayout(emu::memoryReader(device));
    const model::LayoutFindings findings = model::inspectLayout(emu::memoryReader(device));
    if (!read.layout.complete) {
        fuzzCheck(read.failure.has_value(), "a layout the read refuses says why");
        return 0;
    }
    fuzzCheck(!findings.unreadable, "the checks read every area of an accepted layout");
    fuzzCheck(std::none_of(findings.violations.begin(), findings.violations.end(), runsPastMemory),
              "an accepted layout has every area inside memory");
    fuzzCheck(read.keyTable.size() == read.layout.keySlotCount, "an accepted layout has a key per slot");
    return 0;
}
