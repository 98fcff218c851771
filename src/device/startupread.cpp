#include "startupread.h"

#include "devicelink.h"
#include "identification.h"
#include "layoutio.h"

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

} // namespace device
