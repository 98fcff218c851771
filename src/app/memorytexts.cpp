#include "memorytexts.h"
#include "devicetexts.h"

#include "model/devicemessages.h"
#include "model/hextext.h"
#include "model/keytable.h"
#include "model/numberruns.h"
#include "model/restoreplan.h"

#include <QCoreApplication>
#include <QStringList>

namespace memorytexts {

namespace {

// The context these texts are translated in; lupdate files them under it.
class MemoryTexts {
    Q_DECLARE_TR_FUNCTIONS(MemoryTexts)
};

QString address(unsigned value) { return QString::fromStdString(model::formatHex(value, 4)); }

QString text(const std::string& value) { return QString::fromStdString(value); }

QString lines(const std::vector<std::string>& items) {
    QStringList out;
    for (const std::string& item : items)
        out << QStringLiteral("• ") + text(item);
    return out.join(QLatin1Char('\n'));
}

} // namespace

QString remoteCheckText(device::RemoteCheck check) {
    if (check == device::RemoteCheck::Absent)
        return devicetexts::translated(model::kNoRemoteMessage);
    return MemoryTexts::tr("现在连接的遥控器不是启动时识别的遥控器，请重新启动自学习软件！");
}

QString backupFailureText(const device::BackupTaking& taken) {
    if (const auto& failure = taken.readFailure)
        return failure->remoteGone ? MemoryTexts::tr("读取存储时遥控器已断开，没有写入备份。")
                                   : MemoryTexts::tr("无法读取遥控器的存储（地址 %1），没有写入备份。")
                                         .arg(address(failure->address));
    if (taken.oddByte)
        return MemoryTexts::tr("遥控器返回的存储内容有误（地址 %1），没有写入备份。")
            .arg(address(*taken.oddByte));
    return {};
}

QString restoreQuestion(const model::MemoryBackup& backup) {
    return MemoryTexts::tr("备份的遥控器：%1\n型号：%2\n备份时间：%"
                           "3\n\n恢复后，遥控器的全部存储将换成备份的内容。确实要恢复吗？")
        .arg(text(backup.identity), text(backup.model), text(backup.time));
}

QString otherRemoteQuestion(const model::MemoryBackup& backup, const std::string& attachedIdentity) {
    return MemoryTexts::tr(
               "该备份来自另一个遥控器（%1），不是现在连接的遥控器（%2）。\n确实要把它恢复到这个遥控器上吗？")
        .arg(text(backup.identity), text(attachedIdentity));
}

QString otherModelText(const model::MemoryBackup& backup, const std::string& attachedModel) {
    return MemoryTexts::tr("该备份属于型号 %1 的遥控器，不能恢复到型号 %2 的遥控器上，没有写入任何内容。")
        .arg(text(backup.model), text(attachedModel));
}

QString unsoundCopyText(const model::LayoutFindings& copy) {
    std::vector<std::string> faults = copy.violations;
    if (copy.unreadable)
        faults.push_back(*copy.unreadable);
    return MemoryTexts::tr("该备份的存储结构有问题，恢复后遥控器会发送错误的编码，没有写入任何内容：\n%1")
        .arg(lines(faults));
}

QString restoreResultText(const device::RestoreResult& result) {
    using device::RestoreOutcome;
    switch (result.outcome) {
    case RestoreOutcome::Restored:
        return MemoryTexts::tr("恢复完成：写入了 %1 个存储块，遥控器的全部存储已校验。")
            .arg(result.blocksChanged);
    case RestoreOutcome::NotRead:
        return result.failure->remoteGone
                   ? MemoryTexts::tr("读取存储时遥控器已断开，没有写入任何内容。")
                   : MemoryTexts::tr("无法读取遥控器的存储（地址 %1），没有写入任何内容。")
                         .arg(address(result.failure->address));
    case RestoreOutcome::NotAllowed:
        return remoteCheckText(result.check);
    case RestoreOutcome::WriteStopped: {
        const QString advice = result.soundAtEveryStep || result.written.empty()
                                   ? MemoryTexts::tr("请重新恢复以完成。")
                                   : MemoryTexts::tr("恢复完成之前，遥控器的存储可能不完整，请重新恢复。");
        if (result.failure->remoteGone)
            return MemoryTexts::tr("恢复时遥控器已断开，恢复没有完成。") + advice;
        return MemoryTexts::tr("写入遥控器失败（地址 %1），恢复没有完成。")
                   .arg(address(result.failure->address)) +
               advice;
    }
    case RestoreOutcome::NotVerified:
        return MemoryTexts::tr("备份已写入遥控器，但无法读回校验，请检查USB连接线。");
    case RestoreOutcome::Differs:
        return MemoryTexts::tr("校验失败：遥控器的存储块 %1 与备份不同。")
            .arg(text(model::blockRanges(result.differing)));
    }
    return {};
}

QString findingsText(const model::LayoutFindings& findings) {
    if (findings.unreadable)
        return MemoryTexts::tr("无法读取遥控器的存储：%1").arg(text(*findings.unreadable));
    if (findings.violations.empty())
        return findings.warnings.empty() ? MemoryTexts::tr("遥控器的存储完好。")
                                         : MemoryTexts::tr("遥控器的存储完好，但有空间没有释放：\n%1")
                                               .arg(lines(findings.warnings));
    return MemoryTexts::tr("遥控器的存储有以下问题：\n%1").arg(lines(findings.violations));
}

QString repairQuestion(const model::RepairPlan& plan, const model::KeyTable& before) {
    QStringList steps;
    for (const model::EmptiedKey& key : plan.emptiedKeys)
        steps << MemoryTexts::tr("• 清空按键 %1：它引用的编码条目 %2 不存在")
                     .arg(text(std::string(model::entryKeyNumber(before[key.slot]))))
                     .arg(key.entry);
    for (const unsigned entry : plan.freedEntries)
        steps << MemoryTexts::tr("• 释放编码条目 %1：没有按键引用它").arg(entry);
    if (!plan.blocksFreed.empty())
        steps << MemoryTexts::tr("• 存储块 %1 标为空闲").arg(text(model::numberRanges(plan.blocksFreed)));
    if (!plan.blocksMarked.empty())
        steps << MemoryTexts::tr("• 存储块 %1 标为占用").arg(text(model::numberRanges(plan.blocksMarked)));
    return MemoryTexts::tr("修复将写入以下更改：\n%1\n\n确实要修复吗？").arg(steps.join(QLatin1Char('\n')));
}

QString repairResultText(const device::RepairResult& result, std::size_t keysToEmpty) {
    switch (result.outcome) {
    case device::RepairOutcome::NotAllowed:
        return remoteCheckText(result.check);
    case device::RepairOutcome::WriteStopped:
        return MemoryTexts::tr(
                   "写入遥控器失败：清空了 %1 个按键（共 %2 个），存储块表和编码索引没有写入，请重新修复。")
            .arg(result.writing.keysEmptied)
            .arg(keysToEmpty);
    case device::RepairOutcome::Repaired:
        break;
    }
    if (result.after.unreadable)
        return MemoryTexts::tr("已修复，但无法再次读取遥控器的存储：%1").arg(text(*result.after.unreadable));
    if (!result.after.violations.empty())
        return MemoryTexts::tr("已修复不需判断的问题，以下问题仍然存在：\n%1")
            .arg(lines(result.after.violations));
    return MemoryTexts::tr("修复完成，遥控器的存储完好。");
}

} // namespace memorytexts
