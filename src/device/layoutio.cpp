#include "layoutio.h"

#include "devicelink.h"

namespace device {

LayoutRead readDeviceLayout() {
    return readLayout([](unsigned address, int blocks, std::size_t bufferChars) {
        return link::readData(address, blocks, kStartupBlockUnit, bufferChars);
    });
}

bool writeIndexState(const DeviceLayout& layout) {
    if (!layout.complete)
        return false;
    return link::writeData(layout.deviceBlockUnit, layout.blockMapAddress,
                           packBlockMap(layout.blockMap) + layout.codeIndexText);
}

} // namespace device
