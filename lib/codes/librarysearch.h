// The code library as a search sees it: every code set of the index once (sets that send the same
// thing taken as one), found by maker and model, and the order to try a maker's sets in. Each is a
// query of the index that reads only the sets it returns.
#pragma once

#include "librarygroups.h"
#include "libraryindex.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace codes {

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

// The sets it gives stay valid while it lives; `index` must outlive it. Not to be used from two
// threads at once.
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

    std::size_t size() const;
    std::size_t distinct() const;

    // Why the last query gave nothing because the index could not be read; "" when it could.
    const std::string& fault() const { return fault_; }

private:
    // Runs `query`, or gives `none` after noting why the index could not be read.
    template <typename Result, typename Query> Result guarded(Result none, Query query) const;
    // The set of index row `row`, read once and kept.
    const CodeSet* loaded(std::int64_t row) const;

    const LibraryIndex& index_;
    mutable sqlite::Statement loadSet_; // prepared once, for every set loaded
    mutable std::unordered_map<std::int64_t, std::unique_ptr<CodeSet>> sets_;
    mutable std::string fault_;
};

} // namespace codes
