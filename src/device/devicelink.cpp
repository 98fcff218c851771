#include "devicelink.h"

#include "kestrio.h"
#include "model/hextext.h"
#include "model/wire.h"

#include <algorithm>
#include <vector>

namespace device::link {

namespace {

std::string bufferText(bool ok, const std::vector<char>& buffer) {
    return ok ? std::string(buffer.data(), buffer.size()) : std::string();
}

} // namespace

bool attached() { return link_state() != 0; }

std::string readVersion() {
    std::vector<char> buffer(wire::kVersionBufferSize, 0);
    const bool ok = ReadVersion(buffer.data()) != 0;
    return bufferText(ok, buffer);
}

std::string basicInformation() {
    std::vector<char> buffer(wire::kBasicInfoBufferSize, 0);
    const bool ok = RBasicInfo(buffer.data()) != 0;
    return bufferText(ok, buffer);
}

std::string readData(unsigned address, int blockCount, const std::string& blockUnit, std::size_t bufferSize) {
    const auto at = model::splitAddress(address);
    if (blockCount <= 0 || !at)
        return {};
    const std::size_t size =
        std::max(bufferSize, wire::kCharsPerBlock * static_cast<std::size_t>(blockCount));
    std::vector<char> buffer(size, 0);
    const bool ok =
        readdatav20(buffer.data(), blockCount, at->high.c_str(), at->low.c_str(), blockUnit.c_str()) != 0;
    return bufferText(ok, buffer);
}

bool writeData(const std::string& blockUnit, unsigned address, const std::string& hexData) {
    // An address the remote does not have is a failed write, never a write somewhere else.
    const auto at = model::splitAddress(address);
    return at && writedatav20(blockUnit.c_str(), at->high.c_str(), at->low.c_str(), hexData.c_str()) != 0;
}

bool setCodeCarrierWave() { return SetCodeCarrierWave() != 0; }

std::string collectCodeInfo() {
    std::vector<char> buffer(wire::kCaptureBufferSize, 0);
    const bool ok = RCollectCodeInfo(buffer.data()) != 0;
    return bufferText(ok, buffer);
}

} // namespace device::link
