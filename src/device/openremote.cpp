#include "openremote.h"

#include "devicelink.h"
#include "identification.h"
#include "layoutio.h"

#include "model/hextext.h"
#include "model/wire.h"

namespace device {

namespace {

std::string firmwareOf(const std::string& block) {
    const auto major = model::byteAt(block, 2 * wire::kVersionMajorOffset + 1);
    const auto minor = model::byteAt(block, 2 * wire::kVersionMinorOffset + 1);
    if (!major || !minor)
        return "unknown";
    return std::to_string(*major) + "." + std::to_string(*minor);
}

} // namespace

RemoteOpening openRemote(bool withLayout) {
    RemoteOpening opening;
    if (!link::attached()) {
        opening.failure = OpenFailure::NotAttached;
        return opening;
    }
    const model::Identification id = identifyDevice();
    const std::string block = readIdentificationBlock();
    OpenedRemote& remote = opening.remote;
    remote.identity = id.identity;
    remote.model = block.size() >= 2 * wire::kModelOffset + 4 ? block.substr(2 * wire::kModelOffset, 4) : "";
    remote.firmware = firmwareOf(block);
    switch (id.outcome) {
    case model::IdentifyOutcome::Accepted:
        break;
    case model::IdentifyOutcome::Refused:
        opening.failure = OpenFailure::Unsupported;
        return opening;
    case model::IdentifyOutcome::NoBasicInformation:
        opening.failure = OpenFailure::NoAnswer;
        return opening;
    case model::IdentifyOutcome::UnreadableVersion:
        opening.failure = OpenFailure::UnreadableVersion;
        return opening;
    }
    if (withLayout) {
        remote.read = readDeviceLayout();
        if (remote.read.failure)
            opening.failure = OpenFailure::LayoutUnreadable;
    }
    return opening;
}

} // namespace device
