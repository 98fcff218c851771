// Bringing the index up to date: each file's size and time compared with those stored, only new
// and changed files read (on several threads), and everything written in one transaction, so
// that another program sees the index as it was or as it is, never half way.
#include "libraryindex.h"

#include "folderwalk.h"
#include "librarydatabase.h"
#include "librarygroups.h"
#include "storedbuttons.h"

#include "model/portablefiles.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace codes {

namespace fs = std::filesystem;

namespace {

// Files read at once before they are written: enough to keep every thread busy, few enough that
// a large library never sits in memory whole.
constexpr std::size_t kFilesAtOnce = 256;

struct Plan {
    std::vector<std::size_t> toRead;   // places in the walk of the files read this time
    std::vector<std::int64_t> dropped; // the stored files gone or read again
    std::size_t kept = 0;
    std::size_t vanished = 0;
    bool changes() const { return !toRead.empty() || vanished != 0; }
};

// What must be read and dropped for the index to hold what the walk found: the stored files and
// the found ones, both in the order of their paths, side by side.
Plan planned(const sqlite::Database& db, const FolderWalk& walk) {
    std::vector<std::size_t> order(walk.files.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto byPath = [&](std::size_t a, std::size_t b) { return walk.files[a].path < walk.files[b].path; };
    // A walk of one folder comes in order already.
    if (!std::is_sorted(order.begin(), order.end(), byPath))
        std::sort(order.begin(), order.end(), byPath);
    Plan plan;
    sqlite::Statement stored = db.prepare("SELECT path, id, size, modified FROM files ORDER BY path");
    bool more = stored.step();
    for (const std::size_t i : order) {
        const FoundFile& found = walk.files[i];
        for (; more && stored.textView(0) < found.path; more = stored.step()) {
            plan.dropped.push_back(stored.integer(1));
            ++plan.vanished;
        }
        if (more && stored.textView(0) == found.path) {
            if (stored.integer(2) == static_cast<std::int64_t>(found.size) &&
                stored.integer(3) == found.modified)
                ++plan.kept;
            else {
                plan.toRead.push_back(i);
                plan.dropped.push_back(stored.integer(1));
            }
            more = stored.step();
        } else {
            plan.toRead.push_back(i);
        }
    }
    for (; more; more = stored.step()) {
        plan.dropped.push_back(stored.integer(1));
        ++plan.vanished;
    }
    return plan;
}

void dropFiles(sqlite::Database& db, const std::vector<std::int64_t>& files, TouchedOutlines& touched) {
    sqlite::Statement outlines = db.prepare("SELECT outline, power_outline FROM sets WHERE file = ?1");
    sqlite::Statement words =
        db.prepare("DELETE FROM set_words WHERE rowid IN (SELECT id FROM sets WHERE file = ?1)");
    sqlite::Statement buttons =
        db.prepare("DELETE FROM set_buttons WHERE id IN (SELECT id FROM sets WHERE file = ?1)");
    sqlite::Statement sets = db.prepare("DELETE FROM sets WHERE file = ?1");
    sqlite::Statement file = db.prepare("DELETE FROM files WHERE id = ?1");
    for (const std::int64_t id : files) {
        outlines.bind(1, id);
        while (outlines.step()) {
            touched.sets.insert(outlines.integer(0));
            if (!outlines.isNull(1))
                touched.powers.insert(outlines.integer(1));
        }
        outlines.reset();
        for (sqlite::Statement* drop : {&words, &buttons, &sets, &file}) {
            drop->bind(1, id).run();
            drop->reset();
        }
    }
}

class Writer {
public:
    explicit Writer(sqlite::Database& db)
        : folder_(db.prepare("INSERT INTO folders(path) VALUES (?1) "
                             "ON CONFLICT(path) DO UPDATE SET path = excluded.path RETURNING id")),
          file_(db.prepare("INSERT INTO files(path, folder, size, modified, format, fault, skipped, "
                           "skipped_why) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) RETURNING id")),
          set_(db.prepare("INSERT INTO sets(file, ordinal, name, remote, maker, maker_key, device_type, "
                          "side, model, power, buttons, outline, power_outline, original, copies, "
                          "power_shared) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
                          "0, 1, 0) RETURNING id")),
          buttons_(db.prepare("INSERT INTO set_buttons(id, codes) VALUES (?1, ?2)")),
          words_(db.prepare("INSERT INTO set_words(rowid, words) VALUES (?1, ?2)")) {}

    std::int64_t folder(const fs::path& path) {
        folder_.bind(1, model::pathText(path));
        const std::int64_t id = folder_.step() ? folder_.integer(0) : 0;
        folder_.reset();
        return id;
    }

    void file(const IndexedFile& read, std::int64_t folder, TouchedOutlines& touched) {
        file_.bind(1, read.path)
            .bind(2, folder)
            .bind(3, static_cast<std::int64_t>(read.size))
            .bind(4, read.modified)
            .bind(5, read.format)
            .bind(6, read.fault)
            .bind(7, static_cast<std::int64_t>(read.skipped))
            .bind(8, read.skippedWhy);
        const std::int64_t id = file_.step() ? file_.integer(0) : 0;
        file_.reset();
        for (std::size_t ordinal = 0; ordinal < read.sets.size(); ++ordinal)
            set(read.sets[ordinal], id, ordinal, touched);
    }

private:
    void set(const CodeSet& set, std::int64_t file, std::size_t ordinal, TouchedOutlines& touched) {
        const auto outline = static_cast<std::int64_t>(setOutline(set));
        set_.bind(1, file).bind(2, static_cast<std::int64_t>(ordinal)).bind(3, set.id).bind(4, set.remote);
        set_.bind(5, set.maker)
            .bind(6, set.makerKey)
            .bind(7, set.deviceType)
            .bind(8, set.side)
            .bind(9, set.model);
        set_.bind(10, set.power).bind(11, static_cast<std::int64_t>(set.codes.size())).bind(12, outline);
        touched.sets.insert(outline);
        if (set.power >= 0) {
            const auto power =
                static_cast<std::int64_t>(codeOutline(set.codes[static_cast<std::size_t>(set.power)]));
            set_.bind(13, power);
            touched.powers.insert(power);
        } else {
            set_.bindNull(13);
        }
        const std::int64_t id = set_.step() ? set_.integer(0) : 0;
        set_.reset();
        buttons_.bind(1, id).bindBlob(2, storedButtons(set.codes)).run();
        buttons_.reset();
        words_.bind(1, id).bind(2, setWords(set)).run();
        words_.reset();
    }

    sqlite::Statement folder_, file_, set_, buttons_, words_;
};

// Reads the files of `plan` a batch at a time, on `threads` threads, and writes each batch.
void readAndWrite(sqlite::Database& db, const Plan& plan, const FolderWalk& walk,
                  const std::vector<fs::path>& folders, unsigned threads, TouchedOutlines& touched) {
    Writer writer(db);
    std::vector<std::int64_t> folderIds;
    for (const fs::path& folder : folders)
        folderIds.push_back(writer.folder(folder));
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t from = 0; from < plan.toRead.size(); from += kFilesAtOnce) {
        const std::size_t count = std::min(kFilesAtOnce, plan.toRead.size() - from);
        std::vector<IndexedFile> batch(count);
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i; (i = next++) < count;) {
                const FoundFile& found = walk.files[plan.toRead[from + i]];
                batch[i] = readLibraryFile(model::textPath(found.path), folders[found.folder]);
                batch[i].size = found.size;
                batch[i].modified = found.modified;
            }
        };
        std::vector<std::thread> workers;
        for (unsigned t = 1; t < std::min<std::size_t>(threads, count / 16 + 1); ++t)
            workers.emplace_back(work);
        work();
        for (std::thread& worker : workers)
            worker.join();
        for (std::size_t i = 0; i < count; ++i)
            writer.file(batch[i], folderIds[walk.files[plan.toRead[from + i]].folder], touched);
    }
}

std::vector<std::string> texts(const sqlite::Database& db, const char* sql) {
    std::vector<std::string> found;
    sqlite::Statement query = db.prepare(sql);
    while (query.step())
        found.push_back(query.text(0));
    return found;
}

} // namespace

IndexReport LibraryIndex::update(const std::vector<fs::path>& folders, unsigned threads) {
    IndexReport report;
    if (!isOpen())
        report.note = open({});
    for (int attempt = 0;; ++attempt) {
        try {
            IndexReport updated = updateOnce(folders, threads);
            if (!report.note.empty())
                updated.note = updated.note.empty() ? report.note : report.note + "; " + updated.note;
            return updated;
        } catch (const sqlite::Failure& failure) {
            const std::string what = failure.what();
            // A damaged index is made anew once and read again from the files.
            if (failure.damaged() && attempt == 0 && !file_.empty()) {
                db_.close();
                removeIndexDatabase(file_);
                const std::string reopened = open(file_, waitMillis_);
                report.note = "the library's index " + model::pathText(file_) + " was damaged (" + what +
                              "); it is made anew from the code files" +
                              (reopened.empty() ? "" : "; " + reopened);
                continue;
            }
            if (failure.damaged())
                markDamaged();
            report.note = (report.note.empty() ? "" : report.note + "; ") +
                          "the library's index could not be brought up to date (" + what + ")";
            return report;
        }
    }
}

IndexReport LibraryIndex::updateOnce(const std::vector<fs::path>& folders, unsigned threads) {
    IndexReport report;
    const FolderWalk walk = walkFolders(folders);
    Plan plan = planned(db_, walk);
    if (plan.changes()) {
        try {
            sqlite::Transaction writing(db_, true);
            // Planned again now that the index is this program's alone to write: another may have
            // brought it up to date meanwhile.
            plan = planned(db_, walk);
            TouchedOutlines touched;
            dropFiles(db_, plan.dropped, touched);
            readAndWrite(db_, plan, walk, folders, threads, touched);
            regroup(db_, touched);
            db_.execute("DELETE FROM folders WHERE id NOT IN (SELECT folder FROM files)");
            writing.commit();
        } catch (const sqlite::Failure& failure) {
            if (!failure.busy())
                throw;
            report.note = "another program has been updating the library's index for over " +
                          waitWords(waitMillis_) + "; it is used as it stands";
            plan.toRead.clear();
            plan.dropped.clear();
            plan.vanished = 0;
        }
    }
    report.read = plan.toRead.size();
    report.kept = plan.kept;
    report.dropped = plan.vanished;
    const sqlite::Transaction reading(db_, false);
    report.sets = static_cast<std::size_t>(db_.integer("SELECT COUNT(*) FROM sets"));
    report.faults = walk.faults;
    for (std::string& fault : texts(db_, "SELECT fault FROM files WHERE fault != '' ORDER BY path"))
        report.faults.push_back(std::move(fault));
    report.skipped = texts(db_, "SELECT skipped_why FROM files WHERE skipped_why != '' ORDER BY path");
    return report;
}

} // namespace codes
