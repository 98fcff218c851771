#include "signalfile.h"

#include "codefile.h"
#include "ir/json.h"
#include "wholefile.h"

#include "model/hextext.h"
#include "model/keynames.h"
#include "model/portablefiles.h"

#include <sstream>

namespace codes {

namespace {

constexpr std::uintmax_t kLargestFile = 4 * 1024 * 1024;

} // namespace

Read readSignalFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    const Fault fault(file);
    if (ec)
        return fault.at(0, FileFault::CannotRead);
    if (size > kLargestFile)
        return fault.at(0, FileFault::TooLarge);
    const auto whole = readWhole(file);
    if (!whole)
        return fault.at(0, FileFault::CannotRead);
    return readSignalText(*whole, file);
}

namespace {

enum class Format { Empty, Unknown, Flipper, Irdb, Lircd, SmartIr, Json, GlobalCache, Broadlink, Pronto };

// A byte-order mark, which some editors put before UTF-8 text, is no part of the file's content.
std::string_view withoutMark(const std::string& whole) {
    std::string_view text(whole);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.remove_prefix(3);
    return text;
}

Lines linesOf(const std::string& whole) {
    Lines lines;
    std::istringstream split(whole);
    for (std::string line; std::getline(split, line);)
        lines.push_back(line);
    return lines;
}

// The file's format, told by its content; `first` learns the line the content starts on.
Format formatOf(const Lines& lines, const std::string& whole, std::size_t& first) {
    first = 0;
    // Blank lines, and the comment lines Pronto codes are often kept under, lead to the code.
    while (first < lines.size() && (trimmed(lines[first]).empty() || trimmed(lines[first])[0] == '#'))
        ++first;
    if (first == lines.size())
        return Format::Empty;
    const std::string opening = trimmed(lines[first]);
    if (first == 0 && opening.rfind("Filetype:", 0) == 0)
        return Format::Flipper;
    if (irdbHeading(opening))
        return Format::Irdb;
    if (opening.rfind("begin remote", 0) == 0)
        return Format::Lircd;
    if (opening[0] == '{') {
        const auto json = ir::parseJson(whole);
        if (const auto* root = std::get_if<ir::JsonValue>(&json); root && root->member("commands"))
            return Format::SmartIr;
    }
    if (opening[0] == '[' || opening[0] == '{')
        return Format::Json;
    if (opening.find("sendir,") != std::string::npos)
        return Format::GlobalCache;
    if (isBroadlinkLine(opening))
        return Format::Broadlink;
    if (opening.size() >= 4 && model::parseHex(opening.substr(0, 4)))
        return Format::Pronto;
    return Format::Unknown;
}

Read readByFormat(const std::string& whole, const Fault& fault) {
    const Lines lines = linesOf(whole);
    std::size_t first = 0;
    switch (formatOf(lines, whole, first)) {
    case Format::Empty:
        return fault.at(1, FileFault::Empty);
    case Format::Flipper:
        return flipperFile(lines, fault);
    case Format::Irdb:
        return irdbFile(lines, fault);
    case Format::Lircd:
        return lircdFile(lines, fault);
    case Format::SmartIr:
        if (auto smartIr = smartIrFile(whole, lines, fault))
            return std::move(*smartIr);
        break;
    case Format::Json:
        return jsonFile(lines, whole, fault);
    case Format::GlobalCache:
        return globalCacheFile(lines, fault);
    case Format::Broadlink:
        return broadlinkFile(lines, fault);
    case Format::Pronto:
        return prontoFile(lines, fault);
    case Format::Unknown:
        break;
    }
    return fault.at(first + 1, FileFault::UnknownFormat);
}

// More durations than one capture of the remote holds (its 10240-character record, four a word)
// could only be learned cut short.
constexpr std::size_t kMostDurations = 2000;

// A signal too long for the remote to learn is set aside, the file's others kept.
Read withinCapture(Read read, const Fault& fault) {
    if (auto* signals = std::get_if<std::vector<NamedSignal>>(&read))
        for (NamedSignal& signal : *signals)
            if (!signal.unusable && signal.signal.timings.size() > kMostDurations)
                signal.unusable =
                    fault.at(signal.line, {.fault = FileFault::TooManyDurations,
                                           .text = signal.name,
                                           .number = static_cast<long>(signal.signal.timings.size()),
                                           .limit = static_cast<long>(kMostDurations)});
    return read;
}

} // namespace

Read readSignalText(const std::string& contents, const std::filesystem::path& file) {
    const Fault fault(file);
    return withinCapture(readByFormat(std::string(withoutMark(contents)), fault), fault);
}

std::string codeFormatName(const std::string& contents) {
    const std::string whole(withoutMark(contents));
    static const char* const kNames[] = {"empty",   "unknown", "Flipper .ir", "IRDB CSV",  "lircd.conf",
                                         "SmartIR", "JSON",    "GlobalCache", "Broadlink", "Pronto"};
    std::size_t first = 0;
    return kNames[static_cast<int>(formatOf(linesOf(whole), whole, first))];
}

std::variant<NamedSignal, FileProblem> chooseSignal(const std::vector<NamedSignal>& signals,
                                                    const std::filesystem::path& file,
                                                    const std::string& name) {
    const auto usable = [](const NamedSignal& signal) -> std::variant<NamedSignal, FileProblem> {
        if (signal.unusable)
            return *signal.unusable;
        return signal;
    };
    const Fault fault(file);
    if (name.empty()) {
        if (signals.size() == 1)
            return usable(signals[0]);
        std::string names;
        for (std::size_t i = 0; i < signals.size() && i < 8; ++i)
            names += (i ? ", " : "") + signals[i].name;
        return fault.at(0, {.fault = FileFault::SeveralSignals,
                            .text = names + (signals.size() > 8 ? ", ..." : ""),
                            .number = static_cast<long>(signals.size())});
    }
    for (const NamedSignal& signal : signals)
        if (signal.name == name)
            return usable(signal);
    for (const NamedSignal& signal : signals)
        if (model::foldName(signal.name) == model::foldName(name))
            return usable(signal);
    return fault.at(0, {.fault = FileFault::NoSignalNamed, .text = name});
}

} // namespace codes
