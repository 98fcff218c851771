// The key a command line names, checked against the remote's key table.
#pragma once

#include "console.h"

#include "model/keytable.h"

#include <optional>
#include <string>

namespace ctl {

struct NamedKey {
    std::string keyNumber;
    std::string label; // "04 (TV/Up)"
};

// Key `keyNumber` with its label.
NamedKey labelledKey(const std::string& keyNumber);

// The key `given` names; nullopt after saying it names none.
std::optional<NamedKey> namedKey(const std::string& given, const Console& console);

} // namespace ctl
