// The attached remote as the window finds it at start-up: identified, then its memory layout
// read with the start-up read. The command line and the window's menus open it this way.
#pragma once

#include "model/memorylayout.h"

#include <optional>
#include <string>

namespace device {

struct OpenedRemote {
    std::string identity; // the first 30 characters of its identification block
    std::string model;    // "100R"
    std::string firmware; // "1.3"
    model::LayoutRead read;
};

enum class OpenFailure {
    NotAttached,       // no remote on the cable
    Unsupported,       // identified, but not a remote this program supports
    NoAnswer,          // the basic information cannot be read
    UnreadableVersion, // the firmware version cannot be read
    LayoutUnreadable,  // identified, but its memory layout cannot be read
};

struct RemoteOpening {
    std::optional<OpenFailure> failure;
    OpenedRemote remote; // identity, model and firmware as far as they were read
};

// Opens the attached remote; its layout is left unread unless `withLayout`.
RemoteOpening openRemote(bool withLayout);

} // namespace device
