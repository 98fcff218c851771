#include "memorytexts.h"
#include "coretext.h"
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

QString lines(const std::vector<model::LayoutFinding>& findings) {
    QStringList out;
    for (const model::LayoutFinding& finding : findings)
        out << QStringLiteral("• ") + findingText(finding);
    return out.join(QLatin1Char('\n'));
}

QString areaText(model::LayoutArea area) {
    switch (area) {
    case model::LayoutArea::LayoutHeader:
        return MemoryTexts::tr("布局表头");
    case model::LayoutArea::KeyList:
        return MemoryTexts::tr("按键列表");
    case model::LayoutArea::KeySlotTable:
        return MemoryTexts::tr("按键槽表");
    case model::LayoutArea::BlockMapAndIndex:
        return MemoryTexts::tr("存储块表和编码索引");
    case model::LayoutArea::CodeArea:
        return MemoryTexts::tr("编码区");
    case model::LayoutArea::PresetTableCount:
        return MemoryTexts::tr("预置编码表的数目");
    case model::LayoutArea::PresetTable:
        return MemoryTexts::tr("预置编码表");
    }
    return {};
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

QString backupProblemText(const model::BackupProblem& problem) {
    using model::BackupFault;
    const QString detail = text(problem.text);
    switch (problem.fault) {
    case BackupFault::NotABackup:
        return MemoryTexts::tr("这不是遥控器的备份文件（第一行不是“%1”）").arg(text(model::kBackupMagic));
    case BackupFault::UnknownFormat:
        return MemoryTexts::tr("无法识别备份格式“%1”，本软件只能读取格式 1").arg(detail);
    case BackupFault::EndsBeforeField:
        return MemoryTexts::tr("文件在“%1”行之前就结束了").arg(detail);
    case BackupFault::ExpectedField:
        return MemoryTexts::tr("这一行应为“%1: ”加 1 到 64 个字符的值").arg(detail);
    case BackupFault::MemorySize:
        return MemoryTexts::tr("备份应有 %1 字节的存储，而不是 %2").arg(model::kMemoryEnd).arg(detail);
    case BackupFault::EndsBeforeMemory:
        return MemoryTexts::tr("文件在地址 %1 的存储之前就结束了，文件不完整").arg(address(problem.address));
    case BackupFault::ExpectedAddress:
        return MemoryTexts::tr("这一行应为地址 %1 加 %2 个十六进制数字")
            .arg(address(problem.address))
            .arg(2 * model::kBackupBytesPerLine);
    case BackupFault::NotHexDigit: {
        const auto c = static_cast<unsigned char>(problem.character);
        if (c >= 0x20 && c <= 0x7E)
            return MemoryTexts::tr("地址 %1 处的“%2”不是十六进制数字")
                .arg(address(problem.address), QString(QLatin1Char(problem.character)));
        return MemoryTexts::tr("地址 %1 处的字符 %2 不是十六进制数字")
            .arg(address(problem.address), text(model::formatHex(c, 2)));
    }
    case BackupFault::EndsBeforeChecksum:
        return MemoryTexts::tr("文件在校验和之前就结束了，文件不完整");
    case BackupFault::ExpectedChecksum:
        return MemoryTexts::tr("这一行应为“%1”加 8 个十六进制数字的校验和").arg(QStringLiteral("crc32: "));
    case BackupFault::ChecksumMismatch:
        return MemoryTexts::tr("校验和与文件内容不符，文件已损坏");
    case BackupFault::ChecksumMismatchEndsAside:
        return MemoryTexts::tr("不计行尾符和行末空白，校验和仍与文件内容不符，文件已损坏");
    case BackupFault::TextAfterChecksum:
        return MemoryTexts::tr("校验和之后还有多余的内容");
    }
    return {};
}

QString findingText(const model::LayoutFinding& f) {
    using model::LayoutFault;
    switch (f.fault) {
    case LayoutFault::Unreadable:
        return MemoryTexts::tr("在地址 %1 处读取失败").arg(address(static_cast<unsigned>(f.address)));
    case LayoutFault::NotHex:
        return MemoryTexts::tr("固件把字节 %1 答复为“%2”，不是十六进制数")
            .arg(address(static_cast<unsigned>(f.address)), text(f.text));
    case LayoutFault::BlockUnit:
        return MemoryTexts::tr("存储块单位是 %1，不是 08")
            .arg(text(model::formatHex(static_cast<unsigned>(f.count), 2)));
    case LayoutFault::PastMemory:
        return MemoryTexts::tr("%1（地址 %2，%3 字节）超出了存储的末尾")
            .arg(areaText(f.area), text(model::formatHex(static_cast<unsigned>(f.address), 5)))
            .arg(f.count);
    case LayoutFault::EntryHoldsNoBlocks:
        return MemoryTexts::tr("编码条目 %1 正在使用，但不含任何存储块").arg(f.entry);
    case LayoutFault::EntryPastCodeArea:
        return MemoryTexts::tr("编码条目 %1（从存储块 %2 起共 %3 个）超出了编码区的 %4 个存储块")
            .arg(f.entry)
            .arg(f.block)
            .arg(f.count)
            .arg(f.limit);
    case LayoutFault::EntryOwnsFreeBlock:
        return MemoryTexts::tr("编码条目 %1 占用的存储块 %2 在存储块表中标为空闲").arg(f.entry).arg(f.block);
    case LayoutFault::EntriesOverlap:
        return MemoryTexts::tr("编码条目 %1 与编码条目 %2 在存储块 %3 处重叠")
            .arg(f.entry)
            .arg(f.other)
            .arg(f.block);
    case LayoutFault::BlocksLeaked:
        if (f.lastBlock > f.block)
            return MemoryTexts::tr("存储块 %1 至 %2 标为占用，但不属于任何编码条目")
                .arg(f.block)
                .arg(f.lastBlock);
        return MemoryTexts::tr("存储块 %1 标为占用，但不属于任何编码条目").arg(f.block);
    case LayoutFault::SlotPastIndex:
        return MemoryTexts::tr("按键槽 %1（按键 %2）引用的编码条目 %3 超出了编码索引的 %4 个条目")
            .arg(f.slot)
            .arg(text(f.text))
            .arg(f.entry)
            .arg(f.limit);
    case LayoutFault::SlotRefersToFree:
        return MemoryTexts::tr("按键槽 %1（按键 %2）引用的编码条目 %3 是空闲的")
            .arg(f.slot)
            .arg(text(f.text))
            .arg(f.entry);
    case LayoutFault::EntryUnreferenced:
        return MemoryTexts::tr("编码条目 %1 正在使用，但没有按键槽引用它：释放之前，它的存储块无法再用")
            .arg(f.entry);
    }
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
    std::vector<model::LayoutFinding> faults = copy.violations;
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
        return MemoryTexts::tr("无法读取遥控器的存储：%1").arg(findingText(*findings.unreadable));
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
        return MemoryTexts::tr("已修复，但无法再次读取遥控器的存储：%1")
            .arg(findingText(*result.after.unreadable));
    if (!result.after.violations.empty())
        return MemoryTexts::tr("已修复不需判断的问题，以下问题仍然存在：\n%1")
            .arg(lines(result.after.violations));
    return MemoryTexts::tr("修复完成，遥控器的存储完好。");
}

} // namespace memorytexts
