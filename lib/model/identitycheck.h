// The start-up checks on the remote's version text and identification block: is it a remote this
// configurator supports?
#pragma once

#include "messagestyle.h"

#include <optional>
#include <string>

namespace model {

// The maker's web site, named in the messages that send the user for newer software or firmware.
inline constexpr const char* kMakerWebSite = "www.qtm418-remote.example.com";

struct Notice {
    MessageStyle style;
    std::string text; // UTF-8
};

enum class IdentifyOutcome {
    Accepted,           // model 100R, version 1.3: go on and read the memory layout
    Refused,            // unsupported remote, firmware or software: the window closes at once
    NoBasicInformation, // the identification block could not be read: the window opens empty
    UnreadableVersion,  // the version bytes are not hex: reported, the window opens empty
};

struct Identification {
    IdentifyOutcome outcome = IdentifyOutcome::Refused;
    std::string identity;             // characters 1-30 of the basic-information block, once read
    bool showFirmwareVersion = false; // the identity was taken, so the firmware label is set
    std::optional<Notice> notice;
};

// The message for a version text other than "1020..." (letter case aside); nullopt when it passes.
std::optional<Notice> checkVersionText(const std::string& versionText);

// The checks on the basic-information block, in their fixed order.
Identification checkBasicInformation(const std::string& basicInformation);

} // namespace model
