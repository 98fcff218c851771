#include "librarydatabase.h"

#include "librarymakers.h"
#include "storedbuttons.h"

#include "model/portablefiles.h"

#include <system_error>

namespace codes {

namespace fs = std::filesystem;

namespace {

// The database's own mark ("QTM4"), so another program's database is never taken for the index.
constexpr std::int64_t kApplicationId = 0x51544D34;
// Raised whenever the tables change or the readers make something else of a file: an index of
// another layout is made anew from the files, which are all read again.
constexpr std::int64_t kLayout = 1;

constexpr const char* kSchema = R"(
CREATE TABLE folders(
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL UNIQUE);
CREATE TABLE files(
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL UNIQUE,
  folder INTEGER NOT NULL REFERENCES folders(id),
  size INTEGER NOT NULL,
  modified INTEGER NOT NULL,
  format TEXT NOT NULL,
  fault TEXT NOT NULL,
  skipped INTEGER NOT NULL,
  skipped_why TEXT NOT NULL);
-- What an update compares with the files it finds, read without the rows themselves.
CREATE INDEX files_by_path ON files(path, size, modified);
CREATE INDEX files_at_fault ON files(path) WHERE fault != '';
CREATE INDEX files_with_skipped ON files(path) WHERE skipped_why != '';
CREATE TABLE sets(
  id INTEGER PRIMARY KEY,
  file INTEGER NOT NULL REFERENCES files(id),
  ordinal INTEGER NOT NULL,
  name TEXT NOT NULL,
  remote TEXT NOT NULL,
  maker TEXT NOT NULL,
  maker_key TEXT NOT NULL,
  device_type TEXT NOT NULL,
  side TEXT NOT NULL,
  model TEXT NOT NULL,
  power INTEGER NOT NULL,
  buttons INTEGER NOT NULL,
  outline INTEGER NOT NULL,
  power_outline INTEGER,
  original INTEGER NOT NULL,
  copies INTEGER NOT NULL,
  power_shared INTEGER NOT NULL);
CREATE INDEX sets_by_file ON sets(file);
CREATE INDEX sets_by_name ON sets(name);
CREATE INDEX sets_by_maker ON sets(maker_key, side);
CREATE INDEX sets_by_outline ON sets(outline);
CREATE INDEX sets_by_power_outline ON sets(power_outline) WHERE power_outline IS NOT NULL;
CREATE TABLE set_buttons(
  id INTEGER PRIMARY KEY REFERENCES sets(id),
  codes BLOB NOT NULL);
CREATE VIRTUAL TABLE set_words USING fts5(words, tokenize = 'trigram');
CREATE TABLE makers(
  side TEXT NOT NULL,
  maker_key TEXT NOT NULL,
  maker TEXT NOT NULL,
  sets INTEGER NOT NULL,
  candidates INTEGER NOT NULL,
  PRIMARY KEY(side, maker_key)) WITHOUT ROWID;
)";

// "" when the database is an index of this layout (made so when it holds nothing yet); else
// what it is instead.
std::string layoutOf(sqlite::Database& db) {
    const auto layout = [&] {
        return std::make_pair(db.integer("PRAGMA application_id"), db.integer("PRAGMA user_version"));
    };
    if (layout() == std::make_pair(kApplicationId, kLayout))
        return {};
    if (db.integer("SELECT COUNT(*) FROM sqlite_schema") == 0) {
        // Two programs may find it empty at once: the one that makes it first wins, the other
        // finds it made.
        sqlite::Transaction making(db, true);
        if (db.integer("SELECT COUNT(*) FROM sqlite_schema") == 0) {
            db.execute(kSchema);
            db.execute("PRAGMA application_id = " + std::to_string(kApplicationId) +
                       "; PRAGMA user_version = " + std::to_string(kLayout));
        }
        making.commit();
        if (layout() == std::make_pair(kApplicationId, kLayout))
            return {};
    }
    return layout().first == kApplicationId ? "is of another layout" : "is not an index of this program's";
}

sqlite::Database opened(const fs::path& file, int waitMillis) {
    if (!file.empty()) {
        // SQLite makes the file, not the folders it lies in.
        std::error_code error;
        fs::create_directories(file.parent_path(), error);
    }
    sqlite::Database db(file);
    db.waitWhenHeld(waitMillis);
    // The index is a cache of the files: a crash of the system may cost it (it is then made
    // anew), but the program never waits on the disk for more than a commit.
    db.execute("PRAGMA foreign_keys = ON; PRAGMA temp_store = MEMORY; PRAGMA synchronous = NORMAL");
    return db;
}

} // namespace

OpenedIndex openIndexDatabase(const fs::path& file, int waitMillis) {
    OpenedIndex index;
    for (int attempt = 0;; ++attempt) {
        std::string remake;
        try {
            sqlite::Database db = opened(file, waitMillis);
            remake = layoutOf(db);
            if (remake.empty()) {
                index.db = std::move(db);
                return index;
            }
        } catch (const sqlite::Failure& failure) {
            if (!failure.damaged() || file.empty() || attempt > 0)
                throw;
            remake = std::string("is damaged (") + failure.what() + ")";
        }
        if (attempt > 0)
            throw sqlite::Failure::damage(model::pathText(file) + " " + remake + " even when made anew");
        if (std::string failed = removeIndexDatabase(file); !failed.empty())
            throw sqlite::Failure::damage(model::pathText(file) + " " + remake +
                                          " and cannot be removed: " + failed);
        index.note = "the library's index " + model::pathText(file) + " " + remake +
                     "; it is made anew from the code files";
    }
}

std::string waitWords(int millis) {
    return millis % 1000 == 0 ? std::to_string(millis / 1000) + " s" : std::to_string(millis) + " ms";
}

std::string removeIndexDatabase(const fs::path& file) {
    std::string failed;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        fs::path beside = file;
        beside += suffix;
        std::error_code error;
        fs::remove(beside, error);
        if (error && failed.empty())
            failed = model::pathText(beside) + ": " + error.message();
    }
    return failed;
}

CodeSet setFromRow(const sqlite::Statement& row, int first) {
    CodeSet set;
    int column = first;
    for (std::string* text : {&set.id, &set.file, &set.remote, &set.format, &set.maker, &set.makerKey,
                              &set.deviceType, &set.side, &set.model})
        *text = row.text(column++);
    const std::int64_t power = row.integer(column++);
    auto codes = readStoredButtons(row.blob(column));
    if (!codes || power < -1 || power >= static_cast<std::int64_t>(codes->size()))
        throw sqlite::Failure::damage("the buttons of code set " + set.id + " in the index are damaged");
    set.codes = std::move(*codes);
    set.power = static_cast<int>(power);
    return set;
}

std::string setWords(const CodeSet& set) {
    return foldedWords(set.maker) + " " + set.makerKey + " " + foldedWords(set.model);
}

} // namespace codes
