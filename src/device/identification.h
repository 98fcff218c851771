// Deciding at start-up whether the attached remote is one this configurator supports.
#pragma once

#include "model/identitycheck.h"

#include <string>

namespace device {

// Reads the version and the identification block from the remote and checks both.
model::Identification identifyDevice();

// The identification block as the remote answers it (6 blocks at its fixed address); empty when
// the read fails.
std::string readIdentificationBlock();

enum class RemoteCheck { Same, Absent, Other };

// Whether the remote attached now is the one identified as `identity` (the first 30 characters of
// its identification block), as the link monitor tells a returning remote.
RemoteCheck checkSameRemote(const std::string& identity);

} // namespace device
