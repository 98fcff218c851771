// A code file's buttons matched to the keys of one side of the remote by their usual names, as
// learning a whole side from one file needs them.
#pragma once

#include "signalfile.h"

#include <string>
#include <string_view>
#include <vector>

namespace codes {

struct ButtonMatch {
    std::string keyNumber;
    const NamedSignal* signal = nullptr; // into the signals matched
};

struct ButtonMatching {
    std::vector<ButtonMatch> matches;          // in the file's order
    std::vector<const NamedSignal*> unmatched; // signals no key of the side takes, into the signals matched
    std::vector<FileProblem> unusable;         // why a well-formed signal cannot be learned
};

// Matches `fileSignals` to the keys of side `side` ("tv" or "cbl"); a key a second button also names
// keeps the first.
ButtonMatching matchButtons(const std::vector<NamedSignal>& fileSignals, std::string_view side);

} // namespace codes
