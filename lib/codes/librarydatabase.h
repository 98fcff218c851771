// The code library's index as one SQLite database: its tables, the number of their layout, what
// is done with a file that is damaged, of an older layout or not an index at all, and how a code
// set is written into its row and read back.
//
//   folders    the library's folders the files were found under
//   files      each code file: path, folder, size and time (to tell a change), format, the fault
//              when it gives no set, how many of its codes cannot be used and why
//   sets       each code set: its file and place in it, id, remote, maker (as shown and as a key),
//              type, side, model, Power button, how many buttons, the outlines of its codes and of
//              its Power code, the first set sending the same (its original) and how many do, how
//              many sets share its Power code
//   set_buttons  each set's buttons with what they send (a blob, storedbuttons.h), kept apart so
//              that a query over the sets never reads through them
//   set_words  FTS5 with the trigram tokenizer over each set's maker and model, folded
//   makers     each maker by side ("" for any): how many distinct sets, how many to try by maker
#pragma once

#include "libraryindex.h"
#include "sqlitedb.h"

#include <filesystem>
#include <string>

namespace codes {

struct OpenedIndex {
    sqlite::Database db;
    std::string note; // why it was made anew, naming it; "" when opened as it stood
};

// Opens the index database in `file` (an empty path: one in memory), made when there is none, and
// made anew when it is damaged, of an older layout or another program's file; another program's
// hold on it is waited for up to `waitMillis`. Throws sqlite::Failure when no index can be had
// there (held for longer, a folder that cannot be written).
OpenedIndex openIndexDatabase(const std::filesystem::path& file, int waitMillis);

// How long a wait of `millis` is, in words: "10 s", "200 ms".
std::string waitWords(int millis);

// Removes the database and SQLite's files beside it (journal, WAL); "" or why not.
std::string removeIndexDatabase(const std::filesystem::path& file);

// The columns of a set's row, with its file's and its buttons', in the order setFromRow reads
// them, and the tables they come from.
inline constexpr const char* kSetColumns = "s.name, f.path, s.remote, f.format, s.maker, s.maker_key, "
                                           "s.device_type, s.side, s.model, s.power, b.codes";
inline constexpr const char* kSetTables =
    "sets s JOIN files f ON f.id = s.file JOIN set_buttons b ON b.id = s.id";

// The set of a row selected with kSetColumns from column `first` on; throws sqlite::Failure
// (damaged) when its buttons cannot be read.
CodeSet setFromRow(const sqlite::Statement& row, int first = 0);

// What the full-text index holds of a set: its maker (as written and as a key) and its model,
// folded as a search folds its words.
std::string setWords(const CodeSet& set);

} // namespace codes
