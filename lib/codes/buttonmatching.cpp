#include "buttonmatching.h"

#include "model/keynames.h"

#include <algorithm>

namespace codes {

ButtonMatching matchButtons(const std::vector<NamedSignal>& fileSignals, std::string_view side) {
    ButtonMatching matching;
    for (const NamedSignal& signal : fileSignals) {
        if (signal.unusable) {
            matching.unusable.push_back(*signal.unusable);
            continue;
        }
        const auto number = model::keyForButton(side, signal.name);
        const bool taken =
            number && std::any_of(matching.matches.begin(), matching.matches.end(),
                                  [&](const ButtonMatch& match) { return match.keyNumber == *number; });
        if (!number || taken) {
            matching.unmatched.push_back(&signal);
            continue;
        }
        matching.matches.push_back({*number, &signal});
    }
    return matching;
}

} // namespace codes
