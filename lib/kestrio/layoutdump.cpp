#include "layoutdump.h"

#include "firmware.h"

#include "model/hextext.h"
#include "model/wire.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace emu {

namespace {

std::string hex4(unsigned value) { return model::formatHex(value, 4); }

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace

model::BlockReader memoryReader(const Device& device) {
    return [&device](unsigned address, int blocks, std::size_t bufferChars) {
        auto text = readBlocks(device, address, blocks);
        if (!text)
            return std::string();
        text->resize(std::max(bufferChars, std::size_t{16} * static_cast<std::size_t>(blocks)), '\0');
        return *text;
    };
}

LayoutDump dumpDevice(const Device& device) {
    LayoutDump dump;
    const std::string info = basicInformation(device);
    dump.identity = info.substr(0, 2 * wire::kIdentityBytes);
    dump.versionMajor = info.substr(2 * wire::kVersionMajorOffset, 2);
    dump.versionMinor = info.substr(2 * wire::kVersionMinorOffset, 2);
    dump.model = info.substr(2 * wire::kModelOffset, 4);
    dump.versionText = versionText(device);
    dump.attached = device.settings.attached;
    dump.layout = model::readLayout(memoryReader(device));
    const model::DeviceLayout& l = dump.layout.layout;
    for (unsigned e = 0; e < l.codeIndexCount; ++e) {
        IndexEntryView entry;
        entry.text = std::string(model::indexEntry(l.codeIndexText, e));
        entry.identity = entry.text.substr(0, 6);
        entry.inUse = model::indexEntryInUse(entry.text);
        if (const auto blocks = model::indexEntryBlocks(entry.text)) {
            entry.firstBlock = blocks->firstBlock;
            entry.blockCount = blocks->blockCount;
        }
        dump.index.push_back(entry);
    }
    return dump;
}

std::string dumpText(const LayoutDump& d) {
    std::ostringstream out;
    out << "identity:      " << d.identity << '\n'
        << "version:       " << d.versionMajor << ' ' << d.versionMinor << "  model " << d.model << '\n'
        << "version text:  " << d.versionText << '\n'
        << "cable:         " << (d.attached ? "attached" : "detached") << '\n';
    if (d.layout.failure) {
        out << "layout:        unreadable: the configurator stops at start-up with \"" << *d.layout.failure
            << "\"\n";
        return out.str();
    }
    const model::DeviceLayout& l = d.layout.layout;
    out << "locator:       header " << hex4(l.layoutHeaderAddress) << "  pointer base " << hex4(l.pointerBase)
        << "  block unit " << l.deviceBlockUnit << '\n'
        << "header:        " << l.keySlotCount << " slots, " << l.keyListCount << " key numbers, "
        << l.codeIndexCount << " index entries, " << l.codeBlockCount << " code blocks\n"
        << "areas:         slots " << hex4(l.slotBaseAddress) << "  presets " << hex4(l.presetTableAddress)
        << "  block map " << hex4(l.blockMapAddress) << "  code area " << hex4(l.codeAreaAddress) << '\n'
        << "slots:\n";
    for (std::size_t n = 0; n < d.layout.keyTable.size(); ++n)
        out << "  " << n << '\t' << hex4(model::slotAddress(l, static_cast<unsigned>(n))) << '\t'
            << d.layout.keyTable[n] << '\n';
    out << "code index:\n";
    for (std::size_t e = 0; e < d.index.size(); ++e) {
        const IndexEntryView& entry = d.index[e];
        out << "  " << e << '\t' << entry.text;
        if (entry.inUse)
            out << "  identity " << entry.identity << "  first block " << entry.firstBlock << "  blocks "
                << entry.blockCount << "  in use";
        else
            out << "  free";
        out << '\n';
    }
    const auto used = std::count(l.blockMap.begin(), l.blockMap.end(), '1');
    out << "block map:     " << l.codeBlockCount << " blocks, " << used << " in use\n";
    for (std::size_t at = 0; at < l.blockMap.size(); at += 64)
        out << "  " << at << '\t' << l.blockMap.substr(at, 64) << '\n';
    out << "presets:       " << l.presetCodeList.size() << '\n';
    for (std::size_t i = 0; i < l.presetCodeList.size(); ++i)
        out << (i % 8 == 0 ? "  " : " ") << l.presetCodeList[i] << ((i % 8 == 7) ? "\n" : "");
    if (l.presetCodeList.size() % 8 != 0)
        out << '\n';
    return out.str();
}

std::string dumpJson(const LayoutDump& d) {
    std::ostringstream out;
    out << "{\n  \"identity\": " << jsonString(d.identity)
        << ",\n  \"versionMajor\": " << jsonString(d.versionMajor)
        << ",\n  \"versionMinor\": " << jsonString(d.versionMinor)
        << ",\n  \"model\": " << jsonString(d.model) << ",\n  \"versionText\": " << jsonString(d.versionText)
        << ",\n  \"attached\": " << (d.attached ? "true" : "false") << ",\n  \"layout\": ";
    if (d.layout.failure) {
        out << "null,\n  \"layoutFailure\": " << jsonString(*d.layout.failure) << "\n}\n";
        return out.str();
    }
    const model::DeviceLayout& l = d.layout.layout;
    out << "{\n    \"headerAddress\": " << l.layoutHeaderAddress
        << ",\n    \"pointerBase\": " << l.pointerBase
        << ",\n    \"blockUnit\": " << jsonString(l.deviceBlockUnit)
        << ",\n    \"keySlotCount\": " << l.keySlotCount << ",\n    \"keyListCount\": " << l.keyListCount
        << ",\n    \"codeIndexCount\": " << l.codeIndexCount
        << ",\n    \"codeBlockCount\": " << l.codeBlockCount
        << ",\n    \"slotBaseAddress\": " << l.slotBaseAddress
        << ",\n    \"presetTableAddress\": " << l.presetTableAddress
        << ",\n    \"blockMapAddress\": " << l.blockMapAddress
        << ",\n    \"codeAreaAddress\": " << l.codeAreaAddress << ",\n    \"slots\": [";
    for (std::size_t n = 0; n < d.layout.keyTable.size(); ++n) {
        const std::string& entry = d.layout.keyTable[n];
        out << (n ? "," : "") << "\n      {\"slot\": " << n
            << ", \"address\": " << model::slotAddress(l, static_cast<unsigned>(n))
            << ", \"key\": " << jsonString(entry.substr(0, 2)) << ", \"entry\": " << jsonString(entry) << "}";
    }
    out << "\n    ],\n    \"index\": [";
    for (std::size_t e = 0; e < d.index.size(); ++e) {
        const IndexEntryView& entry = d.index[e];
        out << (e ? "," : "") << "\n      {\"entry\": " << e << ", \"text\": " << jsonString(entry.text)
            << ", \"identity\": " << jsonString(entry.identity) << ", \"firstBlock\": " << entry.firstBlock
            << ", \"blockCount\": " << entry.blockCount << ", \"inUse\": " << (entry.inUse ? "true" : "false")
            << "}";
    }
    out << "\n    ],\n    \"blockMap\": " << jsonString(l.blockMap) << ",\n    \"presets\": [";
    for (std::size_t i = 0; i < l.presetCodeList.size(); ++i)
        out << (i ? ", " : "") << jsonString(l.presetCodeList[i]);
    out << "]\n  }\n}\n";
    return out.str();
}

} // namespace emu
