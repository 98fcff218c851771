// The code library as a search sees it: every code set of the index once (sets that send the same
// thing taken as one), found by maker and model, and the order to try a maker's sets in.
#pragma once

#include "libraryindex.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace codes {

// Whether two codes send the same: their carriers within a tenth and, short press against short
// press, every duration one the fidelity check takes for the other, either way round.
bool sameCode(const LibraryCode& a, const LibraryCode& b);

// Whether two code sets send the same thing: each code of one is a code of the other.
bool sameCodes(const CodeSet& a, const CodeSet& b);

struct LibraryMaker {
    std::string maker; // as shown
    std::string key;
    std::size_t sets = 0;       // distinct code sets
    std::size_t candidates = 0; // of those, the ones a search on side `side` tries (with a Power button)
};

struct FoundSet {
    const CodeSet* set = nullptr;
    std::size_t copies = 1; // code sets in the library that send the same (itself among them)
};

struct Candidate {
    const CodeSet* set = nullptr;
    std::size_t powerShared = 0; // code sets whose Power button sends what this one's does
};

class CodeLibrary {
public:
    explicit CodeLibrary(const LibraryIndex& index);

    // The code sets whose maker or model holds every word (letter case, spaces and punctuation
    // aside; a word may also name the maker by another spelling), of side `side` unless it is "";
    // of sets that send the same, only the first that matches; by maker, then model.
    std::vector<FoundSet> search(std::string_view words, std::string_view side = {}) const;

    // The sets to try on a device of side `side` by maker `maker`: those with a Power button, one
    // of each that send the same, the most shared Power code first.
    std::vector<Candidate> candidates(std::string_view side, std::string_view maker) const;

    // The makers of side `side` (any when ""), by name, with how many distinct code sets each has.
    std::vector<LibraryMaker> makers(std::string_view side = {}) const;

    // The set called `id` (as search gives it), or the only set of the code file `id` names.
    const CodeSet* find(std::string_view id) const;

    std::size_t size() const { return sets_.size(); }
    std::size_t distinct() const;

private:
    std::vector<const CodeSet*> sets_;
    std::vector<std::size_t> original_; // for each set, the first set that sends the same
    std::vector<std::size_t> copies_;   // for each original, how many send the same
    std::vector<std::string> words_;    // each set's maker and model, folded, for the search
    // The sets with a Power button by the outline of its code, for counting who shares it.
    std::unordered_map<std::uint64_t, std::vector<const CodeSet*>> powersByOutline_;
};

} // namespace codes
