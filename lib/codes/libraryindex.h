// The index of the owner's code library: one entry per code set (a code file, one remote of a
// lircd.conf), with its maker, device type and model, its buttons and what each sends, kept in a
// cache file and brought up to date from the files' sizes and modification times.
#pragma once

#include "signalfile.h"

#include <cstdint>
#include <filesystem>
#include <string>
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
    std::string fault;         // why the file gives no code set, naming it; "" when it is read
    std::vector<CodeSet> sets;
};

struct LibraryIndex {
    std::vector<IndexedFile> files; // by path
};

struct IndexReport {
    std::size_t read = 0;    // files read this time (new or changed)
    std::size_t kept = 0;    // unchanged since the last indexing
    std::size_t dropped = 0; // gone since then
    std::size_t sets = 0;
    // Every file that gives no code set, once, with its reason ("file: why", "file:line: why").
    std::vector<std::string> faults;
    bool changed() const { return read != 0 || dropped != 0; }
};

// The code sets of one file found under library folder `folder`, their maker, type and model taken
// from the collection's layout where the path shows one; on failure `fault` says why.
std::vector<CodeSet> indexCodeFile(const std::filesystem::path& file, const std::filesystem::path& folder,
                                   std::string& fault);

// Whether a file under a library folder is one the library reads: the extensions code files come
// in, LIRC's "lircd.conf.<model>"; not a README or licence.
bool looksLikeCodeFile(const std::filesystem::path& file);

// Brings `index` up to date with the code files under `folders`: new and changed files are read
// (on `threads` threads), unchanged ones kept, vanished ones dropped.
IndexReport updateIndex(LibraryIndex& index, const std::vector<std::filesystem::path>& folders,
                        unsigned threads = 0);

// The index kept in `cacheFile`; an empty one when there is none or it is damaged or of another
// version (everything is then read again).
LibraryIndex loadIndex(const std::filesystem::path& cacheFile);

// Writes the index whole; "" or why it could not.
std::string saveIndex(const std::filesystem::path& cacheFile, const LibraryIndex& index);

// Loads the cached index, brings it up to date and writes it back when anything changed.
IndexReport refreshIndex(LibraryIndex& index, const std::vector<std::filesystem::path>& folders,
                         const std::filesystem::path& cacheFile, unsigned threads = 0);

// The whole signals of `set`, read again from its file (the index keeps only each code's short
// press, and learning takes the whole signal), in the set's order and under its button names; what
// is wrong when the file cannot be read or no longer holds the set as it was indexed.
std::variant<std::vector<NamedSignal>, FileProblem> readSetSignals(const CodeSet& set);

} // namespace codes
