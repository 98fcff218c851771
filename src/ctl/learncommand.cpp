// learn: a key learned from a code file, the signal taken as the remote's receiver would record it
// and then down the window's own learning path.
#include "commands.h"
#include "keyarguments.h"
#include "learning.h"
#include "librarylookup.h"
#include "remote.h"

#include "codes/buttonmatching.h"
#include "device/signallearning.h"
#include "model/keydeletion.h"
#include "model/portablefiles.h"

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

// A carrier the remote's receiver is not built for is kept as the file gives it, and said.
std::string carrierNote(int carrierHz) {
    if (carrierHz >= 30000 && carrierHz <= 60000)
        return {};
    return " (carrier " + std::to_string(carrierHz) + " Hz, outside 30-60 kHz, kept as the file gives it)";
}

} // namespace

std::filesystem::path unencodedFile() {
    return std::filesystem::temp_directory_path() / "qtm418ctl-unencoded.txt";
}

int learnedStatus(const device::LearnResult& learned, const NamedKey& key, const std::string& source,
                  int carrierHz, int withheld, const Console& console) {
    switch (learned.outcome) {
    case device::LearnOutcome::Written:
        console.out << "key " << key.label << " learned: " << storedText(*learned.plan)
                    << carrierNote(carrierHz) << '\n';
        if (learned.roomNotFreedAt)
            return roomNotFreedStatus("key " + key.label + " learned", *learned.roomNotFreedAt, console);
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

int learnCommand(const Arguments& args, const Console& console) {
    const auto key = namedKey(args.operands[0], console);
    if (!key)
        return kNoRemote;
    const std::filesystem::path file = model::textPath(*args.value("--from"));
    const auto signals = codes::readSignalFile(file);
    if (const auto* problem = std::get_if<codes::FileProblem>(&signals))
        return console.fail(kNoRemote, codes::describe(*problem) + "; nothing written");
    const auto chosen = codes::chooseSignal(std::get<std::vector<codes::NamedSignal>>(signals), file,
                                            args.value("--name").value_or(""));
    if (const auto* problem = std::get_if<codes::FileProblem>(&chosen))
        return console.fail(kNoRemote, codes::describe(*problem) + "; nothing written");
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::reclaimOrphans(remote->read.layout, remote->read.keyTable);
    int withheld = kDone;
    const device::LearnResult learned =
        device::learnSignal(remote->read.layout, remote->read.keyTable, key->keyNumber,
                            std::get<codes::NamedSignal>(chosen).signal, unencodedFile(),
                            [&] { return (withheld = sameRemoteStatus(*remote, console)) == kDone; });
    return learnedStatus(learned, *key, model::pathText(file),
                         std::get<codes::NamedSignal>(chosen).signal.carrierHz, withheld, console);
}

namespace {

// A signal as the file names it, or by its line where the format names none.
std::string buttonOrLine(const codes::NamedSignal& signal) {
    return signal.name.empty() ? "line " + std::to_string(signal.line) : signal.name;
}

} // namespace

void showMatching(const codes::ButtonMatching& matching, const Console& console) {
    for (const codes::ButtonMatch& match : matching.matches)
        console.out << match.signal->name << " -> " << labelledKey(match.keyNumber).label << '\n';
    if (!matching.unmatched.empty()) {
        console.out << "unmatched:";
        for (std::size_t i = 0; i < matching.unmatched.size(); ++i)
            console.out << (i ? ", " : " ") << buttonOrLine(*matching.unmatched[i]);
        console.out << '\n';
    }
    for (const codes::FileProblem& why : matching.unusable)
        console.out << "not learnable: " << codes::describe(why) << '\n';
}

int learnMatchesOn(Remote& remote, const codes::ButtonMatching& matching, const std::string& source,
                   const Console& console) {
    std::vector<std::string> done;
    int withheld = kDone;
    int status = kDone;
    int roomStatus = kDone; // a key learned whose old code's room is not free yet
    device::learnMatches(
        remote.read.layout, remote.read.keyTable, matching.matches, unencodedFile(),
        [&] { return (withheld = sameRemoteStatus(remote, console)) == kDone; },
        [&](const codes::ButtonMatch& match, const device::LearnResult& learned) {
            const NamedKey key = labelledKey(match.keyNumber);
            const std::string where = source + ":" + std::to_string(match.signal->line);
            const int keyStatus =
                learnedStatus(learned, key, where, match.signal->signal.carrierHz, withheld, console);
            // The next key's writes free that room, while the remote is there to take them.
            if (learned.outcome == device::LearnOutcome::Written) {
                done.push_back(key.keyNumber);
                roomStatus = std::max(roomStatus, keyStatus);
                return keyStatus != kNoRemote;
            }
            status = keyStatus;
            std::string list;
            for (const std::string& number : done)
                list += (list.empty() ? "" : ", ") + number;
            console.err << "qtm418ctl: stopped at key " << key.label << "; "
                        << (done.empty() ? "no key was learned" : "keys learned before it: " + list) << '\n';
            return false;
        });
    if (status != kDone)
        return status;
    console.out << "learned " << done.size() << (done.size() == 1 ? " key" : " keys") << " from " << source
                << '\n';
    return roomStatus;
}

int learnAllCommand(const Arguments& args, const Console& console) {
    const std::string side = *args.value("--side");
    if (side != "tv" && side != "cbl")
        return console.fail(kNoRemote, "learn-all: --side must be tv or cbl");
    const auto set = args.value("--set");
    if (set.has_value() == (args.operands.size() == 1))
        return console.fail(kNoRemote, "learn-all: give a code file or --set SET, not both");
    std::vector<codes::NamedSignal> signals;
    std::string source;
    if (set) {
        auto fromLibrary = librarySetSignals(*set, console);
        if (!fromLibrary)
            return kRefused;
        source = fromLibrary->first;
        signals = std::move(fromLibrary->second);
    } else {
        source = args.operands[0];
        auto read = codes::readSignalFile(model::textPath(source));
        if (const auto* problem = std::get_if<codes::FileProblem>(&read))
            return console.fail(kNoRemote, codes::describe(*problem) + "; nothing written");
        signals = std::get<std::vector<codes::NamedSignal>>(std::move(read));
    }
    const codes::ButtonMatching matching = codes::matchButtons(signals, side);
    showMatching(matching, console);
    if (matching.matches.empty())
        return console.fail(kRefused,
                            source + ": no button matches a key of side " + side + "; nothing written");
    if (args.has("--dry-run")) {
        console.out << matching.matches.size() << " keys would be learned; nothing written (--dry-run)\n";
        return kDone;
    }
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    model::reclaimOrphans(remote->read.layout, remote->read.keyTable);
    return learnMatchesOn(*remote, matching, source, console);
}

} // namespace ctl
