// A protocol key named as code collections name it: its protocol, address and command, in the
// numbering of the capture tool those collections were made with.
#pragma once

#include "protocols.h"

#include <optional>
#include <string_view>

namespace ir {

struct AddressCommand {
    unsigned long address = 0;
    unsigned long command = 0;
};

// The address and command of a key.
AddressCommand addressAndCommand(const ProtocolCode& code);

// The key of `protocol` with that address and command, sent with the protocol's own timing;
// nullopt when either does not fit the protocol's fields.
std::optional<ProtocolCode> codeFor(Protocol protocol, AddressCommand key);

// The protocol of that name, letter case aside; nullopt for a protocol the remote has no preset of.
std::optional<Protocol> protocolNamed(std::string_view name);

} // namespace ir
