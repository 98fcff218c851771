// find: a side of the remote set up by the device's maker, without its own remote. Each of the
// maker's code sets in the library has its Power code learned into the side's Power key; the
// owner presses it, pointed at the device, and answers whether the device responded. The set it
// responds to gives the whole side; when none is taken, the remote is put back as it was.
#include "commands.h"
#include "learning.h"
#include "librarylookup.h"
#include "remote.h"

#include "codes/buttonmatching.h"
#include "codes/librarymakers.h"
#include "device/codesearch.h"
#include "device/memorybackup.h"
#include "model/hextext.h"
#include "model/keydeletion.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace ctl {

namespace {

std::string deviceName(const std::string& side) { return side == "cbl" ? "cable box" : "TV"; }
std::string devicesName(const std::string& side) { return side == "cbl" ? "cable boxes" : "TVs"; }

// y, n or q from the terminal; the end of the input stops, as q does.
device::TryAnswer askResponded(const std::string& side, const Console& console) {
    for (;;) {
        console.err << "Did the " << deviceName(side) << " respond? [y = yes / n = next set / q = stop] "
                    << std::flush;
        std::string answer;
        if (!std::getline(console.in, answer))
            return device::TryAnswer::Stop;
        const char first = answer.empty() ? ' ' : static_cast<char>(answer[0] | 0x20);
        if (first == 'y')
            return device::TryAnswer::Responded;
        if (first == 'n')
            return device::TryAnswer::NextSet;
        if (first == 'q')
            return device::TryAnswer::Stop;
    }
}

// Restores the memory read before the search: the Power key holds what it held, in the same
// slot, and every block the tries wrote is as it was.
int putBack(const Remote& remote, const model::MemoryBackup& before, const NamedKey& key,
            const Console& console) {
    const device::RestoreResult result = device::putBack(remote, before);
    switch (result.outcome) {
    case device::RestoreOutcome::Restored:
        console.out << "key " << key.label << " holds what it held before the search\n";
        return kDone;
    case device::RestoreOutcome::NotAllowed:
        return remoteCheckStatus(result.check, console);
    default:
        break;
    }
    const bool gone = result.failure && result.failure->remoteGone;
    return console.fail(gone ? kNoRemote : kRefused,
                        std::string(gone ? "the remote went away" : "the remote could not be written") +
                            " while key " + key.label +
                            " was put back; it may hold the last set's Power code or none ('qtm418ctl "
                            "check' passes; learn the key again as you wish)");
}

} // namespace

int findCommand(const Arguments& args, const Console& console) {
    const std::string side = *args.value("--side");
    if (side != "tv" && side != "cbl")
        return console.fail(kNoRemote, "find: --side must be tv or cbl");
    const std::string maker = *args.value("--maker");
    auto library = openLibrary(console, true);
    if (!library)
        return kRefused;
    const codes::CodeLibrary search(library->index);
    const auto candidates = search.candidates(side, maker);
    if (candidates.empty())
        return console.fail(kRefused, "the library has no code set of " + devicesName(side) + " by '" +
                                          maker + "' with a Power button; 'qtm418ctl library search " +
                                          maker + "' lists what it has");
    auto opened = openRemote(console);
    if (!opened)
        return kNoRemote;
    // The whole memory as it is now, to put the Power key back exactly when no set is taken.
    const device::BackupTaking before = device::takeBackup(*opened, {});
    if (!before.backup) {
        if (before.readFailure && before.readFailure->remoteGone)
            return console.fail(kNoRemote, "the remote went away while its memory was read; nothing written");
        return console.fail(kRefused, "the remote's memory could not be read first; nothing written");
    }
    const Remote& remote = *opened;
    model::reclaimOrphans(opened->read.layout, opened->read.keyTable);

    const NamedKey key = labelledKey(device::powerKeyOf(side));
    console.out << candidates.size() << " code sets of " << devicesName(side) << " by "
                << candidates.front().set->maker << "; each is tried on key " << key.label << "\n";
    int withheld = kDone;
    const auto result = device::searchCodeSets(
        opened->read.layout, opened->read.keyTable, candidates, side, unencodedFile(),
        [&] { return (withheld = sameRemoteStatus(*opened, console)) == kDone; },
        [&](std::size_t at, const device::SetTry&) {
            console.out << "set " << at + 1 << " of " << candidates.size() << ": "
                        << setTitle(*candidates[at].set) << "\n";
            console.err << "Point the remote at the " << deviceName(side) << " and press " << key.label
                        << ".\n";
            if (args.has("--yes-to-first")) {
                console.out << "taken without asking (--yes-to-first)\n";
                return device::TryAnswer::Responded;
            }
            return askResponded(side, console);
        },
        [&](std::size_t at, const codes::FileProblem& why) {
            console.out << "set " << at + 1 << " of " << candidates.size()
                        << " cannot be tried: " << codes::describe(why) << "\n";
        });

    switch (result.end) {
    case device::SearchEnd::Taken: {
        const codes::CodeSet& set = *candidates[result.at].set;
        const codes::ButtonMatching matching = codes::matchButtons(result.last.setSignals, side);
        console.out << "learning side " << side << " from " << setTitle(set) << ":\n";
        showMatching(matching, console);
        const bool powerMatched =
            std::any_of(matching.matches.begin(), matching.matches.end(),
                        [&](const codes::ButtonMatch& m) { return m.keyNumber == key.keyNumber; });
        if (!powerMatched)
            console.out << "key " << key.label << " keeps the set's '"
                        << set.codes[static_cast<std::size_t>(set.power)].button << "' tried on it\n";
        const int status = learnMatchesOn(*opened, matching, set.file, console);
        if (status == kDone)
            console.out << "the " << deviceName(side) << " side is set up from code set " << set.id << "\n";
        return status;
    }
    case device::SearchEnd::Failed: {
        const int status = learnedStatus(result.last.learned, key, setTitle(*candidates[result.at].set), 0,
                                         withheld, console);
        if (status == kNoRemote)
            return status;
        console.out << "putting key " << key.label << " back\n";
        const int back = putBack(remote, *before.backup, key, console);
        return back == kDone ? status : back;
    }
    case device::SearchEnd::Stopped:
        console.out << "stopped at set " << result.at + 1 << " of " << candidates.size() << "\n";
        break;
    case device::SearchEnd::Exhausted:
        console.out << "no more code sets of " << devicesName(side) << " by "
                    << codes::makerDisplayName(maker) << (result.tried == 0 ? " could be tried" : "") << "\n";
        break;
    }
    const int back = putBack(remote, *before.backup, key, console);
    return back == kDone ? kRefused : back;
}

} // namespace ctl
