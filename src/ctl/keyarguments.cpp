#include "keyarguments.h"

#include "model/keynames.h"

namespace ctl {

NamedKey labelledKey(const std::string& keyNumber) {
    return NamedKey{keyNumber, keyNumber + " (" + model::keyLabel(keyNumber) + ")"};
}

std::optional<NamedKey> namedKey(const std::string& given, const Console& console) {
    const auto number = model::keyNumberOf(given);
    if (!number) {
        console.fail(kNoRemote, "no key is named \"" + given + "\"; name one by number (04) or name (TV/Up)");
        return std::nullopt;
    }
    return labelledKey(*number);
}

} // namespace ctl
