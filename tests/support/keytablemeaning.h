// The key table as the remote's slots mean it, so a table the program kept can be compared with
// one read afresh: a key without a code reads "NN|0" and a reference to an index entry "NN|s|1|EE",
// whichever way the entry was written.
#pragma once

#include "model/keytable.h"

#include <string>

namespace testsupport {

inline model::KeyTable meaning(model::KeyTable table) {
    for (auto& entry : table)
        if (model::entryState(entry) == model::kNoCode)
            entry = std::string(model::entryKeyNumber(entry)) + "|0";
        else if (entry.size() > 9 && entry[5] == '1')
            entry.resize(9);
    return table;
}

} // namespace testsupport
