// The remote's whole memory kept in a backup and put back from one: the reads, the checks that
// the copy belongs on the attached remote, and the restore's writes with their verification.
#pragma once

#include "identification.h"
#include "memorycopy.h"
#include "openremote.h"

#include "model/backupfile.h"
#include "model/restoreplan.h"

#include <optional>
#include <string>
#include <vector>

namespace device {

// A read or write of the remote that failed, and whether the remote went away with it.
struct ExchangeFailure {
    unsigned address = 0;
    bool remoteGone = false;
};

struct BackupTaking {
    std::optional<model::MemoryBackup> backup;
    std::optional<ExchangeFailure> readFailure;
    // The first byte outside the identification block the remote did not answer as hex digits.
    std::optional<unsigned> oddByte;
};

// Reads the whole memory of `remote` (opened, its layout need not be read) into a backup taken now.
BackupTaking takeBackup(const OpenedRemote& remote, const ProgressReport& progress);

enum class BackupFit { Same, OtherModel, OtherRemote };

// Whether `backup` was taken of `remote`, of another remote of its model, or of another model
// (which it never goes onto).
BackupFit backupFit(const model::MemoryBackup& backup, const OpenedRemote& remote);

enum class RestoreStep { Reading, Writing, Verifying };
using RestoreProgress = std::function<void(RestoreStep step, std::size_t done, std::size_t total)>;

enum class RestoreOutcome {
    Restored,
    NotRead,      // the memory could not be read first (see failure): nothing written
    NotAllowed,   // the remote is no longer the one opened (see check): nothing written
    WriteStopped, // a write failed (see failure, written)
    NotVerified,  // written, but the read-back failed (see failure)
    Differs,      // written, but these blocks read back otherwise (see differing)
};

struct RestoreResult {
    RestoreOutcome outcome = RestoreOutcome::NotRead;
    std::optional<ExchangeFailure> failure;
    RemoteCheck check = RemoteCheck::Same;
    std::vector<model::MemoryWrite> written; // the writes that succeeded, in order
    bool soundAtEveryStep = true;            // the plan keeps the layout sound after every write
    std::size_t blocksChanged = 0;           // blocks the whole plan writes
    std::vector<unsigned> differing;
};

// Puts `backup` onto `remote` in an order that keeps its layout sound after any failed write,
// then reads it back. The caller has checked the backup's fit and asked the owner.
RestoreResult restoreBackup(const OpenedRemote& remote, const model::MemoryBackup& backup,
                            const RestoreProgress& progress);

} // namespace device
