// The window's work on the remote's whole memory: a backup kept in a file, a restore from one,
// and the layout checked and repaired, each through the same steps as qtm418ctl's.
#include "codes/wholefile.h"
#include "controls/ibtn1.h"
#include "coretext.h"
#include "device/identification.h"
#include "device/layoutio.h"
#include "device/layoutrepair.h"
#include "device/linkstathread.h"
#include "device/memorybackup.h"
#include "device/openremote.h"
#include "devicetexts.h"
#include "longwork.h"
#include "mainstudy.h"
#include "memorytexts.h"
#include "model/backupfile.h"
#include "model/devicemessages.h"
#include "model/layoutcheck.h"
#include "model/repairplan.h"
#include "model/restoreplan.h"
#include "platform/dialogs.h"
#include "platform/messagebox.h"

#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <filesystem>

namespace {

QString backupFilter() { return Tmaincodelearn::tr("遥控器备份 (*.qtm418)"); }

} // namespace

std::optional<device::OpenedRemote> Tmaincodelearn::attachedRemote() {
    device::RemoteOpening opening = device::openRemote(false);
    if (!opening.failure)
        return std::move(opening.remote);
    if (*opening.failure == device::OpenFailure::NotAttached)
        platform::box(devicetexts::translated(model::kNoRemoteMessage));
    else
        platform::box(tr("无法识别现在连接的遥控器，请检查USB连接线！"));
    return std::nullopt;
}

void Tmaincodelearn::backupRemote() {
    const QString name = QStringLiteral("QTM-418-%1.qtm418").arg(QDate::currentDate().toString(Qt::ISODate));
    const QString file = chooseFileToSave(tr("备份遥控器"), name, {backupFilter()});
    if (file.isEmpty())
        return;
    const auto remote = attachedRemote();
    if (!remote)
        return;
    const auto backup = readWholeMemory(*remote, tr("正在备份遥控器…"));
    if (!backup)
        return;
    if (const auto failure = codes::saveWhole(pathOf(file), model::formatBackup(*backup))) {
        platform::box(
            tr("无法写入文件 %1，没有写入备份。").arg(QString::fromStdU16String(failure->file.u16string())));
        return;
    }
    platform::box(tr("遥控器的全部存储已备份到 %1").arg(file));
}

std::optional<model::MemoryBackup> Tmaincodelearn::readWholeMemory(const device::OpenedRemote& remote,
                                                                   const QString& title) {
    device::BackupTaking taken;
    busy_ = true;
    runWithProgress(this, title, [&](const ProgressNote& note) {
        taken = device::takeBackup(remote, [&](std::size_t done, std::size_t total) {
            note(tr("正在读取遥控器的存储…"), done, total);
        });
    });
    busy_ = false;
    if (!taken.backup)
        platform::box(memorytexts::backupFailureText(taken));
    return std::move(taken.backup);
}

void Tmaincodelearn::restoreRemote() {
    QFileDialog dialog(this, tr("从备份恢复"),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                       backupFilter() + QStringLiteral(";;") + tr("所有文件 (*)"));
    dialog.setObjectName(QStringLiteral("backupFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString file = platform::dialogs().chooseFile(dialog);
    if (file.isEmpty())
        return;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        platform::box(tr("无法读取文件 %1，没有写入任何内容。").arg(file));
        return;
    }
    const QByteArray bytes = in.readAll();
    auto parsed =
        model::parseBackup(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (const auto* problem = std::get_if<model::BackupProblem>(&parsed)) {
        platform::box(tr("该备份文件无法使用（第 %1 行：%2），没有写入任何内容。")
                          .arg(problem->line)
                          .arg(memorytexts::backupProblemText(*problem)));
        return;
    }
    const model::MemoryBackup& backup = std::get<model::MemoryBackup>(parsed);
    const auto remote = attachedRemote();
    if (!remote)
        return;
    const device::BackupFit fit = device::backupFit(backup, *remote);
    if (fit == device::BackupFit::OtherModel) {
        platform::box(memorytexts::otherModelText(backup, remote->model));
        return;
    }
    if (const auto copy = model::inspectLayout(model::memoryReader(backup.memoryText));
        !copy.violations.empty() || copy.unreadable) {
        platform::box(memorytexts::unsoundCopyText(copy));
        return;
    }
    if (!platform::askYes(memorytexts::restoreQuestion(backup)))
        return;
    if (fit == device::BackupFit::OtherRemote &&
        !platform::askYes(memorytexts::otherRemoteQuestion(backup, remote->identity)))
        return;
    if (!remoteMayBeWritten())
        return;
    device::RestoreResult result;
    busy_ = true;
    runWithProgress(this, tr("正在恢复遥控器…"), [&](const ProgressNote& note) {
        result = device::restoreBackup(
            *remote, backup, [&](device::RestoreStep step, std::size_t done, std::size_t total) {
                const QString what[] = {tr("正在读取遥控器的存储…"), tr("正在写入遥控器…"), tr("正在校验…")};
                note(what[static_cast<int>(step)], done, total);
            });
    });
    busy_ = false;
    // Whatever was written, the window shows the remote as it is now.
    if (!result.written.empty())
        rereadWhenBack();
    platform::box(memorytexts::restoreResultText(result));
}

void Tmaincodelearn::rereadLayout() {
    model::LayoutRead read = device::readDeviceLayout();
    if (read.failure) {
        // What the window held no longer tells where anything is: nothing more is written.
        layout_.complete = false;
        platform::box(devicetexts::translated(*read.failure));
    } else {
        applyLayout(std::move(read));
    }
    showAllKeyStates();
    // Keys still waiting to be learned keep their highlight.
    for (IBtn* key : selectedKeyList_)
        key->setPicture(keyPicture(skin_.learningKeyPictures, *key));
    refreshKeyTips();
    // Deleting goes on while a learned key is left to delete; learning keeps its panel and status.
    if (state_.deleteOneOn && hasLearnedKeys())
        return;
    setDeleteButtons(hasLearnedKeys());
    if (state_.learningOn)
        return;
    setStatus(QString());
    showIdleHintPanel();
}

void Tmaincodelearn::rereadWhenBack() {
    if (device::checkSameRemote(state_.deviceIdentity) == device::RemoteCheck::Same) {
        rereadLayout();
        return;
    }
    // Nothing the window holds can be vouched for until the remote is back and read.
    layoutDoubtful_ = true;
    applyKeypadLock();
    if (!rereadTimer_) {
        rereadTimer_ = new QTimer(this);
        rereadTimer_->setInterval(static_cast<int>(linkstate::kPeriodMs));
        connect(rereadTimer_, &QTimer::timeout, this, &Tmaincodelearn::rereadIfBack);
    }
    rereadTimer_->start();
}

// The link monitor sees the remote come back only when it saw it go; this also catches a remote
// that was away between two of its looks.
void Tmaincodelearn::rereadIfBack() {
    if (!layoutDoubtful_ || busy_ || searching_ ||
        device::checkSameRemote(state_.deviceIdentity) != device::RemoteCheck::Same)
        return;
    layoutDoubtful_ = false;
    rereadTimer_->stop();
    rereadLayout();
    applyKeypadLock();
}

void Tmaincodelearn::checkMemory() {
    const model::LayoutFindings findings = device::inspectDeviceLayout();
    if (findings.violations.empty() || findings.unreadable || !menusMayChange()) {
        platform::box(memorytexts::findingsText(findings));
        return;
    }
    QMessageBox box(QMessageBox::Warning, platform::messageCaption(platform::MessageStyle::Boxed),
                    memorytexts::findingsText(findings), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("findingsBox"));
    QPushButton* repair = box.addButton(tr("修复(&F)"), QMessageBox::AcceptRole);
    box.addButton(tr("关闭"), QMessageBox::RejectRole);
    platform::dialogs().exec(box);
    if (box.clickedButton() == repair)
        repairLayout();
}

void Tmaincodelearn::repairLayout() {
    model::LayoutRead read = device::readDeviceLayout();
    if (read.failure) {
        platform::box(devicetexts::translated(*read.failure));
        return;
    }
    const model::RepairPlan plan = model::planRepair(read.layout, read.keyTable);
    if (plan.empty()) {
        platform::box(tr("这些问题需要人工判断，无法自动修复，没有写入任何内容。"));
        return;
    }
    if (!platform::askYes(memorytexts::repairQuestion(plan, read.keyTable)) || !remoteMayBeWritten())
        return;
    const device::RepairResult result =
        device::applyRepair(device::OpenedRemote{state_.deviceIdentity, {}, {}, std::move(read)}, plan);
    if (result.outcome != device::RepairOutcome::NotAllowed)
        rereadWhenBack();
    platform::box(memorytexts::repairResultText(result, plan.emptiedKeys.size()));
}
