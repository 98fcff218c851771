// Infrared signals from the files owners already have: a Flipper .ir file (raw signals, and
// parsed ones of the protocols the remote knows, as their remotes send them), Pronto
// hex (the learned 0000 form), or JSON (a list of durations in microseconds, an object with
// "timings_us" and "carrier_hz", or such objects one per line).
#pragma once

#include "fileproblem.h"
#include "ir/timings.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace codes {

struct NamedSignal {
    std::string name; // the file's button name; "" where the format has none
    ir::Signal signal;
    std::size_t line = 0; // where the signal begins
    // Why a well-formed signal cannot be learned (a parsed signal of a protocol the remote does
    // not know, say), placed at its file and line; none when it can. The file's other signals
    // still can.
    std::optional<FileProblem> unusable;
};

// Every signal of the file; on failure what is wrong, at the line at fault.
std::variant<std::vector<NamedSignal>, FileProblem> readSignalFile(const std::filesystem::path& file);

// The same for a file's contents already read; `file` is where problems are placed.
std::variant<std::vector<NamedSignal>, FileProblem> readSignalText(const std::string& whole,
                                                                   const std::filesystem::path& file);

// The name of the format a file's contents are in ("Pronto", "lircd.conf", ...), as readSignalText
// tells it; "unknown" or "empty" when it is none.
std::string codeFormatName(const std::string& whole);

// The signal called `name` (exactly, else letter case and separators aside), or the only one
// when no name is given; on failure, or when that signal is unusable, what is wrong.
std::variant<NamedSignal, FileProblem> chooseSignal(const std::vector<NamedSignal>& fileSignals,
                                                    const std::filesystem::path& file,
                                                    const std::string& name);

} // namespace codes
