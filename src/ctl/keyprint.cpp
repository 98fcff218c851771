#include "keyprint.h"

#include "codes/jsontext.h"

#include <sstream>

namespace ctl {

namespace {

using codes::jsonString;

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

} // namespace

std::string sendsText(const device::KeyReport& key) {
    if (!key.code || !key.code->played)
        return "unknown";
    if (const auto sends = device::protocolSends(key))
        return sends->protocol + " address " + std::to_string(sends->key.address) + " command " +
               std::to_string(sends->key.command);
    return "raw";
}

std::string keysText(const std::vector<device::KeyReport>& keys) {
    std::ostringstream out;
    for (const device::KeyReport& key : keys) {
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

std::string keysJson(const std::vector<device::KeyReport>& keys) {
    std::ostringstream out;
    out << "[";
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const device::KeyReport& key = keys[i];
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
            if (const auto sends = device::protocolSends(key))
                out << "{\"protocol\": " << jsonString(sends->protocol)
                    << ", \"address\": " << sends->key.address << ", \"command\": " << sends->key.command
                    << "}";
            else
                out << jsonString(c.played ? "raw" : "unknown");
        }
        out << "}";
    }
    out << "\n]\n";
    return out.str();
}

} // namespace ctl
