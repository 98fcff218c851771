#include "keyarguments.h"

#include "keynames.h"

namespace ctl {

std::optional<NamedKey> namedKey(const std::string& given, const Console& console) {
    const auto number = keyNumberOf(given);
    if (!number) {
        console.fail(kNoRemote, "no key is named \"" + given + "\"; name one by number (04) or name (TV/Up)");
        return std::nullopt;
    }
    return NamedKey{*number, *number + " (" + keyLabel(*number) + ")"};
}

} // namespace ctl
