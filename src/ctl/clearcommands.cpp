// delete and clear: a learned key emptied, or all of them, with the writes the window makes.
#include "commands.h"
#include "keyarguments.h"
#include "remote.h"

#include "device/keyclearing.h"
#include "model/keydeletion.h"

#include <ostream>

namespace ctl {

namespace {

std::string keyList(const model::KeyTable& table, const std::vector<std::size_t>& slots) {
    std::string text;
    for (const std::size_t slot : slots)
        text += (text.empty() ? "" : ", ") + std::string(model::entryKeyNumber(table[slot]));
    return text;
}

} // namespace

int deleteCommand(const Arguments& args, const Console& console) {
    const auto key = namedKey(args.operands[0], console);
    if (!key)
        return kNoRemote;
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::LayoutRead& read = remote->read;
    const auto slot = model::findKeyEntry(read.keyTable, key->keyNumber, true);
    if (!slot || model::entryState(read.keyTable[*slot]) != model::kLearnedCode)
        return console.fail(kRefused, "key " + key->label + " holds no learned code; nothing deleted");
    if (!args.has("--yes") && !console.confirm("Delete the learned code of key " + key->label + "?"))
        return console.fail(kRefused, "nothing deleted");
    if (const int status = sameRemoteStatus(*remote, console); status != kDone)
        return status;
    // As the window does: room left behind by an interrupted change comes back with this write.
    model::reclaimOrphans(read.layout, read.keyTable);
    std::optional<unsigned> roomNotFreedAt;
    switch (device::clearKeySlot(read.layout, read.keyTable, *slot, read.layout.deviceBlockUnit,
                                 &roomNotFreedAt)) {
    case device::ClearOutcome::Cleared:
        if (roomNotFreedAt)
            return roomNotFreedStatus("key " + key->label + " deleted", *roomNotFreedAt, console);
        console.out << "key " << key->label << " deleted\n";
        return kDone;
    case device::ClearOutcome::FlagNotWritten:
        return console.fail(kRefused,
                            "the remote could not be written; key " + key->label + " keeps its code");
    case device::ClearOutcome::LayoutUnknown:
        break;
    }
    return console.fail(kNoRemote, "the remote's memory layout is not known; nothing deleted");
}

int clearCommand(const Arguments& args, const Console& console) {
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::LayoutRead& read = remote->read;
    std::vector<std::size_t> learned;
    for (std::size_t n = 0; n < read.keyTable.size(); ++n)
        if (model::entryState(read.keyTable[n]) == model::kLearnedCode)
            learned.push_back(n);
    if (learned.empty())
        return console.fail(kRefused, "no key holds a learned code; nothing to clear");
    if (!args.has("--yes") &&
        !console.confirm("Clear the learned codes of keys " + keyList(read.keyTable, learned) + "?"))
        return console.fail(kRefused, "nothing cleared");
    if (const int status = sameRemoteStatus(*remote, console); status != kDone)
        return status;
    model::reclaimOrphans(read.layout, read.keyTable);
    const model::KeyTable before = read.keyTable;
    std::vector<std::size_t> kept;
    std::optional<unsigned> roomNotFreedAt;
    for (const device::SlotClearing& clearing :
         device::clearLearnedKeys(read.layout, read.keyTable, read.layout.deviceBlockUnit)) {
        if (clearing.outcome != device::ClearOutcome::Cleared)
            kept.push_back(clearing.slot);
        if (clearing.roomNotFreedAt)
            roomNotFreedAt = clearing.roomNotFreedAt;
    }
    if (!kept.empty())
        return console.fail(kRefused, "the remote could not be written; keys " + keyList(before, kept) +
                                          " keep their codes, the others were cleared");
    if (roomNotFreedAt)
        return roomNotFreedStatus("cleared keys " + keyList(before, learned), *roomNotFreedAt, console);
    console.out << "cleared keys " << keyList(before, learned) << '\n';
    return kDone;
}

} // namespace ctl
