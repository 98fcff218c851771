#include "librarygroups.h"

#include "storedbuttons.h"

#include "ir/fidelity.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace codes {

namespace {

// Codes that can be the same have as many marks: a final space may be missing from either.
std::size_t marks(const LibraryCode& code) { return (code.timings.size() + 1) / 2; }

// The touched outlines, in a table of the connection's own that the queries below join.
void listTouched(sqlite::Database& db, const char* table, const std::set<std::int64_t>& outlines) {
    db.execute(std::string("CREATE TEMP TABLE IF NOT EXISTS ") + table + "(v INTEGER PRIMARY KEY);" +
               "DELETE FROM temp." + table);
    sqlite::Statement add = db.prepare(std::string("INSERT INTO temp.") + table + "(v) VALUES (?1)");
    for (const std::int64_t outline : outlines) {
        add.bind(1, outline).run();
        add.reset();
    }
}

// The sets of each touched outline, outline by outline, each in the library's order.
std::vector<std::vector<std::int64_t>> buckets(sqlite::Database& db, const char* sql) {
    std::vector<std::vector<std::int64_t>> found;
    sqlite::Statement query = db.prepare(sql);
    std::int64_t current = 0;
    while (query.step()) {
        const std::int64_t outline = query.integer(1);
        if (found.empty() || outline != current)
            found.emplace_back();
        current = outline;
        found.back().push_back(query.integer(0));
    }
    return found;
}

std::vector<LibraryCode> storedCodes(const sqlite::Statement& row, int column) {
    auto codes = readStoredButtons(row.blob(column));
    if (!codes)
        throw sqlite::Failure::damage("a code set's buttons in the index are damaged");
    return std::move(*codes);
}

void regroupSets(sqlite::Database& db, const std::set<std::int64_t>& outlines) {
    listTouched(db, "touched_sets", outlines);
    const auto all = buckets(db, "SELECT s.id, s.outline FROM sets s JOIN files f ON f.id = s.file "
                                 "WHERE s.outline IN (SELECT v FROM temp.touched_sets) "
                                 "ORDER BY s.outline, f.path, s.ordinal");
    sqlite::Statement load =
        db.prepare("SELECT s.side, b.codes FROM sets s JOIN set_buttons b ON b.id = s.id WHERE s.id = ?1");
    sqlite::Statement store = db.prepare("UPDATE sets SET original = ?2, copies = ?3 WHERE id = ?1");
    for (const auto& ids : all) {
        std::vector<std::size_t> first(1, 0);
        if (ids.size() > 1) {
            std::vector<CodeSet> sets(ids.size());
            for (std::size_t i = 0; i < ids.size(); ++i) {
                load.bind(1, ids[i]);
                if (load.step()) {
                    sets[i].side = load.text(0);
                    sets[i].codes = storedCodes(load, 1);
                }
                load.reset();
            }
            first = firstSendingTheSame(sets);
        }
        std::map<std::size_t, std::int64_t> copies;
        for (const std::size_t original : first)
            ++copies[original];
        for (std::size_t i = 0; i < ids.size(); ++i) {
            store.bind(1, ids[i]).bind(2, ids[first[i]]).bind(3, copies[first[i]]).run();
            store.reset();
        }
    }
}

void regroupPowers(sqlite::Database& db, const std::set<std::int64_t>& outlines) {
    listTouched(db, "touched_powers", outlines);
    const auto all = buckets(db, "SELECT id, power_outline FROM sets "
                                 "WHERE power_outline IN (SELECT v FROM temp.touched_powers) "
                                 "ORDER BY power_outline");
    sqlite::Statement load =
        db.prepare("SELECT s.power, b.codes FROM sets s JOIN set_buttons b ON b.id = s.id WHERE s.id = ?1");
    sqlite::Statement store = db.prepare("UPDATE sets SET power_shared = ?2 WHERE id = ?1");
    for (const auto& ids : all) {
        std::vector<std::size_t> shared(1, 1);
        if (ids.size() > 1) {
            std::vector<LibraryCode> powers(ids.size());
            for (std::size_t i = 0; i < ids.size(); ++i) {
                load.bind(1, ids[i]);
                if (load.step()) {
                    auto codes = storedCodes(load, 1);
                    const auto power = static_cast<std::size_t>(load.integer(0));
                    if (power < codes.size())
                        powers[i] = std::move(codes[power]);
                }
                load.reset();
            }
            shared = sharedCounts(powers);
        }
        for (std::size_t i = 0; i < ids.size(); ++i) {
            store.bind(1, ids[i]).bind(2, static_cast<std::int64_t>(shared[i])).run();
            store.reset();
        }
    }
}

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

// Each duration short or long against the shortest of its kind, and each silence a receiver does
// not time; a final space is left out, as a recording may lack it.
std::uint64_t codeOutline(const LibraryCode& code) {
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

std::uint64_t setOutline(const CodeSet& set) {
    std::vector<std::uint64_t> outlines;
    for (const LibraryCode& code : set.codes)
        if (!code.timings.empty())
            outlines.push_back(codeOutline(code));
    std::sort(outlines.begin(), outlines.end());
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint64_t outline : outlines)
        hash = (hash ^ outline) * 1099511628211ull;
    return hash;
}

std::vector<std::size_t> firstSendingTheSame(const std::vector<CodeSet>& sets) {
    std::vector<std::size_t> first(sets.size());
    std::vector<std::size_t> originals;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto same = std::find_if(originals.begin(), originals.end(), [&](std::size_t o) {
            return sets[o].side == sets[i].side && sameCodes(sets[o], sets[i]);
        });
        first[i] = same == originals.end() ? i : *same;
        if (same == originals.end())
            originals.push_back(i);
    }
    return first;
}

std::vector<std::size_t> sharedCounts(const std::vector<LibraryCode>& powers) {
    std::vector<std::size_t> shared(powers.size(), 0);
    for (std::size_t i = 0; i < powers.size(); ++i)
        for (std::size_t j = i; j < powers.size(); ++j)
            if (sameCode(powers[i], powers[j])) {
                ++shared[i];
                if (j != i)
                    ++shared[j];
            }
    return shared;
}

void regroup(sqlite::Database& db, const TouchedOutlines& touched) {
    regroupSets(db, touched.sets);
    regroupPowers(db, touched.powers);
    // The makers by side ("" for any): how many distinct sets each has, and how many of those a
    // search by maker tries (the ones with a Power button), counted as candidates() gives them.
    db.execute("DELETE FROM makers;"
               "INSERT INTO makers(side, maker_key, maker, sets, candidates) "
               "SELECT '', maker_key, MIN(maker), COUNT(DISTINCT original), 0 FROM sets "
               "WHERE maker_key != '' GROUP BY maker_key;"
               "INSERT INTO makers(side, maker_key, maker, sets, candidates) "
               "SELECT side, maker_key, MIN(maker), COUNT(DISTINCT original), "
               "COUNT(DISTINCT CASE WHEN power >= 0 THEN original END) FROM sets "
               "WHERE maker_key != '' AND side != '' GROUP BY side, maker_key");
}

} // namespace codes
