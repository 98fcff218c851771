// library: the folders of code files the owner's library is made of, and the search over them.
// The folders are kept in the configuration folder, the index in the cache folder (XDG's, or
// Windows' application data folders).
#include "commands.h"
#include "librarylookup.h"

#include "codes/jsontext.h"
#include "codes/librarysearch.h"
#include "codes/ownerslibrary.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

namespace ctl {

namespace fs = std::filesystem;
using codes::jsonString;

const char* const kWhereToGetCodes =
    "the library has no folder of code files yet: download a collection with 'qtm418ctl library download "
    "NAME' ('qtm418ctl library download' lists them), or add a folder with 'qtm418ctl library add DIR' (a "
    "checkout of Flipper-IRDB, IRDB or SmartIR, LIRC's remotes, or your own .ir, .json, .csv or lircd.conf "
    "files)";

std::optional<codes::OwnersLibrary> openLibrary(const Console& console, bool needsFolders) {
    auto opened = codes::openOwnersLibrary();
    if (const auto* problem = std::get_if<std::string>(&opened)) {
        console.fail(kRefused, *problem);
        return std::nullopt;
    }
    auto& library = std::get<codes::OwnersLibrary>(opened);
    // What became of the index itself (made anew, kept in memory) is worth knowing, not fatal.
    if (!library.report.note.empty())
        console.err << "note: " << library.report.note << "\n";
    if (needsFolders && library.folders.empty()) {
        console.fail(kRefused, kWhereToGetCodes);
        return std::nullopt;
    }
    return std::move(library);
}

const codes::CodeSet* findSet(const codes::CodeLibrary& search, const std::string& id,
                              const Console& console) {
    // A set is named by the identifier search prints, or by its code file's path.
    std::error_code error;
    const fs::path file = model::textPath(id);
    const codes::CodeSet* set = search.find(
        fs::is_regular_file(file, error) ? model::pathText(fs::absolute(file, error).lexically_normal())
                                         : id);
    if (set == nullptr)
        console.fail(kRefused,
                     "no code set '" + id + "' in the library; 'qtm418ctl library search' names them");
    return set;
}

std::string setTitle(const codes::CodeSet& set) {
    std::string title = set.id + " (" + (set.maker.empty() ? "?" : set.maker);
    if (!set.model.empty())
        title += " " + set.model;
    return title + ", " + set.file + (set.remote.empty() ? "" : " remote " + set.remote) + ")";
}

std::optional<std::pair<std::string, std::vector<codes::NamedSignal>>>
librarySetSignals(const std::string& id, const Console& console) {
    auto library = openLibrary(console);
    if (!library)
        return std::nullopt;
    const codes::CodeLibrary search(library->index);
    const codes::CodeSet* set = findSet(search, id, console);
    if (set == nullptr)
        return std::nullopt;
    auto read = codes::readSetSignals(*set);
    if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
        console.fail(kRefused, codes::describe(*problem) + "; nothing written");
        return std::nullopt;
    }
    return std::make_pair(set->file + (set->remote.empty() ? "" : " (" + set->remote + ")"),
                          std::get<std::vector<codes::NamedSignal>>(std::move(read)));
}

namespace {

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
        console.out << model::pathText(folder) << ": " << codes::setsUnder(library->index, folder)
                    << " code sets" << (standard ? " (included while it exists)" : "") << "\n";
    }
    const codes::CodeLibrary search(library->index);
    console.out << search.size() << " code sets, " << search.distinct() << " sending different codes\n";
    for (const std::string& fault : library->report.faults)
        console.out << "not read: " << fault << "\n";
    for (const std::string& skipped : library->report.skipped)
        console.out << "partly read: " << skipped << "\n";
    return kDone;
}

int changeFolders(const std::string& action, const fs::path& folder, const Console& console) {
    const codes::FolderChangeResult change =
        action == "add" ? codes::addOwnersFolder(folder) : codes::removeOwnersFolder(folder);
    switch (change.outcome) {
    case codes::FolderChange::Done:
        break;
    case codes::FolderChange::NotAFolder:
        return console.fail(kRefused, model::pathText(folder) + " is not a folder");
    case codes::FolderChange::AlreadyListed:
        return console.fail(kRefused, model::pathText(folder) + " is already in the library");
    case codes::FolderChange::NotListed:
        return console.fail(kRefused, model::pathText(folder) + " is not a folder of the library");
    case codes::FolderChange::Standard:
        return console.fail(kRefused, model::pathText(folder) + " is always in the library when it exists");
    case codes::FolderChange::ListFailed:
        return console.fail(kRefused, change.problem);
    }
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    if (action == "add")
        console.out << "added " << model::pathText(change.folder) << ": "
                    << codes::setsUnder(library->index, change.folder) << " code sets\n";
    else
        console.out << "removed " << model::pathText(folder) << "\n";
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
    auto library = openLibrary(console, true);
    if (!library)
        return kRefused;
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
    if (found.empty() && !search.fault().empty())
        return console.fail(kRefused, search.fault());
    if (found.empty())
        return console.fail(kRefused, "no code set of the library matches '" + words + "'");
    return kDone;
}

int showSet(const std::string& id, const Console& console) {
    auto library = openLibrary(console);
    if (!library)
        return kRefused;
    const codes::CodeLibrary search(library->index);
    const codes::CodeSet* set = findSet(search, id, console);
    if (set == nullptr)
        return kRefused;
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
        return changeFolders(action, model::textPath(args.operands[1]), console);
    if (action == "search")
        return searchSets(args, console);
    if (action == "show" && operands == 2)
        return showSet(args.operands[1], console);
    if (action == "download" && operands <= 2)
        return libraryDownload(args, console);
    return console.fail(
        kNoRemote,
        "library: expected list, add DIR, remove DIR, search WORDS, show SET or download [NAME|URL]");
}

} // namespace ctl
