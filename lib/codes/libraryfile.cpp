// One code file as the library sees it: its code sets, with maker, type and model from the
// collection's layout, what each button sends, and the codes that cannot be used counted once.
#include "libraryindex.h"

#include "ir/json.h"
#include "librarymakers.h"
#include "signalfile.h"
#include "wholefile.h"

#include "ir/fidelity.h"
#include "model/keynames.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <system_error>

namespace codes {

namespace fs = std::filesystem;

namespace {

// No code file of any collection comes near this; a larger file is something else.
constexpr std::uintmax_t kLargestCodeFile = 16u << 20;

struct Description {
    std::string maker, deviceType, model;
};

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The name of a file the index keeps by its path.
std::string fileName(const std::string& file) { return model::pathText(model::textPath(file).filename()); }

std::string spaced(std::string text) {
    std::replace(text.begin(), text.end(), '_', ' ');
    return text;
}

// "Samsung_BN59-01330C" by maker "Samsung" is model "BN59-01330C".
std::string modelOf(const std::string& stem, const std::string& maker) {
    const auto cut = stem.find_first_of("_- .");
    if (!maker.empty() && cut != std::string::npos && makerKey(stem.substr(0, cut)) == makerKey(maker))
        return spaced(stem.substr(cut + 1));
    return spaced(stem);
}

std::string lircdModel(const fs::path& file) {
    const std::string name = model::pathText(file.filename());
    const std::string prefix = "lircd.conf.";
    if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
        return name.substr(prefix.size());
    const auto suffix = lowered(name).rfind(".lircd.conf");
    if (suffix != std::string::npos && suffix > 0)
        return name.substr(0, suffix);
    return model::pathText(file.stem());
}

// Maker, type and model from where the file lies: Flipper-IRDB's `<type>/<maker>/<file>.ir`,
// IRDB's `<maker>/<type>/<device>,<subdevice>.csv`, LIRC's `<maker>/lircd.conf.<model>`; else the
// file's own name, its first word taken for the maker.
Description describe(const fs::path& file, const fs::path& folder, const std::string& format) {
    std::vector<std::string> dirs;
    for (const auto& part : file.lexically_relative(folder).parent_path())
        if (!part.empty() && part != ".")
            dirs.push_back(model::pathText(part));
    const std::string stem = model::pathText(file.stem());
    Description d;
    if (format == "IRDB CSV" && dirs.size() >= 2) {
        d = {dirs[dirs.size() - 2], dirs.back(), stem};
    } else if (format == "lircd.conf") {
        d.maker = dirs.empty() ? "" : dirs.back();
        d.model = lircdModel(file);
    } else {
        const auto type = std::find_if(dirs.begin(), dirs.end(), isDeviceTypeFolder);
        if (type != dirs.end()) {
            // Flipper-IRDB nests some types (Car_Multimedia/DVD_Players/<maker>).
            auto at = type;
            while (at + 1 != dirs.end() && isDeviceTypeFolder(*(at + 1)))
                ++at;
            d.deviceType = *at;
            if (at + 1 != dirs.end())
                d.maker = *(at + 1);
        }
        if (d.maker.empty()) {
            const auto cut = stem.find_first_of("_- .");
            d.maker = stem.substr(0, cut);
        }
        d.model = modelOf(stem, d.maker);
    }
    return d;
}

// SmartIR names maker, models and kind inside the file.
void describeSmartIr(const std::string& whole, const fs::path& file, Description& d) {
    const auto json = ir::parseJson(whole);
    const auto* value = std::get_if<ir::JsonValue>(&json);
    if (value == nullptr)
        return;
    if (const ir::JsonValue* maker = value->member("manufacturer"); maker && !maker->text.empty())
        d.maker = maker->text;
    if (const ir::JsonValue* models = value->member("supportedModels")) {
        std::string joined;
        for (const ir::JsonValue& m : models->items)
            if (m.kind == ir::JsonValue::Kind::String)
                joined += (joined.empty() ? "" : ", ") + m.text;
        if (!joined.empty())
            d.model = joined;
    }
    d.deviceType = model::pathText(file.parent_path().filename());
}

// The names of a lircd.conf's remotes, in the file's order.
std::vector<std::string> lircdRemotes(const std::string& whole) {
    std::vector<std::string> remotes;
    std::istringstream in(whole);
    bool inRemote = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first, second;
        words >> first >> second;
        if (first == "begin" && second == "remote") {
            inRemote = true;
            remotes.emplace_back();
        } else if (first == "end" && second == "remote") {
            inRemote = false;
        } else if (inRemote && first == "name" && remotes.back().empty()) {
            remotes.back() = second;
        }
    }
    return remotes;
}

// The remotes a file's sets are: a lircd.conf's blocks, or one nameless remote for the whole file.
std::vector<std::string> remotesOf(const std::string& whole, const std::string& format) {
    std::vector<std::string> remotes;
    if (format == "lircd.conf")
        remotes = lircdRemotes(whole);
    if (remotes.empty())
        remotes.emplace_back();
    return remotes;
}

// The file's signals by the remote each belongs to, in the file's order; a lircd.conf of several
// remotes names its buttons "remote/button", and the remote's name is taken off.
std::vector<std::vector<NamedSignal>> splitByRemote(const std::vector<NamedSignal>& signals,
                                                    const std::vector<std::string>& remotes) {
    std::vector<std::vector<NamedSignal>> byRemote(remotes.size());
    for (const NamedSignal& signal : signals) {
        std::size_t which = 0;
        NamedSignal own = signal;
        for (std::size_t r = 0; remotes.size() > 1 && r < remotes.size(); ++r)
            if (own.name.rfind(remotes[r] + "/", 0) == 0) {
                which = r;
                own.name.erase(0, remotes[r].size() + 1);
                break;
            }
        byRemote[which].push_back(std::move(own));
    }
    return byRemote;
}

std::string buttonName(const NamedSignal& signal) {
    return signal.name.empty() ? "line " + std::to_string(signal.line) : signal.name;
}

// The button a code search tries: the Power key's, else one that turns the device off (SmartIR's
// media players name it "off"; some remotes have a Power off and a Power on), else one that turns
// it on.
int powerCode(const CodeSet& set) {
    const std::string side = set.side.empty() ? "tv" : set.side;
    const std::string powerKey = side == "cbl" ? "01" : "00";
    static const std::string kFallbacks[] = {"poweroff", "off", "poweron", "on"};
    int best = -1;
    std::size_t bestRank = std::size(kFallbacks);
    for (std::size_t i = 0; i < set.codes.size(); ++i) {
        if (set.codes[i].timings.empty())
            continue;
        if (model::keyForButton(side, set.codes[i].button) == powerKey)
            return static_cast<int>(i);
        const auto rank = static_cast<std::size_t>(
            std::find(std::begin(kFallbacks), std::end(kFallbacks), model::foldName(set.codes[i].button)) -
            std::begin(kFallbacks));
        if (rank < bestRank) {
            best = static_cast<int>(i);
            bestRank = rank;
        }
    }
    return best;
}

std::string setId(const std::string& file, const std::string& remote) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : file + "#" + remote) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    static const char kDigits[] = "0123456789abcdef";
    std::string id;
    for (int i = 0; i < 10; ++i, hash >>= 4)
        id += kDigits[hash & 15];
    return id;
}

CodeSet describedSet(const std::string& file, const std::string& remote, const std::string& format,
                     const Description& d) {
    CodeSet set;
    set.id = setId(file, remote);
    set.file = file;
    set.remote = remote;
    set.format = format;
    set.maker = makerDisplayName(d.maker);
    set.makerKey = makerKey(d.maker);
    set.deviceType = d.deviceType;
    set.side = sideOfDeviceType(d.deviceType.empty() ? d.model + " " + fileName(file) : d.deviceType);
    set.model = d.model;
    return set;
}

// Why codes cannot be used, said once for the file: the collections' common cases in a few
// words each, any other by the fault of the first code it befell.
std::string whySkipped(const std::vector<FileProblem>& problems) {
    struct Kind {
        std::size_t count = 0;
        std::string words;
        std::vector<std::string> names; // the protocols, where the words name them
    };
    std::map<FileFault, Kind> kinds;
    std::vector<FileFault> order;
    for (const FileProblem& problem : problems) {
        Kind& kind = kinds[problem.fault];
        if (kind.count++ == 0) {
            order.push_back(problem.fault);
            switch (problem.fault) {
            case FileFault::RowIncomplete:
                kind.words = "without a name or protocol";
                break;
            case FileFault::ProtocolNotRendered:
                kind.words = "of a protocol not rendered here";
                break;
            case FileFault::ProtocolNotKnown:
                kind.words = "of a protocol the remote does not know by name";
                break;
            case FileFault::RadioPacket:
                kind.words = "radio packets, not infrared";
                break;
            case FileFault::CommandNull:
                kind.words = "null";
                break;
            case FileFault::TooManyDurations:
                kind.words = "too long for the remote to record";
                break;
            default:
                kind.words = "where " + describeFault(problem);
                break;
            }
        }
        const bool namesProtocol =
            problem.fault == FileFault::ProtocolNotRendered || problem.fault == FileFault::ProtocolNotKnown;
        if (namesProtocol && kind.names.size() < 3 &&
            std::find(kind.names.begin(), kind.names.end(), problem.other) == kind.names.end())
            kind.names.push_back(problem.other);
    }
    std::string why;
    for (const FileFault fault : order) {
        const Kind& kind = kinds[fault];
        why += (why.empty() ? "" : "; ") + std::to_string(kind.count) + " " + kind.words;
        for (std::size_t i = 0; i < kind.names.size(); ++i)
            why += (i == 0 ? " (" : ", ") + kind.names[i] + (i + 1 == kind.names.size() ? ")" : "");
    }
    return why;
}

} // namespace

bool looksLikeCodeFile(std::string_view fileName) {
    const std::string name = lowered(std::string(fileName));
    for (const char* notCodes : {"readme", "license", "licence", "copying", "changelog"})
        if (name.rfind(notCodes, 0) == 0)
            return false;
    if (name.find("lircd.conf") != std::string::npos)
        return true;
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return false;
    const std::string_view ext = std::string_view(name).substr(dot);
    for (const char* codeExt :
         {".ir", ".json", ".csv", ".conf", ".pronto", ".txt", ".hex", ".gc", ".broadlink"})
        if (ext == codeExt)
            return true;
    return false;
}

IndexedFile readLibraryFile(const fs::path& file, const fs::path& folder) {
    IndexedFile read;
    read.path = model::pathText(file);
    const auto refused = [&](const std::string& why) {
        read.fault = read.path + ": " + why;
        return read;
    };
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error)
        return refused("cannot be read: " + error.message());
    if (size > kLargestCodeFile)
        return refused("too large for a code file (" + std::to_string(size >> 20) + " MB)");
    const auto contents = readWhole(file);
    if (!contents)
        return refused("cannot be read");
    const std::string& whole = *contents;
    read.format = codeFormatName(whole);
    if (read.format == "empty" || read.format == "unknown")
        return refused("not a code file of a format read here (" + read.format + ")");
    auto signals = readSignalText(whole, file);
    if (const auto* problem = std::get_if<FileProblem>(&signals)) {
        read.fault = codes::describe(*problem);
        return read;
    }
    Description d = describe(file, folder, read.format);
    if (read.format == "SmartIR")
        describeSmartIr(whole, file, d);

    const std::vector<std::string> remotes = remotesOf(whole, read.format);
    const auto byRemote = splitByRemote(std::get<std::vector<NamedSignal>>(signals), remotes);
    std::vector<FileProblem> unusable;
    std::size_t codes = 0;
    for (std::size_t r = 0; r < remotes.size(); ++r) {
        Description forRemote = d;
        if (read.format == "lircd.conf" && !remotes[r].empty())
            forRemote.model = remotes[r];
        CodeSet set = describedSet(read.path, remotes.size() > 1 ? remotes[r] : "", read.format, forRemote);
        bool usable = false;
        for (const NamedSignal& signal : byRemote[r]) {
            LibraryCode code{buttonName(signal), signal.signal.carrierHz, {}};
            if (signal.unusable)
                unusable.push_back(*signal.unusable);
            else
                code.timings = ir::shortPress(signal.signal.timings);
            usable = usable || !code.timings.empty();
            set.codes.push_back(std::move(code));
        }
        codes += set.codes.size();
        // A remote none of whose codes can be used is no set to try or learn from.
        if (usable) {
            set.power = powerCode(set);
            read.sets.push_back(std::move(set));
        }
    }
    read.skipped = unusable.size();
    if (read.sets.empty())
        return refused(unusable.empty() ? "holds no codes"
                                        : "no code in it can be used: " + whySkipped(unusable));
    if (!unusable.empty())
        read.skippedWhy = read.path + ": " + std::to_string(unusable.size()) + " of " +
                          std::to_string(codes) + " codes cannot be used: " + whySkipped(unusable);
    return read;
}

std::variant<std::vector<NamedSignal>, FileProblem> readSetSignals(const CodeSet& set) {
    const fs::path file = model::textPath(set.file);
    const auto contents = readWhole(file);
    if (!contents)
        return FileProblem{.fault = FileFault::CannotRead, .file = set.file};
    const std::string& whole = *contents;
    auto read = readSignalText(whole, file);
    if (auto* problem = std::get_if<FileProblem>(&read))
        return std::move(*problem);
    const std::vector<std::string> remotes = remotesOf(whole, codeFormatName(whole));
    const auto byRemote = splitByRemote(std::get<std::vector<NamedSignal>>(read), remotes);
    // A set of a one-remote file has no remote name of its own.
    const auto remote = set.remote.empty() && remotes.size() == 1
                            ? remotes.begin()
                            : std::find(remotes.begin(), remotes.end(), set.remote);
    const auto changed = [&] {
        return FileProblem{.fault = FileFault::SetChanged, .file = set.file, .text = set.id};
    };
    if (remote == remotes.end())
        return changed();
    std::vector<NamedSignal> signals = byRemote[static_cast<std::size_t>(remote - remotes.begin())];
    if (signals.size() != set.codes.size())
        return changed();
    for (std::size_t i = 0; i < signals.size(); ++i)
        if (buttonName(signals[i]) != set.codes[i].button)
            return changed();
    return signals;
}

} // namespace codes
