// Infrared signals from the files owners already have: a Flipper .ir file (raw signals, and
// parsed ones of the protocols the remote knows, as their remotes send them), Pronto
// hex (the learned 0000 form), or JSON (a list of durations in microseconds, an object with
// "timings_us" and "carrier_hz", or such objects one per line).
#pragma once

#include "ir/timings.h"

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace codes {

struct NamedSignal {
    std::string name; // the file's button name; "" where the format has none
    ir::Signal signal;
    std::size_t line = 0; // where the signal begins
    // Why a well-formed signal cannot be learned (a parsed signal of a protocol the remote does
    // not know, say), naming the file and line; "" when it can. The file's other signals still can.
    std::string unusable;
};

// Every signal of the file; on failure the message, naming the file and the line at fault.
std::variant<std::vector<NamedSignal>, std::string> readSignalFile(const std::filesystem::path& file);

// The same for a file's contents already read; `file` names it in messages.
std::variant<std::vector<NamedSignal>, std::string> readSignalText(const std::string& whole,
                                                                   const std::filesystem::path& file);

// The name of the format a file's contents are in ("Pronto", "lircd.conf", ...), as readSignalText
// tells it; "unknown" or "empty" when it is none.
std::string codeFormatName(const std::string& whole);

// The signal called `name` (exactly, else letter case and separators aside), or the only one
// when no name is given; on failure, or when that signal is unusable, the message, naming the file.
std::variant<NamedSignal, std::string> chooseSignal(const std::vector<NamedSignal>& fileSignals,
                                                    const std::filesystem::path& file,
                                                    const std::string& name);

} // namespace codes
