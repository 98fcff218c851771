// backup and restore: the remote's whole memory kept in a file and put back from it.
#include "commands.h"
#include "progress.h"
#include "remote.h"

#include "device/devicelink.h"
#include "device/memorycopy.h"
#include "model/backupfile.h"
#include "model/hextext.h"
#include "model/restoreplan.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace ctl {

namespace {

std::string utcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The first byte outside the identification block that the remote did not answer as hex digits.
std::optional<unsigned> firstNonHexByte(const std::string& memoryText) {
    for (unsigned a = 0; a < model::kMemoryEnd; ++a)
        if (!model::inIdentificationBlock(a) &&
            !model::parseHex(std::string_view(memoryText).substr(2 * a, 2)))
            return a;
    return std::nullopt;
}

// Ends a command whose read of the whole memory failed.
int readFailed(const device::MemoryRead& read, const std::string& what, const Console& console) {
    if (!device::link::attached())
        return console.fail(kNoRemote, "the remote went away while its memory was read; " + what);
    return console.fail(kRefused, "the remote's memory could not be read at " +
                                      model::formatHex(*read.failedAt, 4) + "; " + what);
}

// Writes the file whole or not at all: beside it first, then in its place.
bool saveFile(const std::filesystem::path& file, const std::string& text, std::string& reason) {
    std::filesystem::path partial = file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            reason = "cannot write " + partial.string();
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, file, error);
    if (error) {
        reason = "cannot write " + file.string() + ": " + error.message();
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

std::string writtenText(const std::vector<model::MemoryWrite>& done) {
    if (done.empty())
        return "nothing was written";
    return "blocks written: " + model::blockRanges(model::blocksWritten(done));
}

} // namespace

int backupCommand(const Arguments& args, const Console& console) {
    const std::filesystem::path file = args.operands[0];
    const auto remote = openRemote(console, false);
    if (!remote)
        return kNoRemote;
    ProgressLine progress(console, args.has("--progress"));
    const device::MemoryRead read = device::readWholeMemory(
        [&](std::size_t done, std::size_t total) { progress.show("backup: reading", done, total); });
    progress.finish();
    if (read.failedAt)
        return readFailed(read, "no backup written", console);
    if (const auto odd = firstNonHexByte(read.memoryText))
        return console.fail(kRefused, "the remote answers its memory at " + model::formatHex(*odd, 4) +
                                          " with other characters than hex digits; no backup written");
    const model::MemoryBackup backup{remote->identity, remote->model, remote->firmware, utcNow(),
                                     read.memoryText};
    std::string reason;
    if (!saveFile(file, model::formatBackup(backup), reason))
        return console.fail(kRefused, reason + "; no backup written");
    console.out << "backed up the memory of remote " << remote->identity << " (model " << remote->model
                << ", firmware " << remote->firmware << ") to " << file.string() << '\n';
    return kDone;
}

int restoreCommand(const Arguments& args, const Console& console) {
    const std::filesystem::path file = args.operands[0];
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return console.fail(kNoRemote, "cannot read " + file.string() + "; nothing written");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto parsed = model::parseBackup(text);
    if (const auto* problem = std::get_if<model::BackupProblem>(&parsed))
        return console.fail(kNoRemote, file.string() + ":" + std::to_string(problem->line) + ": " +
                                           problem->message + "; nothing written");
    const model::MemoryBackup& backup = std::get<model::MemoryBackup>(parsed);
    const auto remote = openRemote(console, false);
    if (!remote)
        return kNoRemote;
    if (backup.model != remote->model)
        return console.fail(kRefused, file.string() + " holds the memory of a model " + backup.model +
                                          " remote, not of this model " + remote->model +
                                          "; nothing written");
    if (backup.identity != remote->identity && !args.has("--force"))
        return console.fail(kRefused, file.string() + " holds the memory of another remote (" +
                                          backup.identity +
                                          "); --force puts it on this one; nothing written");
    ProgressLine progress(console, args.has("--progress"));
    const auto report = [&](const char* what) {
        return [&progress, what](std::size_t done, std::size_t total) { progress.show(what, done, total); };
    };
    const device::MemoryRead before = device::readWholeMemory(report("restore: reading"));
    progress.finish();
    if (before.failedAt)
        return readFailed(before, "nothing written", console);
    const model::RestorePlan plan = model::planRestore(before.memoryText, backup.memoryText);
    if (const int status = sameRemoteStatus(*remote, console); status != kDone)
        return status;
    const std::size_t written =
        device::writeInOrder(model::kStartupBlockUnit, plan.writes, report("restore: writing"));
    progress.finish();
    if (written < plan.writes.size()) {
        const std::vector<model::MemoryWrite> done(
            plan.writes.begin(), plan.writes.begin() + static_cast<std::ptrdiff_t>(written));
        const std::string advice = plan.soundAtEveryStep || done.empty()
                                       ? "; restore again to finish"
                                       : "; its layout may not be sound until a restore finishes";
        if (!device::link::attached())
            return console.fail(kNoRemote,
                                "the remote went away during the restore; " + writtenText(done) + advice);
        return console.fail(kRefused, "the remote could not be written at " +
                                          model::formatHex(plan.writes[written].address, 4) + "; " +
                                          writtenText(done) + advice);
    }
    const device::MemoryRead after = device::readWholeMemory(report("restore: verifying"));
    progress.finish();
    if (after.failedAt)
        return readFailed(after, "the restore was written but could not be verified", console);
    const auto differing = model::differingBlocks(after.memoryText, backup.memoryText);
    if (!differing.empty())
        return console.fail(kRefused, "verification failed: the remote's blocks " +
                                          model::blockRanges(differing) + " differ from " + file.string());
    console.out << "restored " << file.string() << " (taken " << backup.time << ") onto remote "
                << remote->identity << ": " << model::blocksWritten(plan.writes).size()
                << " blocks written, the whole memory verified\n";
    return kDone;
}

} // namespace ctl
