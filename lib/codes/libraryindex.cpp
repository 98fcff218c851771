#include "libraryindex.h"

#include "ir/json.h"
#include "librarymakers.h"
#include "signalfile.h"
#include "wholefile.h"

#include "ir/fidelity.h"
#include "model/keynames.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <atomic>
#include <sstream>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>

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

} // namespace

bool looksLikeCodeFile(const fs::path& file) {
    const std::string name = lowered(model::pathText(file.filename()));
    for (const char* notCodes : {"readme", "license", "licence", "copying", "changelog"})
        if (name.rfind(notCodes, 0) == 0)
            return false;
    if (name.find("lircd.conf") != std::string::npos)
        return true;
    const std::string ext = lowered(model::pathText(file.extension()));
    for (const char* codeExt :
         {".ir", ".json", ".csv", ".conf", ".pronto", ".txt", ".hex", ".gc", ".broadlink"})
        if (ext == codeExt)
            return true;
    return false;
}

std::vector<CodeSet> indexCodeFile(const fs::path& file, const fs::path& folder, std::string& fault) {
    fault.clear();
    const auto failed = [&](const std::string& why) {
        fault = model::pathText(file) + ": " + why;
        return std::vector<CodeSet>{};
    };
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (error)
        return failed("cannot be read: " + error.message());
    if (size > kLargestCodeFile)
        return failed("too large for a code file (" + std::to_string(size >> 20) + " MB)");
    const auto contents = readWhole(file);
    if (!contents)
        return failed("cannot be read");
    const std::string& whole = *contents;
    const std::string format = codeFormatName(whole);
    if (format == "empty" || format == "unknown")
        return failed("not a code file of a format read here (" + format + ")");
    auto read = readSignalText(whole, file);
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        fault = codes::describe(*problem);
        return {};
    }
    const auto& signals = std::get<std::vector<NamedSignal>>(read);
    const std::string path = model::pathText(file);
    Description d = describe(file, folder, format);
    if (format == "SmartIR") {
        const auto json = ir::parseJson(whole);
        if (const auto* value = std::get_if<ir::JsonValue>(&json)) {
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
    }

    std::vector<CodeSet> sets;
    const std::vector<std::string> remotes = remotesOf(whole, format);
    for (const auto& remote : remotes) {
        Description forRemote = d;
        if (format == "lircd.conf" && !remote.empty())
            forRemote.model = remote;
        sets.push_back(describedSet(path, remotes.size() > 1 ? remote : "", format, forRemote));
    }
    const auto byRemote = splitByRemote(signals, remotes);
    for (std::size_t r = 0; r < remotes.size(); ++r)
        for (const NamedSignal& signal : byRemote[r]) {
            LibraryCode code{buttonName(signal), signal.signal.carrierHz, {}};
            if (!signal.unusable)
                code.timings = ir::shortPress(signal.signal.timings);
            sets[r].codes.push_back(std::move(code));
        }
    std::erase_if(sets, [](const CodeSet& set) { return set.codes.empty(); });
    if (sets.empty())
        return failed("holds no codes");
    for (CodeSet& set : sets)
        set.power = powerCode(set);
    return sets;
}

IndexReport updateIndex(LibraryIndex& index, const std::vector<fs::path>& folders, unsigned threads) {
    std::unordered_map<std::string, IndexedFile> old;
    old.reserve(index.files.size());
    for (IndexedFile& file : index.files)
        old.emplace(file.path, std::move(file));
    IndexReport report;
    std::vector<IndexedFile> files;
    std::vector<fs::path> folderOf; // the library folder of each file to read, for its layout
    std::vector<std::size_t> toRead;
    std::unordered_set<std::string> seen;
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            // A file that vanished or a link to nowhere is passed over; the walk goes on.
            std::error_code entryError;
            const std::string name = model::pathText(it->path().filename());
            if (!name.empty() && name[0] == '.') {
                if (it->is_directory(entryError))
                    it.disable_recursion_pending();
                continue;
            }
            if (!it->is_regular_file(entryError) || !looksLikeCodeFile(it->path()))
                continue;
            const std::string path = model::pathText(it->path().lexically_normal());
            if (!seen.insert(path).second)
                continue;
            IndexedFile file{path, it->file_size(entryError), 0, {}, {}};
            file.modified =
                static_cast<std::int64_t>(it->last_write_time(entryError).time_since_epoch().count());
            const auto before = old.find(path);
            if (before != old.end() && before->second.size == file.size &&
                before->second.modified == file.modified) {
                files.push_back(std::move(before->second));
                old.erase(before);
                ++report.kept;
                continue;
            }
            if (before != old.end())
                old.erase(before);
            toRead.push_back(files.size());
            folderOf.push_back(folder);
            files.push_back(std::move(file));
        }
        if (error)
            report.faults.push_back(model::pathText(folder) + ": " + error.message());
    }
    report.dropped = old.size();
    report.read = toRead.size();

    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next++) < toRead.size();) {
            IndexedFile& file = files[toRead[i]];
            file.sets = indexCodeFile(model::textPath(file.path), folderOf[i], file.fault);
        }
    };
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    threads = static_cast<unsigned>(std::min<std::size_t>(threads, toRead.size() / 16 + 1));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < threads; ++t)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();

    std::sort(files.begin(), files.end(),
              [](const IndexedFile& a, const IndexedFile& b) { return a.path < b.path; });
    for (const IndexedFile& file : files) {
        report.sets += file.sets.size();
        if (!file.fault.empty())
            report.faults.push_back(file.fault);
    }
    index.files = std::move(files);
    return report;
}

// The cache file: a heading line, then every file with its code sets and their codes, in numbers
// of 7 bits a byte (the low bits first, the top bit set on all but the last) and texts as their
// length and bytes: a tenth of the size of the same in decimal, and read as fast as it is copied.
namespace {

constexpr std::string_view kCacheHeading = "QTM418-CODE-INDEX 2\n";

class CacheWriter {
public:
    explicit CacheWriter(std::string& out) : out_(out) {}

    void number(std::uint64_t n) {
        for (; n >= 0x80; n >>= 7)
            out_ += static_cast<char>((n & 0x7F) | 0x80);
        out_ += static_cast<char>(n);
    }
    void signedNumber(std::int64_t n) {
        number(n < 0 ? ~(static_cast<std::uint64_t>(n) << 1) : static_cast<std::uint64_t>(n) << 1);
    }
    void text(std::string_view t) {
        number(t.size());
        out_ += t;
    }

private:
    std::string& out_;
};

class CacheReader {
public:
    explicit CacheReader(std::string_view in) : in_(in) {}

    bool number(std::uint64_t& n) {
        n = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (at_ == in_.size())
                return false;
            const auto byte = static_cast<unsigned char>(in_[at_++]);
            n |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
            if (byte < 0x80)
                return true;
        }
        return false;
    }
    template <typename Number> bool bounded(Number& out, std::uint64_t most) {
        std::uint64_t n = 0;
        if (!number(n) || n > most)
            return false;
        out = static_cast<Number>(n);
        return true;
    }
    bool signedNumber(std::int64_t& out) {
        std::uint64_t n = 0;
        if (!number(n))
            return false;
        out = n & 1 ? static_cast<std::int64_t>(~(n >> 1)) : static_cast<std::int64_t>(n >> 1);
        return true;
    }
    bool text(std::string& out) {
        std::uint64_t length = 0;
        if (!number(length) || length > in_.size() - at_)
            return false;
        out.assign(in_.substr(at_, length));
        at_ += length;
        return true;
    }
    // A count of things each taking at least a byte, so a damaged count cannot ask for more memory
    // than the file holds.
    bool count(std::size_t& n) {
        std::uint64_t read = 0;
        if (!number(read) || read > in_.size() - at_)
            return false;
        n = static_cast<std::size_t>(read);
        return true;
    }
    bool done() const { return at_ == in_.size(); }

private:
    std::string_view in_;
    std::size_t at_ = 0;
};

constexpr std::uint64_t kMostMicros = 1000000;
constexpr std::uint64_t kMostCarrierHz = 10000000;

bool readCode(CacheReader& in, LibraryCode& code) {
    std::size_t durations = 0;
    if (!in.text(code.button) || !in.bounded(code.carrierHz, kMostCarrierHz) || !in.count(durations))
        return false;
    code.timings.resize(durations);
    for (int& micros : code.timings)
        if (!in.bounded(micros, kMostMicros) || micros == 0)
            return false;
    return true;
}

bool readSet(CacheReader& in, const std::string& file, CodeSet& set) {
    set.file = file;
    std::int64_t power = 0;
    std::size_t codes = 0;
    if (!in.text(set.id) || !in.text(set.remote) || !in.text(set.format) || !in.text(set.maker) ||
        !in.text(set.deviceType) || !in.text(set.model) || !in.signedNumber(power) || !in.count(codes))
        return false;
    // Grown as read, so that a damaged count cannot make room for more than the file holds.
    for (std::size_t i = 0; i < codes; ++i)
        if (!readCode(in, set.codes.emplace_back()))
            return false;
    if (power < -1 || power >= static_cast<std::int64_t>(codes))
        return false;
    set.power = static_cast<int>(power);
    // Recomputed, so that the makers' spellings and the sides follow this program's tables.
    set.makerKey = makerKey(set.maker);
    set.side = sideOfDeviceType(set.deviceType.empty() ? set.model + " " + fileName(file) : set.deviceType);
    return true;
}

bool parseCache(std::string_view whole, LibraryIndex& index) {
    if (whole.substr(0, kCacheHeading.size()) != kCacheHeading)
        return false;
    CacheReader in(whole.substr(kCacheHeading.size()));
    std::size_t files = 0;
    if (!in.count(files))
        return false;
    for (std::size_t i = 0; i < files; ++i) {
        IndexedFile& file = index.files.emplace_back();
        std::size_t sets = 0;
        if (!in.text(file.path) || !in.number(file.size) || !in.signedNumber(file.modified) ||
            !in.text(file.fault) || !in.count(sets))
            return false;
        for (std::size_t n = 0; n < sets; ++n)
            if (!readSet(in, file.path, file.sets.emplace_back()))
                return false;
    }
    return in.done();
}

} // namespace

LibraryIndex loadIndex(const fs::path& cacheFile) {
    const auto whole = readWhole(cacheFile);
    LibraryIndex index;
    if (!whole || !parseCache(*whole, index))
        return {};
    return index;
}

std::string saveIndex(const fs::path& cacheFile, const LibraryIndex& index) {
    std::string bytes(kCacheHeading);
    CacheWriter out(bytes);
    out.number(index.files.size());
    for (const IndexedFile& file : index.files) {
        out.text(file.path);
        out.number(file.size);
        out.signedNumber(file.modified);
        out.text(file.fault);
        out.number(file.sets.size());
        for (const CodeSet& set : file.sets) {
            for (const std::string* text :
                 {&set.id, &set.remote, &set.format, &set.maker, &set.deviceType, &set.model})
                out.text(*text);
            out.signedNumber(set.power);
            out.number(set.codes.size());
            for (const LibraryCode& code : set.codes) {
                out.text(code.button);
                out.number(static_cast<std::uint64_t>(std::max(code.carrierHz, 0)));
                out.number(code.timings.size());
                for (const int micros : code.timings)
                    out.number(static_cast<std::uint64_t>(micros));
            }
        }
    }
    std::error_code error;
    fs::create_directories(cacheFile.parent_path(), error);
    if (const auto failure = saveWhole(cacheFile, bytes))
        return model::pathText(failure->file) + ": cannot be written" +
               (failure->why.empty() ? "" : ": " + failure->why);
    return {};
}

IndexReport refreshIndex(LibraryIndex& index, const std::vector<fs::path>& folders, const fs::path& cacheFile,
                         unsigned threads) {
    index = loadIndex(cacheFile);
    IndexReport report = updateIndex(index, folders, threads);
    if (report.changed()) {
        if (std::string failure = saveIndex(cacheFile, index); !failure.empty())
            report.faults.push_back(failure);
    }
    return report;
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
