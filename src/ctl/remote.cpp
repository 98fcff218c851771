#include "remote.h"
#include "makertexts.h"

#include "device/devicelink.h"
#include "device/identification.h"
#include "model/hextext.h"

namespace ctl {

std::optional<Remote> openRemote(const Console& console, bool withLayout) {
    device::RemoteOpening opening = device::openRemote(withLayout);
    if (!opening.failure)
        return std::move(opening.remote);
    const Remote& remote = opening.remote;
    switch (*opening.failure) {
    case device::OpenFailure::NotAttached:
        console.fail(kNoRemote, noRemoteText());
        break;
    case device::OpenFailure::Unsupported:
        console.fail(kNoRemote, "the attached remote (model " + remote.model + ", firmware " +
                                    remote.firmware + ") is not one this program supports");
        break;
    case device::OpenFailure::NoAnswer:
        console.fail(kNoRemote, "the remote does not answer; check the USB cable");
        break;
    case device::OpenFailure::UnreadableVersion:
        console.fail(kNoRemote, "the remote's firmware version cannot be read");
        break;
    case device::OpenFailure::LayoutUnreadable:
        console.fail(kNoRemote, "the remote's memory layout cannot be read; check the USB cable");
        break;
    }
    return std::nullopt;
}

int sameRemoteStatus(const Remote& remote, const Console& console) {
    return remoteCheckStatus(device::checkSameRemote(remote.identity), console);
}

int remoteCheckStatus(device::RemoteCheck check, const Console& console) {
    switch (check) {
    case device::RemoteCheck::Same:
        return kDone;
    case device::RemoteCheck::Absent:
        return console.fail(kNoRemote, "the remote went away; nothing was written");
    case device::RemoteCheck::Other:
        break;
    }
    return console.fail(kRefused, "another remote is attached now; nothing was written");
}

int roomNotFreedStatus(const std::string& done, unsigned address, const Console& console) {
    const std::string text = done + ", but the remote could not be written at " +
                             model::formatHex(address, 4) +
                             " to free the old code's room; the next change frees it, or 'qtm418ctl repair'";
    if (!device::link::attached())
        return console.fail(kNoRemote, text + "; the remote went away");
    return console.fail(kRefused, text);
}

} // namespace ctl
