// What clearing a key's slot frees in the remote's code index and block map. Plain functions:
// the window reads the slot and writes what these decide.
#pragma once

#include "keytable.h"

#include "memorylayout.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace model {

// The code index entry a slot refers to: from the slot record when it could be read, else from
// the key's own key-table entry; nullopt when the slot refers to none.
std::optional<std::string> referencedIndexEntry(std::string_view slotText, const KeyTable& table,
                                                std::size_t slot);

// True when a key other than `keyNumber` still uses index entry `entryNumber` (two hex digits).
// Keys in `leaving` are being cleared in the same run and do not keep the entry alive.
bool indexEntryShared(const KeyTable& table, std::string_view keyNumber, std::string_view entryNumber,
                      const std::set<std::string>& leaving = {});

struct FreedEntry {
    std::string codeIndexText;
    std::string blockMap;
};

// The index text with entry `entryNumber` zeroed and the map with its blocks marked free. Only
// blocks inside the map are freed; an entry number outside the index frees nothing (nullopt).
std::optional<FreedEntry> freeIndexEntry(const model::DeviceLayout& layout, std::string_view entryNumber);

} // namespace model
