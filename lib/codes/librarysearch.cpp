#include "librarysearch.h"

#include "librarymakers.h"

#include "ir/fidelity.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace codes {

namespace {

// Codes that can be the same have as many marks: a final space may be missing from either.
std::size_t marks(const LibraryCode& code) { return (code.timings.size() + 1) / 2; }

// What stays of a code under the small differences between two recordings of it: each duration
// short or long against the shortest of its kind, and each silence a receiver does not time. Codes
// the fidelity check takes for one another have the same outline, but for a duration lying near
// 1.6 times the shortest; only codes of one outline are compared.
std::uint64_t outlineOf(const LibraryCode& code) {
    const std::vector<int>& t = code.timings;
    int shortest[2] = {0, 0};
    for (std::size_t i = 0; i < t.size(); ++i)
        if (shortest[i % 2] == 0 || t[i] < shortest[i % 2])
            shortest[i % 2] = t[i];
    std::uint64_t hash = 14695981039346656037ull;
    const std::size_t length = t.size() - (t.size() % 2 == 0 ? 1 : 0);
    for (std::size_t i = 0; i < length; ++i) {
        const int shape = i % 2 && t[i] >= 20000 ? 2 : t[i] * 5 > shortest[i % 2] * 8 ? 1 : 0;
        hash = (hash ^ static_cast<std::uint64_t>(shape + 1)) * 1099511628211ull;
    }
    return hash;
}

// Sets that can send the same hold codes of the same outlines.
std::uint64_t outlineOf(const CodeSet& set) {
    std::vector<std::uint64_t> outlines;
    for (const LibraryCode& code : set.codes)
        if (!code.timings.empty())
            outlines.push_back(outlineOf(code));
    std::sort(outlines.begin(), outlines.end());
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint64_t outline : outlines)
        hash = (hash ^ outline) * 1099511628211ull;
    return hash;
}

bool sideMatches(const CodeSet& set, std::string_view side) { return side.empty() || set.side == side; }

} // namespace

bool sameCode(const LibraryCode& a, const LibraryCode& b) {
    if (a.timings.empty() || b.timings.empty() || marks(a) != marks(b))
        return false;
    if (a.carrierHz != 0 && b.carrierHz != 0 &&
        std::abs(a.carrierHz - b.carrierHz) * 10 > std::max(a.carrierHz, b.carrierHz))
        return false;
    return ir::firstMismatch(a.timings, b.timings) < 0 && ir::firstMismatch(b.timings, a.timings) < 0;
}

bool sameCodes(const CodeSet& a, const CodeSet& b) {
    std::vector<const LibraryCode*> left;
    for (const LibraryCode& code : b.codes)
        if (!code.timings.empty())
            left.push_back(&code);
    for (const LibraryCode& code : a.codes) {
        if (code.timings.empty())
            continue;
        const auto match =
            std::find_if(left.begin(), left.end(), [&](const LibraryCode* c) { return sameCode(code, *c); });
        if (match == left.end())
            return false;
        left.erase(match);
    }
    return left.empty();
}

CodeLibrary::CodeLibrary(const LibraryIndex& index) {
    for (const IndexedFile& file : index.files)
        for (const CodeSet& set : file.sets)
            sets_.push_back(&set);
    original_.resize(sets_.size());
    copies_.assign(sets_.size(), 0);
    // Only sets of one outline are compared, each with the first of every group found so far.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> originalsByShape;
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const CodeSet& set = *sets_[i];
        auto& originals = originalsByShape[outlineOf(set)];
        const auto same = std::find_if(originals.begin(), originals.end(), [&](std::size_t o) {
            return sets_[o]->side == set.side && sameCodes(*sets_[o], set);
        });
        original_[i] = same == originals.end() ? i : *same;
        if (same == originals.end())
            originals.push_back(i);
        ++copies_[original_[i]];
        words_.push_back(foldedWords(set.maker) + " " + set.makerKey + " " + foldedWords(set.model));
        if (set.power >= 0)
            powersByOutline_[outlineOf(set.codes[static_cast<std::size_t>(set.power)])].push_back(&set);
    }
}

std::size_t CodeLibrary::distinct() const {
    return static_cast<std::size_t>(
        std::count_if(copies_.begin(), copies_.end(), [](std::size_t n) { return n != 0; }));
}

std::vector<FoundSet> CodeLibrary::search(std::string_view words, std::string_view side) const {
    std::vector<std::string> wanted;
    std::string word;
    for (std::size_t i = 0; i <= words.size(); ++i) {
        if (i == words.size() || words[i] == ' ' || words[i] == '\t') {
            if (std::string folded = foldedWords(word); !folded.empty())
                wanted.push_back(std::move(folded));
            word.clear();
        } else {
            word += words[i];
        }
    }
    // "LG Electronics" is a maker's name as a whole, not two words to find.
    const std::string wholeMaker = makerKey(words);
    // A group of sets that send the same shows once, as the first of them that matches: a search
    // for one maker never answers with another maker's copy.
    std::vector<FoundSet> found;
    std::unordered_set<std::size_t> groups;
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const CodeSet& set = *sets_[i];
        if (!sideMatches(set, side))
            continue;
        const bool matches =
            (!wholeMaker.empty() && set.makerKey == wholeMaker) ||
            (!wanted.empty() && std::all_of(wanted.begin(), wanted.end(), [&](const std::string& w) {
                return words_[i].find(w) != std::string::npos || makerKey(w) == set.makerKey;
            }));
        if (matches && groups.insert(original_[i]).second)
            found.push_back({&set, copies_[original_[i]]});
    }
    std::sort(found.begin(), found.end(), [](const FoundSet& a, const FoundSet& b) {
        return std::tie(a.set->makerKey, a.set->model, a.set->id) <
               std::tie(b.set->makerKey, b.set->model, b.set->id);
    });
    return found;
}

std::vector<Candidate> CodeLibrary::candidates(std::string_view side, std::string_view maker) const {
    const std::string key = makerKey(maker);
    std::vector<Candidate> found;
    std::unordered_set<std::size_t> groups;
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const CodeSet& set = *sets_[i];
        if (set.power >= 0 && set.side == side && set.makerKey == key && groups.insert(original_[i]).second)
            found.push_back({&set, 0});
    }
    // Every set with a Power button counts, copies too: a code many files share is a common one.
    for (Candidate& candidate : found) {
        const LibraryCode& power = candidate.set->codes[static_cast<std::size_t>(candidate.set->power)];
        for (const CodeSet* other : powersByOutline_.at(outlineOf(power)))
            if (sameCode(power, other->codes[static_cast<std::size_t>(other->power)]))
                ++candidate.powerShared;
    }
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        if (a.powerShared != b.powerShared)
            return a.powerShared > b.powerShared;
        return std::tie(a.set->model, a.set->id) < std::tie(b.set->model, b.set->id);
    });
    return found;
}

std::vector<LibraryMaker> CodeLibrary::makers(std::string_view side) const {
    std::map<std::string, LibraryMaker> byKey;
    std::set<std::pair<std::string, std::size_t>> groups; // maker, group
    for (std::size_t i = 0; i < sets_.size(); ++i) {
        const CodeSet& set = *sets_[i];
        if (set.makerKey.empty() || !sideMatches(set, side) ||
            !groups.emplace(set.makerKey, original_[i]).second)
            continue;
        LibraryMaker& maker = byKey[set.makerKey];
        if (maker.maker.empty())
            maker = {set.maker, set.makerKey, 0, 0};
        ++maker.sets;
        if (set.power >= 0 && !side.empty() && set.side == side)
            ++maker.candidates;
    }
    std::vector<LibraryMaker> makers;
    for (auto& [key, maker] : byKey)
        makers.push_back(std::move(maker));
    return makers;
}

const CodeSet* CodeLibrary::find(std::string_view id) const {
    for (const CodeSet* set : sets_)
        if (set->id == id)
            return set;
    const CodeSet* only = nullptr;
    for (const CodeSet* set : sets_)
        if (set->file == id) {
            if (only != nullptr)
                return nullptr;
            only = set;
        }
    return only;
}

} // namespace codes
