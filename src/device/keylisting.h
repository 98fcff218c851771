// Every key of the remote with what it holds: its state, its code and who shares it, the blocks
// it takes and what it sends.
#pragma once

#include "storedkey.h"

#include "codes/signalexport.h"
#include "ir/addresscommand.h"
#include "model/keytable.h"
#include "model/memorylayout.h"

#include <optional>
#include <string>
#include <vector>

namespace device {

struct KeyReport {
    std::size_t slot = 0;
    std::string keyNumber;
    std::string label; // "TV/Up"
    std::string state; // "empty", "downloaded" or "learned"
    std::optional<StoredKey> code;
    std::vector<std::string> sharedWith; // key numbers of the other keys on the same stored code
};

// One report per slot of a key, in slot order; slots past the key list are left out.
std::vector<KeyReport> listKeys(const model::LayoutRead& read);
std::vector<KeyReport> listKeys(const model::DeviceLayout& layout, const model::KeyTable& table);

// The report of slot `slot` alone, who shares its code left out; nullopt past the key list.
std::optional<KeyReport> reportKey(const model::DeviceLayout& layout, const model::KeyTable& table,
                                   std::size_t slot);

// The protocol a key's code sends, with its address and command; nullopt for a raw code or one
// that plays nothing.
struct ProtocolSends {
    std::string protocol; // "NEC"
    ir::AddressCommand key;
};
std::optional<ProtocolSends> protocolSends(const KeyReport& key);

// A press of the key as short as the remote makes it, ready to be written to a code file; nullopt
// when it holds no code the remote can play.
std::optional<codes::ExportedKey> exportedKey(const KeyReport& key);

// Every learned key the remote can play, as exported when no key is named.
std::vector<codes::ExportedKey> learnedKeysToExport(const std::vector<KeyReport>& keys);

} // namespace device
