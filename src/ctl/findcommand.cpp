// find: a side of the remote set up by the device's maker, without its own remote. Each of the
// maker's code sets in the library has its Power code learned into the side's Power key; the
// owner presses it, pointed at the device, and answers whether the device responded. Sets that
// send the same Power code are told apart by one more key, asked about the same way. The set
// taken gives the whole side; when none is taken, the remote is put back as it was.
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

// y, n or q from the terminal, asked until one comes; the end of the input answers q.
char askWhetherResponded(const std::string& side, const std::string& choices, const Console& console) {
    for (;;) {
        console.err << "Did the " << deviceName(side) << " respond? [" << choices << "] " << std::flush;
        std::string answer;
        if (!std::getline(console.in, answer))
            return 'q';
        const char first = answer.empty() ? ' ' : static_cast<char>(answer[0] | 0x20);
        if (first == 'y' || first == 'n' || first == 'q')
            return first;
    }
}

// About a set's Power code: q stops the search.
device::TryAnswer askResponded(const std::string& side, const Console& console) {
    switch (askWhetherResponded(side, "y = yes / n = next set / q = stop", console)) {
    case 'y':
        return device::TryAnswer::Responded;
    case 'n':
        return device::TryAnswer::NextSet;
    default:
        return device::TryAnswer::Stop;
    }
}

// About a key tried on top of the Power key: q asks no more keys and takes the first set left.
device::KeyAnswer askKeyResponded(const std::string& side, const Console& console) {
    switch (askWhetherResponded(side, "y = yes / n = no / q = no more keys", console)) {
    case 'y':
        return device::KeyAnswer::Responded;
    case 'n':
        return device::KeyAnswer::NotResponded;
    default:
        return device::KeyAnswer::Enough;
    }
}

// "key 00 (TV/Power)", "key 00 (TV/Power) and key 02 (TV/Mute)".
std::string keysNamed(const std::vector<std::string>& keyNumbers) {
    std::string named;
    for (std::size_t i = 0; i < keyNumbers.size(); ++i) {
        if (i != 0)
            named += i + 1 == keyNumbers.size() ? " and " : ", ";
        named += "key " + labelledKey(keyNumbers[i]).label;
    }
    return named;
}

// Restores the memory read before the search: the keys tried hold what they held, in the same
// slots, and every block the tries wrote is as it was.
int putBack(const Remote& remote, const model::MemoryBackup& before, const std::vector<std::string>& keys,
            const Console& console) {
    const device::RestoreResult result = device::putBack(remote, before);
    switch (result.outcome) {
    case device::RestoreOutcome::Restored:
        console.out << keysNamed(keys) << (keys.size() == 1 ? " holds what it" : " hold what they")
                    << " held before the search\n";
        return kDone;
    case device::RestoreOutcome::NotAllowed:
        return remoteCheckStatus(result.check, console);
    default:
        break;
    }
    const bool gone = result.failure && result.failure->remoteGone;
    const bool one = keys.size() == 1;
    return console.fail(gone ? kNoRemote : kRefused,
                        std::string(gone ? "the remote went away" : "the remote could not be written") +
                            " while " + keysNamed(keys) + (one ? " was" : " were") + " put back; " +
                            (one ? "it" : "each") +
                            " may hold the code of a set tried or none ('qtm418ctl check' passes; learn " +
                            (one ? "the key" : "the keys") + " again as you wish)");
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
    // Sets that send the same Power code are told apart by one more key; a set taken without
    // asking is taken as it is.
    device::AskKey askKey;
    if (!args.has("--yes-to-first"))
        askKey = [&](const device::KeyTry& tried) {
            const NamedKey asked = labelledKey(tried.keyNumber);
            if (tried.number == 1)
                console.out << tried.among
                            << " code sets send this Power code; another key tells them apart\n";
            console.out << "key " << asked.label << " now sends '" << tried.button << "' of "
                        << setTitle(*candidates[tried.setAt].set) << " (as " << tried.sending << " of the "
                        << tried.among << " sets do)\n";
            console.err << "Point the remote at the " << deviceName(side) << " and press " << asked.label
                        << ".\n";
            return askKeyResponded(side, console);
        };
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
        askKey,
        [&](std::size_t at, const codes::FileProblem& why) {
            console.out << "set " << at + 1 << " of " << candidates.size()
                        << " cannot be tried: " << codes::describe(why) << "\n";
        });

    switch (result.end) {
    case device::SearchEnd::Taken: {
        const codes::CodeSet& set = *candidates[result.at].set;
        const codes::ButtonMatching matching = codes::matchButtons(result.last.setSignals, side);
        for (const std::string& notTried : result.keysNotTried)
            console.out << "key " << labelledKey(notTried).label
                        << " could not be given a set's code, so it was not asked about\n";
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
        const int status = learnedStatus(result.last.learned, labelledKey(result.failedKey),
                                         setTitle(*candidates[result.at].set), 0, withheld, console);
        if (status == kNoRemote)
            return status;
        const auto changed = device::keysChanged(result, side);
        console.out << "putting " << keysNamed(changed) << " back\n";
        const int back = putBack(remote, *before.backup, changed, console);
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
    const int back = putBack(remote, *before.backup, device::keysChanged(result, side), console);
    return back == kDone ? kRefused : back;
}

} // namespace ctl
