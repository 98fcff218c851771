#include "layoutio.h"

#include "devicelink.h"

namespace device {

namespace {

std::string startupRead(unsigned address, int blocks, std::size_t bufferChars) {
    return link::readData(address, blocks, model::kStartupBlockUnit, bufferChars);
}

} // namespace

model::LayoutRead readDeviceLayout() { return model::readLayout(startupRead); }

model::LayoutFindings inspectDeviceLayout() { return model::inspectLayout(startupRead); }

bool writeIndexState(const model::DeviceLayout& layout) {
    if (!layout.complete)
        return false;
    return link::writeData(layout.deviceBlockUnit, layout.blockMapAddress,
                           model::packBlockMap(layout.blockMap) + layout.codeIndexText);
}

} // namespace device
