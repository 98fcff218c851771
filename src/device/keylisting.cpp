#include "keylisting.h"

#include "ir/frames.h"
#include "model/keynames.h"
#include "model/keytable.h"

namespace device {

namespace {

std::string stateName(char state) {
    switch (state) {
    case model::kLearnedCode:
        return "learned";
    case model::kDownloadedCode:
        return "downloaded";
    default:
        return "empty";
    }
}

} // namespace

std::optional<KeyReport> reportKey(const model::DeviceLayout& layout, const model::KeyTable& table,
                                   std::size_t slot) {
    const std::string& entry = table.at(slot);
    const std::string number(model::entryKeyNumber(entry));
    if (number == model::kNoKeyNumber)
        return std::nullopt;
    KeyReport key{slot,         number, model::keyLabel(number), stateName(model::entryState(entry)),
                  std::nullopt, {}};
    if (model::entryState(entry) != model::kNoCode && model::entryState(entry) != '\0')
        key.code = readStoredKey(layout, slot);
    return key;
}

std::vector<KeyReport> listKeys(const model::LayoutRead& read) {
    return listKeys(read.layout, read.keyTable);
}

std::vector<KeyReport> listKeys(const model::DeviceLayout& layout, const model::KeyTable& table) {
    std::vector<KeyReport> keys;
    for (std::size_t n = 0; n < table.size(); ++n)
        if (auto key = reportKey(layout, table, n))
            keys.push_back(std::move(*key));
    for (KeyReport& key : keys) {
        if (!key.code || !key.code->entry)
            continue;
        for (const KeyReport& other : keys)
            if (other.slot != key.slot && other.code && other.code->entry == key.code->entry)
                key.sharedWith.push_back(other.keyNumber);
    }
    return keys;
}

std::optional<ProtocolSends> protocolSends(const KeyReport& key) {
    if (!key.code || !key.code->played || !key.code->played->protocol)
        return std::nullopt;
    const auto& code = *key.code->played->protocol;
    return ProtocolSends{ir::protocolName(code.protocol), ir::addressAndCommand(code)};
}

std::optional<codes::ExportedKey> exportedKey(const KeyReport& key) {
    if (!key.code || !key.code->played)
        return std::nullopt;
    const ir::Transmission& sent = key.code->played->transmission;
    return codes::ExportedKey{key.keyNumber,
                              key.label,
                              {sent.carrierHz, ir::heldPress(sent, 0)},
                              codes::parsedKey(*key.code->played)};
}

std::vector<codes::ExportedKey> learnedKeysToExport(const std::vector<KeyReport>& keys) {
    std::vector<codes::ExportedKey> out;
    for (const KeyReport& key : keys)
        if (key.state == "learned")
            if (auto exported = exportedKey(key))
                out.push_back(std::move(*exported));
    return out;
}

} // namespace device
