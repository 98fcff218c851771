// info, keys and check: the remote read, nothing written.
#include "commands.h"
#include "keyprint.h"
#include "makertexts.h"
#include "remote.h"

#include "codes/jsontext.h"

#include "device/devicelink.h"
#include "device/layoutio.h"
#include "model/keytable.h"
#include "model/memorylayout.h"
#include "model/portablefiles.h"

#include <algorithm>
#include <ostream>

namespace ctl {

namespace {

using codes::jsonString;

struct Summary {
    unsigned learned = 0, downloaded = 0, empty = 0;
    unsigned entriesUsed = 0, blocksUsed = 0;
};

Summary summarise(const model::LayoutRead& read) {
    Summary s;
    for (const std::string& entry : read.keyTable) {
        const char state = model::entryState(entry);
        if (state == model::kLearnedCode)
            ++s.learned;
        else if (state == model::kDownloadedCode)
            ++s.downloaded;
        else
            ++s.empty;
    }
    const model::DeviceLayout& l = read.layout;
    for (unsigned e = 0; e < l.codeIndexCount; ++e)
        s.entriesUsed += model::indexEntryInUse(model::indexEntry(l.codeIndexText, e));
    s.blocksUsed = static_cast<unsigned>(
        std::count(l.blockMap.begin(),
                   l.blockMap.begin() + std::min<std::size_t>(l.codeBlockCount, l.blockMap.size()), '1'));
    return s;
}

} // namespace

int infoCommand(const Arguments& args, const Console& console) {
    const auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    const model::DeviceLayout& l = remote->read.layout;
    const Summary s = summarise(remote->read);
    const bridge::RemoteInUse inUse = bridge::remoteInUse();
    if (args.has("--json")) {
        console.out << "{\"remote\": " << jsonString(inUse.maker ? "maker" : "virtual");
        if (inUse.maker)
            console.out << ", \"makerFolder\": " << jsonString(model::pathText(inUse.folder));
        console.out << ", \"identity\": " << jsonString(remote->identity)
                    << ", \"model\": " << jsonString(remote->model)
                    << ", \"firmware\": " << jsonString(remote->firmware) << ", \"slots\": " << l.keySlotCount
                    << ", \"learned\": " << s.learned << ", \"downloaded\": " << s.downloaded
                    << ", \"empty\": " << s.empty << ", \"indexEntries\": " << l.codeIndexCount
                    << ", \"indexEntriesUsed\": " << s.entriesUsed << ", \"codeBlocks\": " << l.codeBlockCount
                    << ", \"codeBlocksUsed\": " << s.blocksUsed
                    << ", \"presets\": " << l.presetCodeList.size() << "}\n";
        return kDone;
    }
    console.out << "remote:    " << remoteInUseText(inUse) << '\n'
                << "identity:  " << remote->identity << '\n'
                << "model:     " << remote->model << '\n'
                << "firmware:  " << remote->firmware << '\n'
                << "slots:     " << l.keySlotCount << " (" << s.learned << " learned, " << s.downloaded
                << " downloaded, " << s.empty << " empty)\n"
                << "index:     " << l.codeIndexCount << " entries, " << s.entriesUsed << " used, "
                << l.codeIndexCount - s.entriesUsed << " free\n"
                << "blocks:    " << l.codeBlockCount << " code blocks, " << s.blocksUsed << " used, "
                << l.codeBlockCount - s.blocksUsed << " free\n"
                << "presets:   " << l.presetCodeList.size() << '\n';
    return kDone;
}

int keysCommand(const Arguments& args, const Console& console) {
    const auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    const auto keys = device::listKeys(remote->read);
    console.out << (args.has("--json") ? keysJson(keys) : keysText(keys));
    return kDone;
}

int checkCommand(const Arguments& args, const Console& console) {
    if (!device::link::attached())
        return console.fail(kNoRemote, noRemoteText());
    const model::LayoutFindings findings = device::inspectDeviceLayout();
    if (findings.unreadable)
        return console.fail(kNoRemote, model::describe(*findings.unreadable));
    const bool sound = findings.violations.empty();
    if (args.has("--json")) {
        console.out << "{\"sound\": " << (sound ? "true" : "false") << ", \"violations\": [";
        for (std::size_t i = 0; i < findings.violations.size(); ++i)
            console.out << (i ? ", " : "") << jsonString(model::describe(findings.violations[i]));
        console.out << "], \"warnings\": [";
        for (std::size_t i = 0; i < findings.warnings.size(); ++i)
            console.out << (i ? ", " : "") << jsonString(model::describe(findings.warnings[i]));
        console.out << "]}\n";
    } else {
        for (const model::LayoutFinding& violation : findings.violations)
            console.out << model::describe(violation) << '\n';
        if (sound)
            console.out << "layout sound\n";
        for (const model::LayoutFinding& warning : findings.warnings)
            console.out << "warning: " << model::describe(warning) << '\n';
    }
    return sound ? kDone : kRefused;
}

} // namespace ctl
