// The code sets of a maker that send the Power code the device responded to, told apart on the
// device itself: one more key is given the code one of them sends for it, down the usual learning
// path, the owner presses it and answers, and the sets the answer rules out go; until one stays or
// the owner has had enough. The keys tried end holding what the set taken sends for them.
#pragma once

#include "signallearning.h"

#include "codes/librarysearch.h"
#include "codes/signalfile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace device {

enum class KeyAnswer {
    Responded,
    NotResponded,
    Enough, // no more keys: the first set still in question is taken
    Stop,   // no set is taken
};

struct KeyTry {
    std::string keyNumber;
    std::string button;      // the set's name for it
    std::size_t setAt = 0;   // into the candidates: the set whose code the key holds now
    std::size_t among = 0;   // the sets still in question
    std::size_t sending = 0; // of those, the ones that send that code for the key
    std::size_t number = 1;  // 1 for the first key tried
};

enum class NarrowingEnd {
    Taken,   // the side is learned from set `taken`
    Stopped, // the owner stopped: no set is taken
    Failed,  // the remote refused the writes of key `failedKey` (see failed)
};

struct Narrowing {
    NarrowingEnd end = NarrowingEnd::Taken;
    std::size_t taken = 0;                        // into the candidates
    std::vector<codes::NamedSignal> takenSignals; // the set taken's whole signals, when Taken
    std::vector<KeyTry> tried;                    // each key the owner was asked about, in order
    std::vector<std::string> notTried;            // keys whose code the remote could not be given
    std::string failedKey;
    LearnResult failed;
    std::vector<LearnResult> learned; // every learning written, in order
};

using AskKey = std::function<KeyAnswer(const KeyTry& tried)>;

// Tells apart the sets of `candidates` from `at` on that send the Power code of set `at`, which the
// device responded to (`answeredSignals`: that set's whole signals, already read). The keys tried
// are those of side `side` (codes::secondKeysOf); `ask` hears of each once it holds the code.
Narrowing narrowSamePowerSets(model::DeviceLayout& layout, model::KeyTable& table,
                              const std::vector<codes::Candidate>& candidates, std::size_t at,
                              std::vector<codes::NamedSignal> answeredSignals, std::string_view side,
                              const std::filesystem::path& diagnosticFile,
                              const std::function<bool()>& mayWrite, const AskKey& ask);

} // namespace device
