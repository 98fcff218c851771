#include "librarysearch.h"

#include "librarydatabase.h"
#include "librarymakers.h"

#include <algorithm>

namespace codes {

namespace {

// A query's text with its parameters, numbered as they are added.
struct Query {
    std::string sql;
    std::vector<std::string> values;

    std::string parameter(std::string value) {
        values.push_back(std::move(value));
        return "?" + std::to_string(values.size());
    }
    sqlite::Statement prepared(const sqlite::Database& db) const {
        sqlite::Statement statement = db.prepare(sql);
        for (std::size_t i = 0; i < values.size(); ++i)
            statement.bind(static_cast<int>(i + 1), values[i]);
        return statement;
    }
};

// Of the sets a condition picks (over `sets s JOIN files f`), the first of each that send the
// same, in the library's order, with `columns` of it.
std::string firstOfEach(const std::string& columns, const std::string& condition) {
    return "SELECT " + columns + " FROM (SELECT s.id, s.copies, s.power_shared, s.maker_key, s.model, " +
           "s.name, f.path, s.ordinal, ROW_NUMBER() OVER (PARTITION BY s.original ORDER BY f.path, " +
           "s.ordinal) AS nth FROM sets s JOIN files f ON f.id = s.file WHERE " + condition +
           ") WHERE nth = 1";
}

// The rows a query gives, each a set's row and a count, read whole before any set is loaded.
std::vector<std::pair<std::int64_t, std::size_t>> rowsAndCounts(const Query& query,
                                                                const sqlite::Database& db) {
    sqlite::Statement rows = query.prepared(db);
    std::vector<std::pair<std::int64_t, std::size_t>> found;
    while (rows.step())
        found.emplace_back(rows.integer(0), static_cast<std::size_t>(rows.integer(1)));
    return found;
}

// Characters of UTF-8 text (a folded word has no quote to escape in a phrase).
std::size_t letters(std::string_view word) {
    return static_cast<std::size_t>(std::count_if(
        word.begin(), word.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::vector<std::string> foldedWordsOf(std::string_view words) {
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
    return wanted;
}

} // namespace

CodeLibrary::CodeLibrary(const LibraryIndex& index) : index_(index) {}

template <typename Result, typename Run> Result CodeLibrary::guarded(Result none, Run run) const {
    fault_.clear();
    if (!index_.isOpen())
        return none;
    try {
        // Every statement of the query under one lock of the file.
        const sqlite::Transaction reading(index_.database(), false);
        return run(index_.database());
    } catch (const sqlite::Failure& failure) {
        if (failure.damaged())
            index_.markDamaged();
        fault_ = std::string("the library's index cannot be read (") + failure.what() + ")" +
                 (failure.damaged() ? "; it is made anew the next time the library is opened" : "");
        return none;
    }
}

const CodeSet* CodeLibrary::loaded(std::int64_t row) const {
    auto& kept = sets_[row];
    if (kept)
        return kept.get();
    if (!loadSet_.isPrepared())
        loadSet_ = index_.database().prepare(std::string("SELECT ") + kSetColumns + " FROM " + kSetTables +
                                             " WHERE s.id = ?1");
    loadSet_.bind(1, row);
    const bool found = loadSet_.step();
    if (found)
        kept = std::make_unique<CodeSet>(setFromRow(loadSet_));
    loadSet_.reset();
    if (!found) {
        sets_.erase(row);
        throw sqlite::Failure::damage("a code set of the index is missing");
    }
    return kept.get();
}

std::vector<FoundSet> CodeLibrary::search(std::string_view words, std::string_view side) const {
    return guarded(std::vector<FoundSet>{}, [&](const sqlite::Database& db) {
        const std::vector<std::string> wanted = foldedWordsOf(words);
        // "LG Electronics" is a maker's name as a whole, not two words to find.
        const std::string wholeMaker = makerKey(words);
        Query query;
        // Each word is found in a maker or model, or names the maker by another spelling. The
        // trigram index finds a word of three letters or more as a phrase of its trigrams, any
        // part of a maker or model; a shorter word is looked for row by row.
        std::string byWords;
        for (const std::string& word : wanted) {
            const std::string inWords = letters(word) >= 3
                                            ? "words MATCH " + query.parameter("\"" + word + "\"")
                                            : "words LIKE " + query.parameter("%" + word + "%");
            const std::string one =
                "SELECT * FROM (SELECT rowid FROM set_words WHERE " + inWords +
                " UNION SELECT id FROM sets WHERE maker_key = " + query.parameter(makerKey(word)) + ")";
            byWords += (byWords.empty() ? "" : " INTERSECT ") + one;
        }
        std::string matching = byWords;
        if (!wholeMaker.empty())
            matching = "SELECT id FROM sets WHERE maker_key = " + query.parameter(wholeMaker) +
                       (byWords.empty() ? "" : " UNION SELECT * FROM (" + byWords + ")");
        if (matching.empty())
            return std::vector<FoundSet>{};
        std::string condition = "s.id IN (" + matching + ")";
        if (!side.empty())
            condition += " AND s.side = " + query.parameter(std::string(side));
        // A group of sets that send the same shows once, as the first of them that matches: a search
        // for one maker never answers with another maker's copy.
        query.sql = firstOfEach("id, copies", condition) + " ORDER BY maker_key, model, name";
        std::vector<FoundSet> sets;
        for (const auto& [row, copies] : rowsAndCounts(query, db))
            sets.push_back({loaded(row), copies});
        return sets;
    });
}

std::vector<Candidate> CodeLibrary::candidates(std::string_view side, std::string_view maker) const {
    return guarded(std::vector<Candidate>{}, [&](const sqlite::Database& db) {
        Query query;
        const std::string condition = "s.maker_key = " + query.parameter(makerKey(maker)) +
                                      " AND s.side = " + query.parameter(std::string(side)) +
                                      " AND s.power >= 0";
        // Every set with a Power button counted who shares its code, copies too: a code many files
        // share is a common one, tried first.
        query.sql = firstOfEach("id, power_shared", condition) +
                    " ORDER BY power_shared DESC, model, name, path, ordinal";
        std::vector<Candidate> sets;
        for (const auto& [row, shared] : rowsAndCounts(query, db))
            sets.push_back({loaded(row), shared});
        return sets;
    });
}

std::vector<LibraryMaker> CodeLibrary::makers(std::string_view side) const {
    return guarded(std::vector<LibraryMaker>{}, [&](const sqlite::Database& db) {
        sqlite::Statement rows = db.prepare(
            "SELECT maker, maker_key, sets, candidates FROM makers WHERE side = ?1 ORDER BY maker_key");
        rows.bind(1, side);
        std::vector<LibraryMaker> makers;
        while (rows.step())
            makers.push_back({rows.text(0), rows.text(1), static_cast<std::size_t>(rows.integer(2)),
                              static_cast<std::size_t>(rows.integer(3))});
        return makers;
    });
}

const CodeSet* CodeLibrary::find(std::string_view id) const {
    return guarded(static_cast<const CodeSet*>(nullptr), [&](const sqlite::Database& db) -> const CodeSet* {
        sqlite::Statement named = db.prepare("SELECT s.id FROM sets s JOIN files f ON f.id = s.file "
                                             "WHERE s.name = ?1 ORDER BY f.path, s.ordinal LIMIT 1");
        named.bind(1, id);
        if (named.step())
            return loaded(named.integer(0));
        sqlite::Statement ofFile =
            db.prepare("SELECT s.id FROM sets s JOIN files f ON f.id = s.file WHERE f.path = ?1 LIMIT 2");
        ofFile.bind(1, id);
        if (!ofFile.step())
            return nullptr;
        const std::int64_t only = ofFile.integer(0);
        return ofFile.step() ? nullptr : loaded(only);
    });
}

std::size_t CodeLibrary::size() const {
    return guarded(std::size_t{0}, [](const sqlite::Database& db) {
        return static_cast<std::size_t>(db.integer("SELECT COUNT(*) FROM sets"));
    });
}

std::size_t CodeLibrary::distinct() const {
    return guarded(std::size_t{0}, [](const sqlite::Database& db) {
        return static_cast<std::size_t>(db.integer("SELECT COUNT(*) FROM sets WHERE original = id"));
    });
}

} // namespace codes
