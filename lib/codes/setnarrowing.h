// Telling apart the code sets of one maker that send the same Power code: the device responded to
// that code, so any of them may be its remote. One more key, on which they differ, is tried: the
// sets that send what the device responded to stay, the others go.
#pragma once

#include "librarysearch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace codes {

// The keys of side `side` a search may try besides Power, the most telling first: Vol+, Mute,
// Ch+, then the digits 1 to 9 and 0, of those the side has.
std::vector<std::string> secondKeysOf(std::string_view side);

// The position in `set.codes` of what the set sends for key `keyNumber` of side `side`: its first
// learnable button that names the key, as a whole side is learned from it; -1 when none does.
int codeForKey(const CodeSet& set, std::string_view side, std::string_view keyNumber);

// Into `candidates`: the set at `at` and each later one whose Power code is the same, in order.
std::vector<std::size_t> samePowerSets(const std::vector<Candidate>& candidates, std::size_t at);

struct KeyQuestion {
    std::string keyNumber;
    std::size_t from = 0;             // into the sets asked about: whose code goes on the key
    int code = -1;                    // into that set's codes
    std::vector<std::size_t> sending; // into the sets: those that send the same for the key, in order
};

// The key, not among `excluded`, on which `sets` differ most, and the code to try on it: the answer
// rules out the most sets whichever it is, then the key with the most different codes, then the
// earlier key of secondKeysOf and the code of the earlier set. Only keys every set has a code for are
// asked about, so the set taken covers every key tried. nullopt when no key tells them apart.
std::optional<KeyQuestion> nextKeyQuestion(const std::vector<const CodeSet*>& sets, std::string_view side,
                                           const std::vector<std::string>& excluded = {});

// The sets that stay once the owner answered `question` (into the sets asked about, in order):
// those that send the code tried when the device responded, the others when it did not.
std::vector<std::size_t> setsAfter(const KeyQuestion& question, std::size_t setCount, bool responded);

} // namespace codes
