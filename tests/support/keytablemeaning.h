// The key table as the remote's slots mean it, so a table the program kept can be compared with
// one read afresh: a key without a code reads "NN|0" whichever way its entry was written.
#pragma once

#include "model/keytable.h"

#include <string>

namespace testsupport {

inline model::KeyTable meaning(model::KeyTable table) {
    for (auto& entry : table)
        if (model::entryState(entry) == model::kNoCode)
            entry = std::string(model::entryKeyNumber(entry)) + "|0";
    return table;
}

} // namespace testsupport
