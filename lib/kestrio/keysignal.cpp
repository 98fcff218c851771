#include "keysignal.h"

#include "layoutdump.h"

#include "ir/addresscommand.h"
#include "model/hextext.h"
#include "model/memorylayout.h"

#include <sstream>

namespace emu {

namespace {

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string hexBytes(const Memory& memory, unsigned address, unsigned count) {
    std::string text;
    for (unsigned i = 0; i < count; ++i)
        text += model::formatHex(memory[address + i], 2);
    return text;
}

struct Shown {
    std::vector<int> first, repeat;
    int gap = 0;
};

Shown shown(const ir::Transmission& t) {
    const auto frames = ir::pressFrames(t, 2);
    Shown s;
    if (!frames.empty())
        s.first = frames[0].durations;
    if (frames.size() > 1) {
        s.gap = frames[0].gapAfter;
        s.repeat = frames[1].durations;
    }
    return s;
}

std::string list(const std::vector<int>& durations, const char* separator) {
    std::string text;
    for (int d : durations)
        text += (text.empty() ? "" : separator) + std::to_string(d);
    return text;
}

} // namespace

std::optional<KeySignal> pressKey(const Device& device, const std::string& keyNumber, std::string& why) {
    const LayoutDump dump = dumpDevice(device);
    if (dump.layout.failure) {
        why = "the remote's memory layout is unreadable";
        return std::nullopt;
    }
    const model::DeviceLayout& layout = dump.layout.layout;
    const auto& keys = dump.layout.keyTable;
    std::size_t slot = keys.size();
    for (std::size_t n = 0; n < keys.size() && slot == keys.size(); ++n)
        if (sameKey(std::string_view(keys[n]).substr(0, 2), keyNumber))
            slot = n;
    if (slot == keys.size()) {
        why = "the remote has no key " + keyNumber;
        return std::nullopt;
    }
    const unsigned at = model::slotAddress(layout, static_cast<unsigned>(slot));
    const Memory& m = device.memory;
    if ((m[at] & 0xA0) != 0x80) {
        why = "key " + keyNumber + " holds no code";
        return std::nullopt;
    }
    KeySignal key;
    key.keyNumber = keyNumber;
    key.stored = (m[at + 2] & 0x80) != 0;
    std::vector<std::uint8_t> code;
    if (key.stored) {
        const std::string_view entry = model::indexEntry(layout.codeIndexText, m[at + 3]);
        const auto blocks = model::indexEntryBlocks(entry);
        if (!model::indexEntryInUse(entry) || !blocks ||
            blocks->firstBlock + blocks->blockCount > layout.codeBlockCount) {
            why = "key " + keyNumber + " refers to a free or broken code index entry";
            return std::nullopt;
        }
        key.identity = std::string(entry.substr(0, 6));
        const unsigned from = layout.codeAreaAddress + 8 * blocks->firstBlock;
        code.assign(m.begin() + from, m.begin() + from + 8 * blocks->blockCount);
    } else {
        key.identity = hexBytes(m, at + 3, 3);
    }
    ir::Identity identity{};
    for (unsigned i = 0; i < 3; ++i)
        identity[i] =
            static_cast<std::uint8_t>(*model::parseHex(std::string_view(key.identity).substr(2 * i, 2)));
    ir::Parameters parameters{};
    std::copy(m.begin() + at + 6, m.begin() + at + 22, parameters.begin());
    auto played = ir::playKey(identity, code, parameters);
    if (!played) {
        why = "the code of key " + keyNumber + " (" + key.identity + ") does not make a signal";
        return std::nullopt;
    }
    key.played = std::move(*played);
    return key;
}

std::string keySignalText(const KeySignal& key, std::optional<long> holdMicros) {
    std::ostringstream out;
    const Shown s = shown(key.played.transmission);
    out << "key " << key.keyNumber << ": ";
    if (const auto& p = key.played.protocol) {
        const auto ac = ir::addressAndCommand(*p);
        out << ir::protocolName(p->protocol) << ", address " << ac.address << ", command " << ac.command;
        if (key.stored)
            out << ", kept " << key.played.kind;
    } else {
        out << key.played.kind;
    }
    out << " (" << (key.stored ? "stored code " : "preset ") << key.identity << ")\n"
        << "carrier:      " << key.played.transmission.carrierHz << " Hz\n"
        << "first frame:  " << list(s.first, " ") << '\n';
    if (!s.repeat.empty())
        out << "gap:          " << s.gap << '\n' << "repeat frame: " << list(s.repeat, " ") << '\n';
    out << "frames:       at least " << key.played.transmission.minimumFrames << " per press\n";
    if (holdMicros)
        out << "sent:         " << list(ir::heldPress(key.played.transmission, *holdMicros), " ") << '\n';
    return out.str();
}

std::string keySignalJson(const KeySignal& key, std::optional<long> holdMicros) {
    std::ostringstream out;
    const Shown s = shown(key.played.transmission);
    out << "{\"key\": \"" << key.keyNumber << "\", \"identity\": \"" << key.identity
        << "\", \"stored\": " << (key.stored ? "true" : "false") << ", \"kind\": \"" << key.played.kind
        << "\", \"protocol\": ";
    if (const auto& p = key.played.protocol) {
        const auto ac = ir::addressAndCommand(*p);
        out << "{\"name\": \"" << ir::protocolName(p->protocol) << "\", \"address\": " << ac.address
            << ", \"command\": " << ac.command << "}";
    } else {
        out << "null";
    }
    out << ", \"carrierHz\": " << key.played.transmission.carrierHz << ", \"first\": [" << list(s.first, ", ")
        << "], \"gap\": " << s.gap << ", \"repeat\": [" << list(s.repeat, ", ")
        << "], \"minimumFrames\": " << key.played.transmission.minimumFrames;
    if (holdMicros)
        out << ", \"sent\": [" << list(ir::heldPress(key.played.transmission, *holdMicros), ", ") << "]";
    out << "}\n";
    return out.str();
}

} // namespace emu
