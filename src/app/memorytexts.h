// What the window says about the remote's whole memory: a backup taken, a restore asked for and
// carried out, the layout checked and repaired. No widgets.
#pragma once

#include "device/layoutrepair.h"
#include "device/memorybackup.h"
#include "model/backupfile.h"
#include "model/layoutcheck.h"
#include "model/repairplan.h"

#include <QString>

namespace memorytexts {

// Why nothing was written to a remote that is not the one read at start-up.
QString remoteCheckText(device::RemoteCheck check);

// Why no backup was written; empty when the backup was taken.
QString backupFailureText(const device::BackupTaking& taken);

// What is wrong with a backup file, without its line.
QString backupProblemText(const model::BackupProblem& problem);

// One finding of the layout check.
QString findingText(const model::LayoutFinding& finding);

// The question before a restore, naming the backup's remote, model and time.
QString restoreQuestion(const model::MemoryBackup& backup);
// The second question for a backup of another remote of the same model.
QString otherRemoteQuestion(const model::MemoryBackup& backup, const std::string& attachedIdentity);
// The refusal of a backup of another model.
QString otherModelText(const model::MemoryBackup& backup, const std::string& attachedModel);
// The refusal of a backup whose layout the checks find broken.
QString unsoundCopyText(const model::LayoutFindings& copy);
// How the restore ended.
QString restoreResultText(const device::RestoreResult& result);

// The layout check's findings, with the question to repair when something is wrong.
QString findingsText(const model::LayoutFindings& findings);
// The repair plan and the question before it is written.
QString repairQuestion(const model::RepairPlan& plan, const model::KeyTable& before);
// How the repair ended.
QString repairResultText(const device::RepairResult& result, std::size_t keysToEmpty);

} // namespace memorytexts
