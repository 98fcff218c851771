// The index of the owner's code library: one entry per code set (a code file, one remote of a
// lircd.conf), with its maker, device type and model, its buttons and what each sends, kept in one
// SQLite database in the cache folder and brought up to date from the files' sizes and
// modification times. Searches over it read only what they return (librarysearch.h).
#pragma once

#include "signalfile.h"
#include "sqlitedb.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace codes {

struct LibraryCode {
    std::string button;
    int carrierHz = 0;
    // What one short press sends (the signal up to its second long silence); empty when the
    // file's signal cannot be learned.
    std::vector<int> timings;
};

struct CodeSet {
    std::string id;     // a short, stable name for the set: a hash of its file and remote
    std::string file;   // the code file, absolute, in UTF-8 (model::textPath makes it a path)
    std::string remote; // the remote block of a lircd.conf; "" for a whole file
    std::string format; // as codeFormatName tells it
    std::string maker;  // as shown ("LG"), "" when unknown
    std::string makerKey;
    std::string deviceType; // as the collection names it ("TVs", "DVB-T", "media_player"), or ""
    std::string side;       // "tv", "cbl" or ""
    std::string model;
    std::vector<LibraryCode> codes; // in the file's order
    int power = -1;                 // the code of the set's Power button, -1 for none
};

struct IndexedFile {
    std::string path; // absolute, in UTF-8 (model::textPath makes it a path)
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // the file system's modification time, in its own ticks
    std::string format;        // as codeFormatName tells it; "" when the file could not be read
    std::string fault;         // why the file gives no code set, naming it; "" when it is read
    // Its codes that cannot be used: each stays a button of its set, one that cannot be learned.
    std::size_t skipped = 0;
    std::string skippedWhy; // naming the file: how many were skipped and why; "" for none
    std::vector<CodeSet> sets;
};

struct IndexReport {
    std::size_t read = 0;    // files read this time (new or changed)
    std::size_t kept = 0;    // unchanged since the last indexing
    std::size_t dropped = 0; // gone since then
    std::size_t sets = 0;    // in the whole index
    // Every file that gives no code set, once, with its reason ("file: why", "file:line: why").
    std::vector<std::string> faults;
    // Every file some of whose codes cannot be used, once, with how many and why.
    std::vector<std::string> skipped;
    // What became of the index itself when it could not be used as it stood (made anew, kept in
    // memory only, not brought up to date); "" when nothing.
    std::string note;
};

// How long another program's hold on the index is waited for.
inline constexpr int kIndexWaitMillis = 10000;

// The index, open on its database. Not to be used from two threads at once.
class LibraryIndex {
public:
    LibraryIndex() = default; // none: an empty library
    LibraryIndex(LibraryIndex&& other) noexcept;
    LibraryIndex& operator=(LibraryIndex&& other) noexcept;
    ~LibraryIndex();

    // Opens the index kept in `file`, made when there is none and made anew when it is damaged,
    // of an older layout or not an index at all; an empty path keeps one in memory only. When the
    // file cannot be used, the index is kept in memory. Says what became of it ("" when opened as
    // it stood). Another program's hold on it is waited for up to `waitMillis`.
    std::string open(const std::filesystem::path& file, int waitMillis = kIndexWaitMillis);
    bool isOpen() const { return db_.isOpen(); }
    const std::filesystem::path& file() const { return file_; }

    // Brings the index up to date with the code files under `folders`: new and changed files are
    // read (on `threads` threads; 0 for one a core), unchanged ones kept, vanished ones dropped,
    // all written in one transaction. Another program updating it is waited for.
    IndexReport update(const std::vector<std::filesystem::path>& folders, unsigned threads = 0);

    // The file the index holds at `path`, with its sets; nullopt when it holds none there (or the
    // index cannot be read).
    std::optional<IndexedFile> indexedFile(std::string_view path) const;

    // How many code sets the index holds from files under `folder`.
    std::size_t setsUnder(const std::filesystem::path& folder) const;

    // For the queries of the library (librarysearch.cpp).
    const sqlite::Database& database() const { return db_; }
    // A query found the database damaged: it is made anew when the index is next opened.
    void markDamaged() const { damaged_ = true; }

private:
    IndexReport updateOnce(const std::vector<std::filesystem::path>& folders, unsigned threads);
    std::optional<IndexedFile> readIndexedFile(std::string_view path) const;
    void removeIfDamaged();

    sqlite::Database db_;
    std::filesystem::path file_;
    int waitMillis_ = kIndexWaitMillis;
    mutable bool damaged_ = false;
};

// Opens the index kept in `file` (unless it is open there already) and brings it up to date; the
// report's note says what became of the index itself.
IndexReport refreshIndex(LibraryIndex& index, const std::vector<std::filesystem::path>& folders,
                         const std::filesystem::path& file, unsigned threads = 0);

// The code sets of one file found under library folder `folder`, their maker, type and model taken
// from the collection's layout where the path shows one; its codes that cannot be used are counted,
// and a file (or a remote of it) none of whose codes can be used gives no set. `fault` says why
// when the file gives no set. Size and time are left for the caller.
IndexedFile readLibraryFile(const std::filesystem::path& file, const std::filesystem::path& folder);

// Whether a file under a library folder is one the library reads, by its name (UTF-8): the
// extensions code files come in, LIRC's "lircd.conf.<model>"; not a README or licence.
bool looksLikeCodeFile(std::string_view fileName);

// The whole signals of `set`, read again from its file (the index keeps only each code's short
// press, and learning takes the whole signal), in the set's order and under its button names; what
// is wrong when the file cannot be read or no longer holds the set as it was indexed.
std::variant<std::vector<NamedSignal>, FileProblem> readSetSignals(const CodeSet& set);

} // namespace codes
