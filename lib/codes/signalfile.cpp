#include "signalfile.h"

#include "codefile.h"

#include "model/hextext.h"
#include "model/keynames.h"

#include <fstream>
#include <sstream>

namespace codes {

namespace {

constexpr std::uintmax_t kLargestFile = 4 * 1024 * 1024;

} // namespace

Read readSignalFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec)
        return file.string() + ": cannot be read";
    if (size > kLargestFile)
        return file.string() + ": too large for a code file";
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    if (!in)
        return file.string() + ": cannot be read";
    return readSignalText(buffer.str(), file);
}

Read readSignalText(const std::string& whole, const std::filesystem::path& file) {
    const Fault fault(file);
    Lines lines;
    std::istringstream split(whole);
    for (std::string line; std::getline(split, line);)
        lines.push_back(line);
    std::size_t first = 0;
    // Blank lines, and the comment lines Pronto codes are often kept under, lead to the code.
    while (first < lines.size() && (trimmed(lines[first]).empty() || trimmed(lines[first])[0] == '#'))
        ++first;
    if (first == lines.size())
        return fault.at(1, "the file is empty");
    const std::string opening = trimmed(lines[first]);
    if (first == 0 && opening.rfind("Filetype:", 0) == 0)
        return flipperFile(lines, fault);
    if (irdbHeading(opening))
        return irdbFile(lines, fault);
    if (opening.rfind("begin remote", 0) == 0)
        return lircdFile(lines, fault);
    if (opening[0] == '{')
        if (auto smartIr = smartIrFile(whole, lines, fault))
            return std::move(*smartIr);
    if (opening[0] == '[' || opening[0] == '{')
        return jsonFile(lines, whole, fault);
    if (opening.find("sendir,") != std::string::npos)
        return globalCacheFile(lines, fault);
    if (isBroadlinkLine(opening))
        return broadlinkFile(lines, fault);
    if (opening.size() >= 4 && model::parseHex(opening.substr(0, 4)))
        return prontoFile(lines, fault);
    return fault.at(
        first + 1, "unknown format: expected a Flipper .ir file, Pronto hex, JSON, a SmartIR file, Broadlink "
                   "packets or GlobalCache sendir commands");
}

std::variant<NamedSignal, std::string> chooseSignal(const std::vector<NamedSignal>& signals,
                                                    const std::filesystem::path& file,
                                                    const std::string& name) {
    const auto usable = [](const NamedSignal& signal) -> std::variant<NamedSignal, std::string> {
        if (!signal.unusable.empty())
            return signal.unusable;
        return signal;
    };
    if (name.empty()) {
        if (signals.size() == 1)
            return usable(signals[0]);
        std::string names;
        for (std::size_t i = 0; i < signals.size() && i < 8; ++i)
            names += (i ? ", " : "") + signals[i].name;
        return file.string() + " holds " + std::to_string(signals.size()) +
               " signals; choose one with --name (" + names + (signals.size() > 8 ? ", ..." : "") + ")";
    }
    for (const NamedSignal& signal : signals)
        if (signal.name == name)
            return usable(signal);
    for (const NamedSignal& signal : signals)
        if (model::foldName(signal.name) == model::foldName(name))
            return usable(signal);
    return file.string() + " holds no signal named " + excerpt(name);
}

} // namespace codes
