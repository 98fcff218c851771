#include "memorybackup.h"

#include "devicelink.h"

#include "model/hextext.h"
#include "model/memorylayout.h"

#include <chrono>
#include <ctime>

namespace device {

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

std::optional<unsigned> firstNonHexByte(const std::string& memoryText) {
    for (unsigned a = 0; a < model::kMemoryEnd; ++a)
        if (!model::inIdentificationBlock(a) &&
            !model::parseHex(std::string_view(memoryText).substr(2 * a, 2)))
            return a;
    return std::nullopt;
}

std::optional<ExchangeFailure> readFailure(const MemoryRead& read) {
    if (!read.failedAt)
        return std::nullopt;
    return ExchangeFailure{*read.failedAt, !link::attached()};
}

} // namespace

BackupTaking takeBackup(const OpenedRemote& remote, const ProgressReport& progress) {
    BackupTaking taking;
    const MemoryRead read = readWholeMemory(progress);
    if ((taking.readFailure = readFailure(read)))
        return taking;
    if ((taking.oddByte = firstNonHexByte(read.memoryText)))
        return taking;
    taking.backup =
        model::MemoryBackup{remote.identity, remote.model, remote.firmware, utcNow(), read.memoryText};
    return taking;
}

BackupFit backupFit(const model::MemoryBackup& backup, const OpenedRemote& remote) {
    if (backup.model != remote.model)
        return BackupFit::OtherModel;
    return backup.identity == remote.identity ? BackupFit::Same : BackupFit::OtherRemote;
}

RestoreResult restoreBackup(const OpenedRemote& remote, const model::MemoryBackup& backup,
                            const RestoreProgress& progress) {
    const auto report = [&progress](RestoreStep step) {
        return [&progress, step](std::size_t done, std::size_t total) {
            if (progress)
                progress(step, done, total);
        };
    };
    RestoreResult result;
    const MemoryRead before = readWholeMemory(report(RestoreStep::Reading));
    if ((result.failure = readFailure(before)))
        return result;
    const model::RestorePlan plan = model::planRestore(before.memoryText, backup.memoryText);
    result.soundAtEveryStep = plan.soundAtEveryStep;
    result.blocksChanged = model::blocksWritten(plan.writes).size();
    if ((result.check = checkSameRemote(remote.identity)) != RemoteCheck::Same) {
        result.outcome = RestoreOutcome::NotAllowed;
        return result;
    }
    const std::size_t written =
        writeInOrder(model::kStartupBlockUnit, plan.writes, report(RestoreStep::Writing));
    result.written.assign(plan.writes.begin(), plan.writes.begin() + static_cast<std::ptrdiff_t>(written));
    if (written < plan.writes.size()) {
        result.outcome = RestoreOutcome::WriteStopped;
        result.failure = ExchangeFailure{plan.writes[written].address, !link::attached()};
        return result;
    }
    const MemoryRead after = readWholeMemory(report(RestoreStep::Verifying));
    if ((result.failure = readFailure(after))) {
        result.outcome = RestoreOutcome::NotVerified;
        return result;
    }
    result.differing = model::differingBlocks(after.memoryText, backup.memoryText);
    result.outcome = result.differing.empty() ? RestoreOutcome::Restored : RestoreOutcome::Differs;
    return result;
}

} // namespace device
