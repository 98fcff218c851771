#include "folderwalk.h"

#include "libraryindex.h"

#include "model/portablefiles.h"

#include <system_error>
#include <unordered_set>

namespace codes {

namespace fs = std::filesystem;

FolderWalk walkFolders(const std::vector<fs::path>& folders) {
    FolderWalk walk;
    std::unordered_set<std::string> seen;
    for (std::size_t f = 0; f < folders.size(); ++f) {
        std::error_code error;
        fs::recursive_directory_iterator it(folders[f], fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            std::error_code entryError;
            const std::string name = model::pathText(it->path().filename());
            if (!name.empty() && name[0] == '.') {
                if (it->is_directory(entryError))
                    it.disable_recursion_pending();
                continue;
            }
            if (!it->is_regular_file(entryError) || !looksLikeCodeFile(it->path()))
                continue;
            std::string path = model::pathText(it->path().lexically_normal());
            if (!seen.insert(path).second)
                continue;
            FoundFile found{std::move(path), f, it->file_size(entryError), 0};
            found.modified =
                static_cast<std::int64_t>(it->last_write_time(entryError).time_since_epoch().count());
            walk.files.push_back(std::move(found));
        }
        if (error)
            walk.faults.push_back(model::pathText(folders[f]) + ": " + error.message());
    }
    return walk;
}

} // namespace codes
