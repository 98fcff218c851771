#include "folderwalk.h"

#include "libraryindex.h"

#include "model/portablefiles.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#if !defined(_WIN32)
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace codes {

namespace fs = std::filesystem;

namespace {

// The folders walked so far, so that a folder listed twice, or inside another listed one, gives
// its files once: under the first that reaches them.
using Walked = std::unordered_set<std::string>;

#if defined(_WIN32)

void walkFolder(const fs::path& folder, std::size_t index, FolderWalk& walk, const Walked& walked) {
    std::error_code error;
    // Normal once here, so that every path found under it is.
    fs::recursive_directory_iterator it(folder.lexically_normal(),
                                        fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::error_code entryError;
        const std::string name = model::pathText(it->path().filename());
        if (it->is_directory(entryError)) {
            if ((!name.empty() && name[0] == '.') || walked.contains(model::pathText(it->path())))
                it.disable_recursion_pending();
            continue;
        }
        if (!name.empty() && name[0] == '.')
            continue;
        if (!it->is_regular_file(entryError) || !looksLikeCodeFile(name))
            continue;
        FoundFile file{model::pathText(it->path()), index, it->file_size(entryError), 0};
        if (!entryError)
            file.modified =
                static_cast<std::int64_t>(it->last_write_time(entryError).time_since_epoch().count());
        // A file that vanished while walked is passed over; the walk goes on.
        if (!entryError)
            walk.files.push_back(std::move(file));
    }
    if (error)
        walk.faults.push_back(model::pathText(folder) + ": " + error.message());
}

#else

// Each folder read through its own descriptor and each entry asked about relative to it: looking
// up a whole path again for every file costs a collection's walk more than the rest of it.
// Links to files are followed, links to folders are not (a link may lead back up the tree). A
// folder's entries are taken in the order of their names, a folder's as if it ended in '/': so
// the whole walk comes in the order of the paths, which the index compares its own files in.
void walkDirectory(const std::string& path, std::size_t index, FolderWalk& walk, const Walked& walked,
                   bool top) {
    if (!top && walked.contains(path))
        return;
    DIR* directory = ::opendir(path.c_str());
    if (directory == nullptr) {
        // A folder below that may not be read is passed over, as the file manager would.
        if (top)
            walk.faults.push_back(path + ": " + std::generic_category().message(errno));
        return;
    }
    struct Entry {
        std::string key; // the name, and '/' after a folder's
        bool folder = false;
        FoundFile file;
    };
    std::vector<Entry> entries;
    const int descriptor = ::dirfd(directory);
    const std::string prefix = path.back() == '/' ? path : path + "/";
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name.empty() || name[0] == '.')
            continue;
        struct stat status {};
        const bool folder = entry->d_type == DT_DIR ||
                            (entry->d_type == DT_UNKNOWN &&
                             ::fstatat(descriptor, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                             S_ISDIR(status.st_mode));
        if (folder) {
            entries.push_back({std::string(name) + "/", true, {}});
            continue;
        }
        if (!looksLikeCodeFile(name) || ::fstatat(descriptor, entry->d_name, &status, 0) != 0 ||
            !S_ISREG(status.st_mode))
            continue;
        entries.push_back(
            {std::string(name),
             false,
             {prefix + entry->d_name, index, static_cast<std::uintmax_t>(status.st_size),
              static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec}});
    }
    ::closedir(directory);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
    for (Entry& entry : entries) {
        if (entry.folder) {
            entry.key.pop_back();
            walkDirectory(prefix + entry.key, index, walk, walked, false);
        } else {
            walk.files.push_back(std::move(entry.file));
        }
    }
}

void walkFolder(const fs::path& folder, std::size_t index, FolderWalk& walk, const Walked& walked) {
    walkDirectory(folder.lexically_normal().string(), index, walk, walked, true);
}

#endif

} // namespace

FolderWalk walkFolders(const std::vector<fs::path>& folders) {
    FolderWalk walk;
    Walked walked;
    for (std::size_t f = 0; f < folders.size(); ++f) {
        const fs::path folder = folders[f].lexically_normal();
        std::string text = model::pathText(folder);
        while (text.size() > 1 && (text.back() == '/' || text.back() == '\\'))
            text.pop_back();
        // Inside a folder walked already: its files were found there.
        const bool inside = std::any_of(walked.begin(), walked.end(), [&](const std::string& before) {
            return text == before || (text.rfind(before, 0) == 0 &&
                                      (text[before.size()] == '/' || text[before.size()] == '\\'));
        });
        if (!inside)
            walkFolder(folder, f, walk, walked);
        walked.insert(std::move(text));
    }
    return walk;
}

} // namespace codes
