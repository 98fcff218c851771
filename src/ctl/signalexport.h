// What learned keys send, written in the formats owners' other tools read: a Flipper .ir file of
// raw signals, Pronto hex in its learned 0000 form, a LIRC lircd.conf of raw codes, or JSON lines
// of timings as the test captures hold them.
#pragma once

#include "ir/timings.h"

#include <optional>
#include <string>
#include <vector>

namespace ctl {

struct ExportedKey {
    std::string keyNumber; // "04"
    std::string name;      // "TV/Up"
    ir::Signal signal;     // one press, from the first mark
};

enum class ExportFormat { Flipper, Pronto, Lirc, Json };

std::optional<ExportFormat> exportFormat(const std::string& name);
std::string exportText(const std::vector<ExportedKey>& keys, ExportFormat format);

} // namespace ctl
