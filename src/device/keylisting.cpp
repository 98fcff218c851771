#include "keylisting.h"

#include "jsontext.h"
#include "keynames.h"

#include "ir/addresscommand.h"
#include "model/keytable.h"

#include <sstream>

namespace ctl {

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

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

std::vector<KeyReport> listKeys(const model::LayoutRead& read) {
    std::vector<KeyReport> keys;
    for (std::size_t n = 0; n < read.keyTable.size(); ++n) {
        const std::string& entry = read.keyTable[n];
        const std::string number(model::entryKeyNumber(entry));
        if (number == model::kNoKeyNumber)
            continue;
        KeyReport key{n, number, keyLabel(number), stateName(model::entryState(entry)), std::nullopt, {}};
        if (model::entryState(entry) != model::kNoCode && model::entryState(entry) != '\0')
            key.code = device::readStoredKey(read.layout, n);
        keys.push_back(std::move(key));
    }
    for (KeyReport& key : keys) {
        if (!key.code || !key.code->entry)
            continue;
        for (const KeyReport& other : keys)
            if (other.slot != key.slot && other.code && other.code->entry == key.code->entry)
                key.sharedWith.push_back(other.keyNumber);
    }
    return keys;
}

std::string sendsText(const KeyReport& key) {
    if (!key.code || !key.code->played)
        return "unknown";
    if (const auto& p = key.code->played->protocol) {
        const auto ac = ir::addressAndCommand(*p);
        return ir::protocolName(p->protocol) + " address " + std::to_string(ac.address) + " command " +
               std::to_string(ac.command);
    }
    return "raw";
}

std::string keysText(const std::vector<KeyReport>& keys) {
    std::ostringstream out;
    for (const KeyReport& key : keys) {
        out << key.keyNumber << ' ' << key.label << ": " << key.state;
        if (key.code) {
            const device::StoredKey& c = *key.code;
            if (c.entry)
                out << ", stored code " << c.identity << " (entry " << *c.entry << ", " << c.blocks
                    << (c.blocks == 1 ? " block" : " blocks")
                    << (key.sharedWith.empty() ? "" : ", shared with " + joined(key.sharedWith)) << ")";
            else
                out << ", preset " << c.identity;
            out << ", sends " << sendsText(key);
        }
        out << '\n';
    }
    return out.str();
}

std::string keysJson(const std::vector<KeyReport>& keys) {
    std::ostringstream out;
    out << "[";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const KeyReport& key = keys[i];
        out << (i ? "," : "") << "\n  {\"key\": " << jsonString(key.keyNumber)
            << ", \"name\": " << jsonString(key.label) << ", \"state\": " << jsonString(key.state);
        if (key.code) {
            const device::StoredKey& c = *key.code;
            out << ", \"identity\": " << jsonString(c.identity)
                << ", \"stored\": " << (c.entry ? "true" : "false");
            if (c.entry)
                out << ", \"entry\": " << *c.entry;
            out << ", \"blocks\": " << c.blocks << ", \"sharedWith\": [";
            for (std::size_t s = 0; s < key.sharedWith.size(); ++s)
                out << (s ? ", " : "") << jsonString(key.sharedWith[s]);
            out << "], \"sends\": ";
            const auto& played = c.played;
            if (played && played->protocol) {
                const auto ac = ir::addressAndCommand(*played->protocol);
                out << "{\"protocol\": " << jsonString(ir::protocolName(played->protocol->protocol))
                    << ", \"address\": " << ac.address << ", \"command\": " << ac.command << "}";
            } else {
                out << jsonString(played ? "raw" : "unknown");
            }
        }
        out << "}";
    }
    out << "\n]\n";
    return out.str();
}

} // namespace ctl
