#include "libraryindex.h"

#include "librarydatabase.h"

#include "model/portablefiles.h"

#include <utility>

namespace codes {

namespace fs = std::filesystem;

LibraryIndex::LibraryIndex(LibraryIndex&& other) noexcept
    : db_(std::move(other.db_)), file_(std::exchange(other.file_, {})), waitMillis_(other.waitMillis_),
      damaged_(std::exchange(other.damaged_, false)) {}

LibraryIndex& LibraryIndex::operator=(LibraryIndex&& other) noexcept {
    if (this != &other) {
        removeIfDamaged();
        db_ = std::move(other.db_);
        file_ = std::exchange(other.file_, {});
        waitMillis_ = other.waitMillis_;
        damaged_ = std::exchange(other.damaged_, false);
    }
    return *this;
}

LibraryIndex::~LibraryIndex() { removeIfDamaged(); }

void LibraryIndex::removeIfDamaged() {
    db_.close();
    // Closed first: Windows removes no file that is open.
    if (damaged_ && !file_.empty())
        removeIndexDatabase(file_);
    damaged_ = false;
}

std::string LibraryIndex::open(const fs::path& file, int waitMillis) {
    // A copy: `file` may be this index's own, which a fallback to memory clears.
    const fs::path wanted = file;
    removeIfDamaged();
    file_ = wanted;
    waitMillis_ = waitMillis;
    try {
        OpenedIndex opened = openIndexDatabase(wanted, waitMillis);
        db_ = std::move(opened.db);
        return opened.note;
    } catch (const sqlite::Failure& failure) {
        if (wanted.empty())
            return std::string("the library's index cannot be made: ") + failure.what();
        const std::string why =
            failure.busy() ? "another program has held it for over " + waitWords(waitMillis) : failure.what();
        const std::string note = "the library's index cannot be kept in " + model::pathText(wanted) + " (" +
                                 why + "); it is kept in memory for this run";
        const std::string inMemory = open({}, waitMillis);
        return inMemory.empty() ? note : note + "; " + inMemory;
    }
}

std::optional<IndexedFile> LibraryIndex::indexedFile(std::string_view path) const {
    if (!isOpen())
        return std::nullopt;
    try {
        return readIndexedFile(path);
    } catch (const sqlite::Failure& failure) {
        if (failure.damaged())
            markDamaged();
        return std::nullopt;
    }
}

std::optional<IndexedFile> LibraryIndex::readIndexedFile(std::string_view path) const {
    sqlite::Statement file = db_.prepare(
        "SELECT id, size, modified, format, fault, skipped, skipped_why FROM files WHERE path = ?1");
    file.bind(1, path);
    if (!file.step())
        return std::nullopt;
    IndexedFile found{
        std::string(path), static_cast<std::uintmax_t>(file.integer(1)), file.integer(2), file.text(3),
        file.text(4),      static_cast<std::size_t>(file.integer(5)),    file.text(6),    {}};
    sqlite::Statement sets = db_.prepare(std::string("SELECT ") + kSetColumns + " FROM " + kSetTables +
                                         " WHERE s.file = ?1 ORDER BY s.ordinal");
    sets.bind(1, file.integer(0));
    while (sets.step())
        found.sets.push_back(setFromRow(sets));
    return found;
}

std::size_t LibraryIndex::setsUnder(const fs::path& folder) const {
    if (!isOpen())
        return 0;
    // The paths under the folder sort between its name with the separator and the separator's
    // next character.
    const std::string from = model::pathText(folder / "");
    std::string to = from;
    ++to.back();
    try {
        sqlite::Statement count = db_.prepare(
            "SELECT COUNT(*) FROM sets s JOIN files f ON f.id = s.file WHERE f.path >= ?1 AND f.path < ?2");
        count.bind(1, from).bind(2, to);
        return count.step() ? static_cast<std::size_t>(count.integer(0)) : 0;
    } catch (const sqlite::Failure& failure) {
        if (failure.damaged())
            markDamaged();
        return 0;
    }
}

IndexReport refreshIndex(LibraryIndex& index, const std::vector<fs::path>& folders, const fs::path& file,
                         unsigned threads) {
    std::string note;
    if (!index.isOpen() || index.file() != file)
        note = index.open(file);
    IndexReport report = index.update(folders, threads);
    if (!note.empty())
        report.note = report.note.empty() ? note : note + "; " + report.note;
    return report;
}

} // namespace codes
