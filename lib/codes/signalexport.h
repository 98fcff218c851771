// What learned keys send, written in the formats owners' other tools read: a Flipper .ir file of
// parsed signals where the protocol says it all and raw ones otherwise, Pronto hex in its learned 0000 form,
// a LIRC lircd.conf of raw codes, or JSON lines of timings as the test captures hold them.
#pragma once

#include "ir/storedcode.h"
#include "ir/timings.h"

#include <optional>
#include <string>
#include <vector>

namespace codes {

// A key named by protocol, address and command, as a Flipper file names it.
struct ParsedKey {
    std::string protocol;
    unsigned long address = 0;
    unsigned long command = 0;
};

struct ExportedKey {
    std::string keyNumber;           // "04"
    std::string name;                // "TV/Up"
    ir::Signal signal;               // one press, from the first mark
    std::optional<ParsedKey> parsed; // written instead of the timings where a Flipper reads it
};

// The key's protocol, address and command when a Flipper knows the protocol by name and that key,
// sent as the protocol sends it, is heard as the key itself, held or pressed; else nullopt, and
// only its timings tell it.
std::optional<ParsedKey> parsedKey(const ir::PlayedKey& key);

enum class ExportFormat { Flipper, Pronto, Lirc, Json };

std::optional<ExportFormat> exportFormat(const std::string& name);
// The key's press as one line of learned Pronto hex (0000 form).
std::string prontoHex(const ExportedKey& key);

std::string exportText(const std::vector<ExportedKey>& keys, ExportFormat format);

} // namespace codes
