// learn: a key learned from a code file, the signal taken as the remote's receiver would record it
// and then down the window's own learning path.
#include "commands.h"
#include "keyarguments.h"
#include "keynames.h"
#include "remote.h"
#include "signalfile.h"

#include "device/capturecommit.h"
#include "ir/capturewords.h"
#include "model/keydeletion.h"
#include "model/wire.h"

#include <algorithm>
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

// One signal learned into one key of the opened remote, down the window's learning path; the
// layout read follows what was written. kDone after saying what the key holds now.
int learnInto(Remote& remote, const NamedKey& key, const ir::Signal& signal, const std::string& source,
              const Console& console) {
    model::LayoutRead& read = remote.read;
    // The whole capture buffer, zero rest included, as the remote hands it over after a capture.
    std::string captured = ir::captureRecord(signal);
    captured.resize(wire::kCaptureBufferSize, '\0');
    int withheld = kDone;
    const device::LearnResult learned =
        device::learnCapture(read.layout, read.keyTable, key.keyNumber, captured,
                             std::filesystem::temp_directory_path() / "qtm418ctl-unencoded.txt",
                             [&] { return (withheld = sameRemoteStatus(remote, console)) == kDone; });
    switch (learned.outcome) {
    case device::LearnOutcome::Written:
        console.out << "key " << key.label << " learned: " << storedText(*learned.plan) << '\n';
        return kDone;
    case device::LearnOutcome::NotConverted:
    case device::LearnOutcome::AnswerIncomplete:
        return console.fail(kRefused, "the signal from " + source +
                                          " could not be converted into a code; nothing written");
    case device::LearnOutcome::NotAllowed:
        return withheld;
    case device::LearnOutcome::Refused:
        return console.fail(kRefused, refusalText(*learned.refusal, key.keyNumber) + "; nothing written");
    case device::LearnOutcome::KeyUnchanged:
        return console.fail(kRefused,
                            "the remote could not be written; key " + key.label + " keeps what it held");
    case device::LearnOutcome::KeyEmptied:
        break;
    }
    return console.fail(kRefused, "the remote could not be written; key " + key.label +
                                      " lost its old code and holds none now; learn it again");
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
    model::reclaimOrphans(remote->read.layout, remote->read.keyTable);
    return learnInto(*remote, *key, std::get<NamedSignal>(chosen).signal, file.string(), console);
}

int learnAllCommand(const Arguments& args, const Console& console) {
    const std::string side = *args.value("--side");
    if (side != "tv" && side != "cbl")
        return console.fail(kNoRemote, "learn-all: --side must be tv or cbl");
    const std::filesystem::path file = args.operands[0];
    const auto read = readSignalFile(file);
    if (const auto* problem = std::get_if<std::string>(&read))
        return console.fail(kNoRemote, *problem + "; nothing written");
    const auto& signals = std::get<std::vector<NamedSignal>>(read);

    // The mapping, in the file's order; a key a second button also names keeps the first.
    std::vector<std::pair<NamedKey, const NamedSignal*>> plan;
    std::vector<std::string> unmatched, unusable;
    for (const NamedSignal& signal : signals) {
        if (!signal.unusable.empty()) {
            unusable.push_back(signal.unusable);
            continue;
        }
        const auto number = keyForButton(side, signal.name);
        const bool taken = number && std::any_of(plan.begin(), plan.end(), [&](const auto& step) {
                               return step.first.keyNumber == *number;
                           });
        if (!number || taken) {
            unmatched.push_back(signal.name.empty() ? "line " + std::to_string(signal.line) : signal.name);
            continue;
        }
        plan.push_back({{*number, *number + " (" + keyLabel(*number) + ")"}, &signal});
    }
    for (const auto& [key, signal] : plan)
        console.out << signal->name << " -> " << key.label << '\n';
    if (!unmatched.empty()) {
        console.out << "unmatched:";
        for (std::size_t i = 0; i < unmatched.size(); ++i)
            console.out << (i ? ", " : " ") << unmatched[i];
        console.out << '\n';
    }
    for (const std::string& why : unusable)
        console.out << "not learnable: " << why << '\n';
    if (plan.empty())
        return console.fail(kRefused, file.string() + ": no button matches a key of side " + side +
                                          "; nothing written");
    if (args.has("--dry-run")) {
        console.out << plan.size() << " keys would be learned; nothing written (--dry-run)\n";
        return kDone;
    }
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::reclaimOrphans(remote->read.layout, remote->read.keyTable);
    std::vector<std::string> done;
    for (const auto& [key, signal] : plan) {
        const std::string source = file.string() + ":" + std::to_string(signal->line);
        if (const int status = learnInto(*remote, key, signal->signal, source, console); status != kDone) {
            std::string list;
            for (const std::string& number : done)
                list += (list.empty() ? "" : ", ") + number;
            console.err << "qtm418ctl: stopped at key " << key.label << "; "
                        << (done.empty() ? "no key was learned" : "keys learned before it: " + list) << '\n';
            return status;
        }
        done.push_back(key.keyNumber);
    }
    console.out << "learned " << done.size() << (done.size() == 1 ? " key" : " keys") << " from "
                << file.string() << '\n';
    return kDone;
}

} // namespace ctl
