// Which code sets of the library send the same thing, and which Power codes are one: worked out
// when the index is brought up to date and kept with the sets, so that a search compares no codes.
// Only codes of one outline can be the same, so only sets of one outline are compared.
#pragma once

#include "libraryindex.h"
#include "sqlitedb.h"

#include <cstdint>
#include <set>
#include <vector>

namespace codes {

// Whether two codes send the same: their carriers within a tenth and, short press against short
// press, every duration one the fidelity check takes for the other, either way round.
bool sameCode(const LibraryCode& a, const LibraryCode& b);

// Whether two code sets send the same thing: each code of one is a code of the other.
bool sameCodes(const CodeSet& a, const CodeSet& b);

// What stays of a code under the small differences between two recordings of it: codes the
// fidelity check takes for one another have one outline (but for a duration near 1.6 times the
// shortest of its kind).
std::uint64_t codeOutline(const LibraryCode& code);

// The outlines of a set's codes taken together: sets that send the same have one.
std::uint64_t setOutline(const CodeSet& set);

// For sets of one outline, in the library's order: the place of the first set before or at each
// that sends the same on the same side.
std::vector<std::size_t> firstSendingTheSame(const std::vector<CodeSet>& sets);

// For Power codes of one outline: how many of them each sends the same as, itself among them.
std::vector<std::size_t> sharedCounts(const std::vector<LibraryCode>& powers);

// The outlines whose sets changed in an update: of sets gone and sets added, and of their Power codes.
struct TouchedOutlines {
    std::set<std::int64_t> sets, powers;
};

// Works out again, for every set of a touched outline, the first set sending the same (its
// original), how many send the same, and how many sets share its Power code; and the makers' list.
void regroup(sqlite::Database& db, const TouchedOutlines& touched);

} // namespace codes
