// backup and restore: the remote's whole memory kept in a file and put back from it.
#include "commands.h"
#include "progress.h"
#include "remote.h"

#include "codes/wholefile.h"
#include "device/memorybackup.h"
#include "model/hextext.h"
#include "model/layoutcheck.h"
#include "model/portablefiles.h"
#include "model/restoreplan.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

namespace ctl {

namespace {

// Ends a command whose read of the whole memory failed.
int readFailed(const device::ExchangeFailure& failure, const std::string& what, const Console& console) {
    if (failure.remoteGone)
        return console.fail(kNoRemote, "the remote went away while its memory was read; " + what);
    return console.fail(kRefused, "the remote's memory could not be read at " +
                                      model::formatHex(failure.address, 4) + "; " + what);
}

std::string writtenText(const std::vector<model::MemoryWrite>& done) {
    if (done.empty())
        return "nothing was written";
    return "blocks written: " + model::blockRanges(model::blocksWritten(done));
}

std::string saveFailureText(const codes::SaveFailure& failure) {
    return "cannot write " + model::pathText(failure.file) + (failure.why.empty() ? "" : ": " + failure.why);
}

} // namespace

int backupCommand(const Arguments& args, const Console& console) {
    const std::filesystem::path file = model::textPath(args.operands[0]);
    const auto remote = openRemote(console, false);
    if (!remote)
        return kNoRemote;
    ProgressLine progress(console, args.has("--progress"));
    const device::BackupTaking taken = device::takeBackup(
        *remote, [&](std::size_t done, std::size_t total) { progress.show("backup: reading", done, total); });
    progress.finish();
    if (taken.readFailure)
        return readFailed(*taken.readFailure, "no backup written", console);
    if (taken.oddByte)
        return console.fail(kRefused, "the remote answers its memory at " +
                                          model::formatHex(*taken.oddByte, 4) +
                                          " with other characters than hex digits; no backup written");
    if (const auto failure = codes::saveWhole(file, model::formatBackup(*taken.backup)))
        return console.fail(kRefused, saveFailureText(*failure) + "; no backup written");
    console.out << "backed up the memory of remote " << remote->identity << " (model " << remote->model
                << ", firmware " << remote->firmware << ") to " << model::pathText(file) << '\n';
    return kDone;
}

int restoreCommand(const Arguments& args, const Console& console) {
    const std::filesystem::path file = model::textPath(args.operands[0]);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return console.fail(kNoRemote, "cannot read " + model::pathText(file) + "; nothing written");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = model::parseBackup(text);
    if (const auto* problem = std::get_if<model::BackupProblem>(&parsed))
        return console.fail(kNoRemote, model::pathText(file) + ":" + std::to_string(problem->line) + ": " +
                                           model::describe(*problem) + "; nothing written");
    const model::MemoryBackup& backup = std::get<model::MemoryBackup>(parsed);
    const auto remote = openRemote(console, false);
    if (!remote)
        return kNoRemote;
    switch (device::backupFit(backup, *remote)) {
    case device::BackupFit::OtherModel:
        return console.fail(kRefused, model::pathText(file) + " holds the memory of a model " + backup.model +
                                          " remote, not of this model " + remote->model +
                                          "; nothing written");
    case device::BackupFit::OtherRemote:
        if (!args.has("--force"))
            return console.fail(kRefused, model::pathText(file) + " holds the memory of another remote (" +
                                              backup.identity +
                                              "); --force puts it on this one; nothing written");
        break;
    case device::BackupFit::Same:
        break;
    }
    // A copy whose layout the checks refuse would leave a remote that plays the wrong codes.
    const model::LayoutFindings copy = model::inspectLayout(model::memoryReader(backup.memoryText));
    std::vector<std::string> unsound;
    for (const model::LayoutFinding& violation : copy.violations)
        unsound.push_back(model::describe(violation));
    if (copy.unreadable)
        unsound.push_back(model::describe(*copy.unreadable));
    if (!unsound.empty()) {
        std::string list;
        for (const std::string& violation : unsound)
            list += (list.empty() ? "" : "; ") + violation;
        if (!args.has("--force"))
            return console.fail(kRefused, model::pathText(file) +
                                              " holds a memory whose layout is not sound (" + list +
                                              "); --force writes it anyway; nothing written");
        console.err << "qtm418ctl: warning: " << model::pathText(file)
                    << " holds a memory whose layout is not sound (" << list
                    << "); the remote will fail 'qtm418ctl check' once it is restored\n";
    }
    ProgressLine progress(console, args.has("--progress"));
    std::optional<device::RestoreStep> shown;
    const auto result = device::restoreBackup(
        *remote, backup, [&](device::RestoreStep step, std::size_t done, std::size_t total) {
            static const char* const kWhat[] = {"restore: reading", "restore: writing", "restore: verifying"};
            if (shown != step)
                progress.finish();
            shown = step;
            progress.show(kWhat[static_cast<int>(step)], done, total);
        });
    progress.finish();
    switch (result.outcome) {
    case device::RestoreOutcome::NotRead:
        return readFailed(*result.failure, "nothing written", console);
    case device::RestoreOutcome::NotAllowed:
        return remoteCheckStatus(result.check, console);
    case device::RestoreOutcome::WriteStopped: {
        const std::string advice = result.soundAtEveryStep || result.written.empty()
                                       ? "; restore again to finish"
                                       : "; its layout may not be sound until a restore finishes";
        if (result.failure->remoteGone)
            return console.fail(kNoRemote, "the remote went away during the restore; " +
                                               writtenText(result.written) + advice);
        return console.fail(kRefused, "the remote could not be written at " +
                                          model::formatHex(result.failure->address, 4) + "; " +
                                          writtenText(result.written) + advice);
    }
    case device::RestoreOutcome::NotVerified:
        return readFailed(*result.failure, "the restore was written but could not be verified", console);
    case device::RestoreOutcome::Differs:
        return console.fail(kRefused, "verification failed: the remote's blocks " +
                                          model::blockRanges(result.differing) + " differ from " +
                                          model::pathText(file));
    case device::RestoreOutcome::Restored:
        break;
    }
    console.out << "restored " << model::pathText(file) << " (taken " << backup.time << ") onto remote "
                << remote->identity << ": " << result.blocksChanged
                << " blocks written, the whole memory verified\n";
    return kDone;
}

} // namespace ctl
