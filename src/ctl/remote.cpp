#include "remote.h"

#include "device/devicelink.h"
#include "device/identification.h"
#include "device/layoutio.h"
#include "model/hextext.h"
#include "model/wire.h"

namespace ctl {

namespace {

std::string firmwareOf(const std::string& block) {
    const auto major = model::byteAt(block, 2 * wire::kVersionMajorOffset + 1);
    const auto minor = model::byteAt(block, 2 * wire::kVersionMinorOffset + 1);
    if (!major || !minor)
        return "unknown";
    return std::to_string(*major) + "." + std::to_string(*minor);
}

} // namespace

std::optional<Remote> openRemote(const Console& console, bool withLayout) {
    if (!device::link::attached()) {
        console.fail(kNoRemote, "no remote is attached; check the USB cable");
        return std::nullopt;
    }
    const model::Identification id = device::identifyDevice();
    const std::string block = device::readIdentificationBlock();
    Remote remote;
    remote.identity = id.identity;
    remote.model = block.size() >= 2 * wire::kModelOffset + 4 ? block.substr(2 * wire::kModelOffset, 4) : "";
    remote.firmware = firmwareOf(block);
    switch (id.outcome) {
    case model::IdentifyOutcome::Accepted:
        break;
    case model::IdentifyOutcome::Refused:
        console.fail(kNoRemote, "the attached remote (model " + remote.model + ", firmware " +
                                    remote.firmware + ") is not one this program supports");
        return std::nullopt;
    case model::IdentifyOutcome::NoBasicInformation:
        console.fail(kNoRemote, "the remote does not answer; check the USB cable");
        return std::nullopt;
    case model::IdentifyOutcome::UnreadableVersion:
        console.fail(kNoRemote, "the remote's firmware version cannot be read");
        return std::nullopt;
    }
    if (!withLayout)
        return remote;
    remote.read = device::readDeviceLayout();
    if (remote.read.failure) {
        console.fail(kNoRemote, "the remote's memory layout cannot be read; check the USB cable");
        return std::nullopt;
    }
    return remote;
}

int sameRemoteStatus(const Remote& remote, const Console& console) {
    switch (device::checkSameRemote(remote.identity)) {
    case device::RemoteCheck::Same:
        return kDone;
    case device::RemoteCheck::Absent:
        return console.fail(kNoRemote, "the remote went away; nothing was written");
    case device::RemoteCheck::Other:
        break;
    }
    return console.fail(kRefused, "another remote is attached now; nothing was written");
}

} // namespace ctl
