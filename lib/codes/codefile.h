// What every reader of a code file shares: the file's lines, how a fault is placed (file and line)
// and how input is quoted in English. Each format's reader is declared here; readSignalFile
// picks the one the file's content calls for.
#pragma once

#include "fileproblem.h"
#include "signalfile.h"

#include "ir/addresscommand.h"
#include "ir/protocols.h"
#include "model/portablefiles.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace codes {

using Lines = std::vector<std::string>;
using Read = std::variant<std::vector<NamedSignal>, FileProblem>;

inline constexpr int kLongestMicros = 1000000;
inline constexpr double kProntoUnitMicros = 0.241246; // one count of the Pronto frequency word
// The smallest frequency word of a learned Pronto code: about 460 kHz, above every infrared
// carrier; a smaller word is a damaged code, not a carrier.
inline constexpr unsigned kSmallestProntoFrequencyWord = 9;

std::string trimmed(std::string_view text);
// Input quoted in English: at most about 60 characters of it, so a long line never floods a message.
std::string excerpt(std::string_view text);
// A whole decimal number, all of `text`.
std::optional<long> wholeNumber(std::string_view text);

// What a remote of `protocol` sends for one press of the key: each of its frames once, as
// learning it from that remote would have captured it; else why the key does not fit
// (KeyDoesNotFitProtocol, its protocol left for the caller to name).
std::variant<ir::Signal, FileProblem> protocolPress(ir::Protocol protocol, ir::AddressCommand key);

// Places a problem in the file, at a 1-based line.
class Fault {
public:
    explicit Fault(const std::filesystem::path& file) : file_(model::pathText(file)) {}
    FileProblem at(std::size_t line, FileProblem problem) const {
        problem.file = file_;
        problem.line = line;
        return problem;
    }
    FileProblem at(std::size_t line, FileFault fault) const { return at(line, FileProblem{.fault = fault}); }

private:
    std::string file_;
};

// The readers, each given the whole file split into lines (and the whole text where it needs it).
Read flipperFile(const Lines& lines, const Fault& fault);
Read prontoFile(const Lines& lines, const Fault& fault);
Read jsonFile(const Lines& lines, const std::string& whole, const Fault& fault);
// IRDB CSV: `irdbHeading` tells its first line (letter case aside).
bool irdbHeading(std::string_view line);
Read irdbFile(const Lines& lines, const Fault& fault);
Read lircdFile(const Lines& lines, const Fault& fault);
Read broadlinkFile(const Lines& lines, const Fault& fault);
// A SmartIR file when `whole` is a JSON object with "commands"; nullopt when it is other JSON.
std::optional<Read> smartIrFile(const std::string& whole, const Lines& lines, const Fault& fault);
Read globalCacheFile(const Lines& lines, const Fault& fault);

// One Broadlink packet in base64: what it sends, as often as it says; else why not.
std::variant<ir::Signal, FileProblem> broadlinkPacket(std::string_view text);
// Whether a line holds a Broadlink packet (after a name, perhaps).
bool isBroadlinkLine(const std::string& line);

} // namespace codes
