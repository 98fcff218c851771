// Keys known only by their protocol and numbers (device, subdevice, function), as the IRDB
// collection lists them: rendered from the protocol's own timing into what the remote of that
// protocol sends, pressed and held.
#pragma once

#include "fileproblem.h"
#include "ir/frames.h"
#include "ir/timings.h"

#include <string>
#include <string_view>
#include <variant>

namespace codes {

constexpr long kNoSubdevice = -1;

struct ProtocolKey {
    long device = 0;
    long subdevice = kNoSubdevice;
    long function = 0;
};

// What a key of the protocol sends: the frames of a press in order, those from `repeatFrom` on
// again while it is held, at least `minimumFrames` however short the press. The protocol is named
// letter case and separators aside ("NEC1-f16", "nec1f16"). Else why it cannot be rendered: a
// protocol not rendered here, or a number that does not fit it.
std::variant<ir::Transmission, FileProblem> renderProtocol(std::string_view protocol, const ProtocolKey& key);

// One press of the key as its remote held briefly sends it, the way learning would capture it:
// the frames sent once, then the repeating ones twice (or as often as the protocol's remotes
// always send them), so the remote sees what repeats while the key is held.
std::variant<ir::Signal, FileProblem> renderPress(std::string_view protocol, const ProtocolKey& key);

} // namespace codes
