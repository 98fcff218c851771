#include "identification.h"

#include "devicelink.h"
#include "model/wire.h"

namespace device {

model::Identification identifyDevice() {
    if (auto notice = model::checkVersionText(link::readVersion())) {
        model::Identification id;
        id.notice = std::move(notice);
        return id;
    }
    return model::checkBasicInformation(
        link::readData(wire::kIdentificationAddress, 6, "08", wire::kBasicInfoBufferSize));
}

} // namespace device
