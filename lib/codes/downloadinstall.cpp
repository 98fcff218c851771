#include "downloadinstall.h"

#include "downloadfiles.h"
#include "model/portablefiles.h"

#include <cstdio>
#include <random>
#if defined(__linux__)
#include <fcntl.h>
#endif

namespace codes {

namespace fs = std::filesystem;

namespace {

const char* const kKinds[] = {".download-", ".unpack-", ".old-"};

std::string freshTag() {
    std::random_device random;
    char tag[17];
    std::snprintf(tag, sizeof tag, "%08x%08x", random(), random());
    return tag;
}

fs::path hidden(const fs::path& folder, const std::string& name, const char* kind, const std::string& tag) {
    return folder / model::textPath("." + name + kind + tag);
}

// Swaps the two folders in one step where the system can; false where it cannot.
bool exchange(const fs::path& a, const fs::path& b) {
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)a;
    (void)b;
    return false;
#endif
}

} // namespace

DownloadPlaces downloadPlaces(const fs::path& codeFolder, const std::string& name) {
    const std::string tag = freshTag();
    return {hidden(codeFolder, name, kKinds[0], tag), hidden(codeFolder, name, kKinds[1], tag),
            codeFolder / model::textPath(name)};
}

void removeLeftovers(const fs::path& codeFolder, const std::string& name) {
    std::error_code error;
    for (fs::directory_iterator it(codeFolder, error); !error && it != fs::directory_iterator();
         it.increment(error)) {
        const std::string entry = model::pathText(it->path().filename());
        for (const char* kind : kKinds) {
            const std::string prefix = "." + name + kind;
            if (entry.size() > prefix.size() && entry.compare(0, prefix.size(), prefix) == 0) {
                std::error_code ignored;
                fs::remove_all(it->path(), ignored);
            }
        }
    }
}

std::optional<DownloadProblem> replaceFolder(const fs::path& fresh, const fs::path& target) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(target, error))) {
        fs::rename(fresh, target, error);
        return error ? std::optional(writeProblem(target, error)) : std::nullopt;
    }
    fs::path old = fresh;
    if (!exchange(fresh, target)) {
        // Two renames: for a moment there is no folder at all, never a mixed one.
        old = hidden(target.parent_path(), model::pathText(target.filename()), kKinds[2], freshTag());
        fs::rename(target, old, error);
        if (error)
            return writeProblem(target, error);
        fs::rename(fresh, target, error);
        if (error) {
            std::error_code ignored;
            fs::rename(old, target, ignored);
            return writeProblem(target, error);
        }
    }
    // What cannot be removed now is a hidden leftover, removed by the next download.
    fs::remove_all(old, error);
    return std::nullopt;
}

} // namespace codes
