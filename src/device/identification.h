// Deciding at start-up whether the attached remote is one this configurator supports.
#pragma once

#include "model/identitycheck.h"

namespace device {

// Reads the version and the identification block from the remote and checks both.
model::Identification identifyDevice();

} // namespace device
