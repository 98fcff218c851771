#include "startupread.h"

#include "devicelink.h"
#include "identification.h"
#include "layoutio.h"

#include <system_error>

namespace device {

StartupRead readAtStartup() {
    StartupRead read;
    read.attached = link::attached();
    if (!read.attached)
        return read;
    read.identification = identifyDevice();
    if (read.identification->outcome == model::IdentifyOutcome::Accepted && !read.identification->notice)
        read.layout = readDeviceLayout();
    return read;
}

std::future<StartupRead> startReadingAtStartup() {
    try {
        return std::async(std::launch::async, readAtStartup);
    } catch (const std::system_error&) {
        return {};
    }
}

} // namespace device
