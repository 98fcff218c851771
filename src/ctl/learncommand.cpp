// learn: a key learned from a code file, the signal taken as the remote's receiver would record it
// and then down the window's own learning path.
#include "commands.h"
#include "keyarguments.h"
#include "remote.h"
#include "signalfile.h"

#include "device/capturecommit.h"
#include "ir/capturewords.h"
#include "model/keydeletion.h"
#include "model/wire.h"

#include <filesystem>
#include <ostream>

namespace ctl {

namespace {

std::string refusalText(model::CommitRefusal refusal, const std::string& key) {
    switch (refusal) {
    case model::CommitRefusal::NoKeyEntry:
        return "the remote has no key " + key;
    case model::CommitRefusal::IndexFull:
        return "the remote's code index is full; delete keys no longer used first";
    case model::CommitRefusal::NoRoom:
        return "the remote's code area has no room for this code; delete keys no longer used first";
    case model::CommitRefusal::NoCodeData:
        return "the converted code has no code data to store";
    case model::CommitRefusal::CodeTooLong:
        break;
    }
    return "the code is too long for the remote to keep";
}

std::string storedText(const model::CommitPlan& plan) {
    if (plan.isPreset)
        return "preset " + plan.codeIdentity;
    return "stored code " + plan.codeIdentity + (plan.newCode ? " (new)" : " (already stored)");
}

} // namespace

int learnCommand(const Arguments& args, const Console& console) {
    const auto key = namedKey(args.operands[0], console);
    if (!key)
        return kNoRemote;
    const std::filesystem::path file = *args.value("--from");
    const auto signals = readSignalFile(file);
    if (const auto* problem = std::get_if<std::string>(&signals))
        return console.fail(kNoRemote, *problem + "; nothing written");
    const auto chosen =
        chooseSignal(std::get<std::vector<NamedSignal>>(signals), file, args.value("--name").value_or(""));
    if (const auto* problem = std::get_if<std::string>(&chosen))
        return console.fail(kNoRemote, *problem + "; nothing written");
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::LayoutRead& read = remote->read;
    model::reclaimOrphans(read.layout, read.keyTable);
    // The whole capture buffer, zero rest included, as the remote hands it over after a capture.
    std::string captured = ir::captureRecord(std::get<NamedSignal>(chosen).signal);
    captured.resize(wire::kCaptureBufferSize, '\0');
    int withheld = kDone;
    const device::LearnResult learned =
        device::learnCapture(read.layout, read.keyTable, key->keyNumber, captured,
                             std::filesystem::temp_directory_path() / "qtm418ctl-unencoded.txt",
                             [&] { return (withheld = sameRemoteStatus(*remote, console)) == kDone; });
    switch (learned.outcome) {
    case device::LearnOutcome::Written:
        console.out << "key " << key->label << " learned: " << storedText(*learned.plan) << '\n';
        return kDone;
    case device::LearnOutcome::NotConverted:
    case device::LearnOutcome::AnswerIncomplete:
        return console.fail(kRefused, "the signal from " + file.string() +
                                          " could not be converted into a code; nothing written");
    case device::LearnOutcome::NotAllowed:
        return withheld;
    case device::LearnOutcome::Refused:
        return console.fail(kRefused, refusalText(*learned.refusal, key->keyNumber) + "; nothing written");
    case device::LearnOutcome::KeyUnchanged:
        return console.fail(kRefused,
                            "the remote could not be written; key " + key->label + " keeps what it held");
    case device::LearnOutcome::KeyEmptied:
        break;
    }
    return console.fail(kRefused, "the remote could not be written; key " + key->label +
                                      " lost its old code and holds none now; learn it again");
}

} // namespace ctl
