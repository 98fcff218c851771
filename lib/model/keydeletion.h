// What clearing a key's slot frees in the remote's code index and block map. Plain functions:
// the device layer reads the slot and writes what these decide.
#pragma once

#include "keytable.h"

#include "memorylayout.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace model {

// The code index entry a slot refers to: from the slot record when it could be read, else from
// the key's own key-table entry; nullopt when the slot refers to none.
std::optional<std::string> referencedIndexEntry(std::string_view slotText, const KeyTable& table,
                                                std::size_t slot);

// True when a slot other than `slot` still uses index entry `entryNumber` (two hex digits).
// Slots are compared, not key numbers: the filler slots past the key list all carry "--".
bool indexEntryShared(const KeyTable& table, std::size_t slot, std::string_view entryNumber);

struct FreedEntry {
    std::string codeIndexText;
    std::string blockMap;
};

// The index text with entry `entryNumber` zeroed and the map with its blocks marked free. Only
// blocks inside the map are freed; an entry number outside the index frees nothing (nullopt).
std::optional<FreedEntry> freeIndexEntry(const model::DeviceLayout& layout, std::string_view entryNumber);

// Index entries in use that no slot refers to: left behind by an interrupted change, they hold
// their blocks for nothing.
std::vector<unsigned> orphanEntries(const model::DeviceLayout& layout, const KeyTable& table);

// Treats every orphan entry as free in the kept layout, so the next index write the program makes
// gives its room back; the remote itself is not written. The number of entries freed.
std::size_t reclaimOrphans(model::DeviceLayout& layout, const KeyTable& table);

} // namespace model
