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
    return model::checkBasicInformation(readIdentificationBlock());
}

std::string readIdentificationBlock() {
    return link::readData(wire::kIdentificationAddress, 6, "08", wire::kBasicInfoBufferSize);
}

RemoteCheck checkSameRemote(const std::string& identity) {
    if (!link::attached())
        return RemoteCheck::Absent;
    const std::string info = link::basicInformation();
    if (info.size() < identity.size())
        return RemoteCheck::Absent;
    return !identity.empty() && info.compare(0, identity.size(), identity) == 0 ? RemoteCheck::Same
                                                                                : RemoteCheck::Other;
}

} // namespace device
