// library: the folders of code files the owner's library is made of, and the search over them.
// The folders are kept in the configuration folder, the index in the cache folder (XDG's, or
// Windows' application data folders).
#include "commands.h"

#include "codes/jsontext.h"
#include "codes/libraryfolders.h"
#include "codes/librarysearch.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>

namespace ctl {

namespace {

namespace fs = std::filesystem;
using codes::jsonString;

fs::path userFolder(const char* variable, const char* windowsVariable, const fs::path& underHome) {
    if (const char* set = std::getenv(variable); set != nullptr && *set != '\0')
        return set;
    if (const char* set = std::getenv(windowsVariable); set != nullptr && *set != '\0')
        return set;
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : ".") / underHome;
}

fs::path foldersFile() {
    return userFolder("XDG_CONFIG_HOME", "APPDATA", ".config") / "qtm418" / "library.json";
}
fs::path indexFile() {
    return userFolder("XDG_CACHE_HOME", "LOCALAPPDATA", ".cache") / "qtm418" / "codeindex";
}

std::vector<fs::path> standardFolders() {
    return {"/usr/share/lirc/remotes",
            userFolder("XDG_DATA_HOME", "APPDATA", ".local/share") / "qtm418" / "codes"};
}

const char* kWhereToGetCodes =
    "the library has no folder of code files yet: add one with 'qtm418ctl library add DIR' (a checkout "
    "of Flipper-IRDB, IRDB or SmartIR, LIRC's remotes, or your own .ir, .json, .csv or lircd.conf files)";

struct Library {
    codes::LibraryFolders listed;
    std::vector<fs::path> folders; // listed and standard
    codes::LibraryIndex index;
    codes::IndexReport report;
};

// The library's folders and its index brought up to date; nullopt when the folders' file is damaged.
std::optional<Library> openLibrary(const Console& console) {
    auto loaded = codes::loadLibraryFolders(foldersFile());
    if (const auto* problem = std::get_if<std::string>(&loaded)) {
        console.fail(kRefused, *problem);
        return std::nullopt;
    }
    Library library{std::get<codes::LibraryFolders>(loaded), {}, {}, {}};
    library.folders = codes::libraryFolders(library.listed, standardFolders());
    library.report = codes::refreshIndex(library.index, library.folders, indexFile());
    return library;
}

std::size_t setsUnder(const codes::LibraryIndex& index, const fs::path& folder) {
    const std::string prefix = (folder / "").string();
    std::size_t sets = 0;
    for (const codes::IndexedFile& file : index.files)
        if (file.path.rfind(prefix, 0) == 0)
            sets += file.sets.size();
    return sets;
}

std::string sideName(const std::string& side) { return side.empty() ? "-" : side; }

std::string powerName(const codes::CodeSet& set) {
    return set.power < 0 ? "" : set.codes[static_cast<std::size_t>(set.power)].button;
}

int listFolders(const Console& console) {
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    if (library->folders.empty()) {
        console.out << "no folders; " << kWhereToGetCodes << "\n";
        return kDone;
    }
    for (const fs::path& folder : library->folders) {
        const bool standard = std::find(library->listed.folders.begin(), library->listed.folders.end(),
                                        folder) == library->listed.folders.end();
        console.out << folder.string() << ": " << setsUnder(library->index, folder) << " code sets"
                    << (standard ? " (included while it exists)" : "") << "\n";
    }
    const codes::CodeLibrary search(library->index);
    console.out << search.size() << " code sets, " << search.distinct() << " sending different codes\n";
    for (const std::string& fault : library->report.faults)
        console.out << "not read: " << fault << "\n";
    return kDone;
}

int changeFolders(const std::string& action, const fs::path& folder, const Console& console) {
    auto loaded = codes::loadLibraryFolders(foldersFile());
    if (const auto* problem = std::get_if<std::string>(&loaded))
        return console.fail(kRefused, *problem);
    codes::LibraryFolders listed = std::get<codes::LibraryFolders>(loaded);
    if (action == "add") {
        std::error_code error;
        if (!fs::is_directory(folder, error))
            return console.fail(kRefused, folder.string() + " is not a folder");
        if (!codes::addLibraryFolder(listed, folder))
            return console.fail(kRefused, folder.string() + " is already in the library");
    } else if (!codes::removeLibraryFolder(listed, folder)) {
        const auto standard = standardFolders();
        std::error_code error;
        const fs::path given = fs::absolute(folder, error).lexically_normal();
        const bool isStandard = std::find(standard.begin(), standard.end(), given) != standard.end();
        return console.fail(kRefused,
                            folder.string() + (isStandard ? " is always in the library when it exists"
                                                          : " is not a folder of the library"));
    }
    if (const auto failure = codes::saveLibraryFolders(foldersFile(), listed))
        return console.fail(kRefused, *failure);
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    if (action == "add")
        console.out << "added " << listed.folders.back().string() << ": "
                    << setsUnder(library->index, listed.folders.back()) << " code sets\n";
    else
        console.out << "removed " << folder.string() << "\n";
    return kDone;
}

std::string setJson(const codes::FoundSet& found) {
    const codes::CodeSet& s = *found.set;
    return "{\"set\": " + jsonString(s.id) + ", \"maker\": " + jsonString(s.maker) +
           ", \"model\": " + jsonString(s.model) + ", \"type\": " + jsonString(s.deviceType) +
           ", \"side\": " + jsonString(s.side) + ", \"format\": " + jsonString(s.format) +
           ", \"file\": " + jsonString(s.file) + ", \"remote\": " + jsonString(s.remote) +
           ", \"buttons\": " + std::to_string(s.codes.size()) + ", \"power\": " + jsonString(powerName(s)) +
           ", \"copies\": " + std::to_string(found.copies) + "}";
}

int searchSets(const Arguments& args, const Console& console) {
    const std::string side = args.value("--side").value_or("");
    if (!side.empty() && side != "tv" && side != "cbl")
        return console.fail(kNoRemote, "library search: --side takes tv or cbl");
    std::string words;
    for (std::size_t i = 1; i < args.operands.size(); ++i)
        words += (i > 1 ? " " : "") + args.operands[i];
    if (words.empty())
        return console.fail(kNoRemote, "library search: give the words to look for (a maker, a model)");
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    if (library->folders.empty())
        return console.fail(kRefused, kWhereToGetCodes);
    const codes::CodeLibrary search(library->index);
    const auto found = search.search(words, side);
    if (args.has("--json")) {
        console.out << "[";
        for (std::size_t i = 0; i < found.size(); ++i)
            console.out << (i ? ",\n " : "") << setJson(found[i]);
        console.out << "]\n";
        return kDone;
    }
    for (const codes::FoundSet& f : found) {
        const codes::CodeSet& s = *f.set;
        console.out << s.id << "  " << (s.maker.empty() ? "?" : s.maker) << " " << s.model << "  ("
                    << (s.deviceType.empty() ? s.format : s.deviceType) << ", " << sideName(s.side) << ", "
                    << s.codes.size() << " buttons" << (s.power < 0 ? ", no Power" : "")
                    << (f.copies > 1 ? ", " + std::to_string(f.copies - 1) + " more sending the same" : "")
                    << ")\n";
    }
    if (found.empty())
        return console.fail(kRefused, "no code set of the library matches '" + words + "'");
    return kDone;
}

int showSet(const std::string& id, const Console& console) {
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    const codes::CodeLibrary search(library->index);
    // A set is named by the identifier search prints, or by its code file's path.
    std::error_code error;
    const codes::CodeSet* set = search.find(
        fs::is_regular_file(id, error) ? fs::absolute(id, error).lexically_normal().string() : id);
    if (set == nullptr)
        return console.fail(kRefused,
                            "no code set '" + id + "' in the library; 'qtm418ctl library search' names them");
    console.out << "set: " << set->id << "\nfile: " << set->file << "\n";
    if (!set->remote.empty())
        console.out << "remote: " << set->remote << "\n";
    console.out << "format: " << set->format << "\nmaker: " << set->maker << "\nmodel: " << set->model
                << "\ntype: " << set->deviceType << "\nside: " << sideName(set->side) << "\nbuttons:";
    for (std::size_t i = 0; i < set->codes.size(); ++i) {
        const codes::LibraryCode& code = set->codes[i];
        console.out << "\n  " << code.button << (static_cast<int>(i) == set->power ? "  (Power)" : "")
                    << (code.timings.empty() ? "  (cannot be learned)" : "");
    }
    console.out << "\n";
    return kDone;
}

} // namespace

int libraryCommand(const Arguments& args, const Console& console) {
    const std::string& action = args.operands[0];
    const std::size_t operands = args.operands.size();
    if (action == "list" && operands == 1)
        return listFolders(console);
    if ((action == "add" || action == "remove") && operands == 2)
        return changeFolders(action, args.operands[1], console);
    if (action == "search")
        return searchSets(args, console);
    if (action == "show" && operands == 2)
        return showSet(args.operands[1], console);
    return console.fail(kNoRemote, "library: expected list, add DIR, remove DIR, search WORDS or show SET");
}

} // namespace ctl
