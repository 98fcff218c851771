// The window's work with code files: a key learned from one, a whole side learned from one, and
// the learned keys exported to one, each through the same steps as qtm418ctl's.
#include "codefiletexts.h"
#include "codes/buttonmatching.h"
#include "codes/signalexport.h"
#include "codes/wholefile.h"
#include "controls/ibtn1.h"
#include "coretext.h"
#include "device/identification.h"
#include "device/signallearning.h"
#include "keytexts.h"
#include "learntexts.h"
#include "listdialog.h"
#include "longwork.h"
#include "mainstudy.h"
#include "memorytexts.h"
#include "model/keynames.h"
#include "model/keytable.h"
#include "platform/dialogs.h"
#include "platform/fixedpaths.h"
#include "platform/messagebox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStandardPaths>

#include <filesystem>

namespace {

QString documentsFolder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

QString signalName(const codes::NamedSignal& signal) {
    return signal.name.empty() ? Tmaincodelearn::tr("第 %1 行的信号").arg(signal.line) : text(signal.name);
}

} // namespace

std::optional<std::vector<codes::NamedSignal>> Tmaincodelearn::readChosenCodeFile(const QString& caption) {
    QFileDialog dialog(this, caption, documentsFolder(),
                       tr("代码文件 (*.ir *.txt *.pronto *.json *.jsonl *.conf *.csv)") +
                           QStringLiteral(";;") + tr("所有文件 (*)"));
    dialog.setObjectName(QStringLiteral("codeFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QString file = platform::dialogs().chooseFile(dialog);
    if (file.isEmpty())
        return std::nullopt;
    auto read = codes::readSignalFile(pathOf(file));
    if (const auto* problem = std::get_if<codes::FileProblem>(&read)) {
        platform::box(tr("该代码文件无法使用：\n%1").arg(codefiletexts::problemText(*problem)));
        return std::nullopt;
    }
    return std::get<std::vector<codes::NamedSignal>>(std::move(read));
}

QString Tmaincodelearn::chooseFileToSave(const QString& caption, const QString& suggestedName,
                                         const QStringList& filters, QString* chosenFilter) {
    QFileDialog dialog(this, caption, QDir(documentsFolder()).filePath(suggestedName));
    dialog.setObjectName(QStringLiteral("saveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    const QString file = platform::dialogs().chooseFile(dialog);
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return file;
}

void Tmaincodelearn::learnKeyFromFile(IBtn* key) {
    if (!layoutReadable())
        return;
    const auto fileSignals = readChosenCodeFile(tr("从代码文件学习"));
    if (!fileSignals)
        return;
    const codes::NamedSignal* chosen = &fileSignals->front();
    if (fileSignals->size() > 1) {
        QStringList names;
        for (const codes::NamedSignal& signal : *fileSignals)
            names << signalName(signal);
        ListDialog dialog(tr("选择信号"),
                          tr("该文件有 %1 个信号，请选择要学习到%2键的信号：")
                              .arg(fileSignals->size())
                              .arg(keytexts::pathText(key->Path())),
                          names, ListDialog::Use::Choose, this);
        if (platform::dialogs().exec(dialog) != QDialog::Accepted || dialog.chosen() < 0)
            return;
        chosen = &(*fileSignals)[static_cast<std::size_t>(dialog.chosen())];
    }
    if (chosen->unusable) {
        platform::box(tr("该信号无法学习：\n%1").arg(codefiletexts::problemText(*chosen->unusable)));
        return;
    }
    if (!mayLearnAgain(key))
        return;
    setStatus(tr("%1键正在学习！").arg(keytexts::pathText(key->Path())), true);
    const device::LearnResult learned =
        device::learnSignal(layout_, keyTable_, key->Code().toStdString(), chosen->signal, diagnosticFile(),
                            [this] { return remoteMayBeWritten(); });
    c_.Memo2->appendPlainText(text(learned.encoded));
    if (!learned.answerText.empty())
        c_.Memo2->appendPlainText(text(learned.answerText));
    const bool asPlanned = learned.outcome == device::LearnOutcome::Written && !learned.roomNotFreedAt;
    if (!asPlanned && learned.outcome != device::LearnOutcome::NotAllowed)
        rereadWhenBack();
    if (learned.outcome != device::LearnOutcome::Written) {
        if (const QString why = learnFailureText(learned); !why.isEmpty())
            platform::box(why);
        setStatus(QString());
        showAllKeyStates();
        setDeleteButtons(hasLearnedKeys());
        showIdleHintPanel();
        showKeyTip(key);
        return;
    }
    key->setPicture(keyPicture(skin_.learnedKeyPictures, *key));
    platform::box(withRoomNotFreed(tr("已接收到遥控器编码！"), learned.roomNotFreedAt));
    setStatus(tr("%1键学习成功！").arg(keytexts::pathText(key->Path())), true);
    setDeleteButtons(true);
    showIdleHintPanel();
    showKeyTip(key);
}

void Tmaincodelearn::learnSideFromFile() {
    if (!layoutReadable())
        return;
    const auto fileSignals = readChosenCodeFile(tr("从代码文件学习整组按键"));
    if (!fileSignals)
        return;
    const QStringList sides = {tr("电视"), tr("机顶盒")};
    ListDialog sideDialog(tr("选择按键组"), tr("要把代码文件学习到遥控器的哪一组按键？"), sides,
                          ListDialog::Use::Choose, this);
    if (platform::dialogs().exec(sideDialog) != QDialog::Accepted || sideDialog.chosen() < 0)
        return;
    const QString side = sides[sideDialog.chosen()];
    const codes::ButtonMatching matching =
        codes::matchButtons(*fileSignals, sideDialog.chosen() == 0 ? "tv" : "cbl");
    if (matching.matches.empty()) {
        platform::box(tr("代码文件中没有与%1按键对应的按钮名称，没有学习任何按键。").arg(side));
        return;
    }
    const auto learned = learnMatchedKeys(matching, side, tr("从代码文件学习整组按键"));
    if (!learned)
        return;
    QString message = learned->keys.isEmpty() ? tr("没有学习任何按键。")
                                              : tr("已从代码文件学习了 %1 个按键：%2。")
                                                    .arg(learned->keys.size())
                                                    .arg(learned->keys.join(tr("、")));
    if (!learned->failure.isEmpty())
        message += QLatin1Char('\n') + learned->failure;
    platform::box(withRoomNotFreed(message, learned->roomNotFreedAt));
}

std::optional<Tmaincodelearn::KeysLearned>
Tmaincodelearn::learnMatchedKeys(const codes::ButtonMatching& matching, const QString& side,
                                 const QString& title) {
    QStringList lines;
    for (const codes::ButtonMatch& match : matching.matches)
        lines << tr("%1 → %2").arg(signalName(*match.signal), text(model::keyLabel(match.keyNumber)));
    for (const codes::NamedSignal* signal : matching.unmatched)
        lines << tr("%1：没有对应的按键").arg(signalName(*signal));
    for (const codes::FileProblem& why : matching.unusable)
        lines << tr("无法学习：%1").arg(codefiletexts::problemText(why));
    ListDialog confirm(title, tr("将把以下 %1 个按钮学习到%2按键上：").arg(matching.matches.size()).arg(side),
                       lines, ListDialog::Use::Confirm, this);
    if (platform::dialogs().exec(confirm) != QDialog::Accepted || !remoteMayBeWritten())
        return std::nullopt;
    // The keys are learned on a thread of their own; the checks and the answers wait for this one.
    std::optional<device::RemoteCheck> withheld;
    std::vector<std::pair<std::string, device::LearnResult>> results;
    busy_ = true;
    runWithProgress(this, tr("正在学习按键…"), [&](const ProgressNote& note) {
        device::learnMatches(
            layout_, keyTable_, matching.matches, diagnosticFile(),
            [&] {
                const auto check = device::checkSameRemote(state_.deviceIdentity);
                if (check != device::RemoteCheck::Same)
                    withheld = check;
                return !withheld;
            },
            [&](const codes::ButtonMatch& match, const device::LearnResult& learned) {
                results.emplace_back(match.keyNumber, learned);
                note(tr("正在学习 %1（%2/%3）")
                         .arg(text(model::keyLabel(match.keyNumber)))
                         .arg(results.size())
                         .arg(matching.matches.size()),
                     results.size(), matching.matches.size());
                return true;
            });
    });
    busy_ = false;
    KeysLearned learned;
    std::vector<const device::LearnResult*> inOrder;
    bool asPlanned = true;
    for (const auto& [number, result] : results) {
        c_.Memo2->appendPlainText(text(result.encoded));
        inOrder.push_back(&result);
        asPlanned = asPlanned && !result.roomNotFreedAt;
        if (result.outcome == device::LearnOutcome::Written) {
            learned.keys << text(model::keyLabel(number));
            continue;
        }
        asPlanned = asPlanned && result.outcome == device::LearnOutcome::NotAllowed;
        QString why = learnFailureText(result);
        if (result.outcome == device::LearnOutcome::NotAllowed && withheld)
            why = memorytexts::remoteCheckText(*withheld);
        learned.failure =
            tr("按键 %1 学习失败：%2\n之后的按键没有学习。").arg(text(model::keyLabel(number)), why);
    }
    learned.roomNotFreedAt = device::roomLeftInUse(inOrder);
    if (!asPlanned) {
        rereadWhenBack();
        return learned;
    }
    showAllKeyStates();
    setStatus(QString());
    setDeleteButtons(hasLearnedKeys());
    showIdleHintPanel();
    refreshKeyTips();
    return learned;
}

void Tmaincodelearn::exportLearnedKeys() {
    const std::vector<codes::ExportedKey> keys =
        device::learnedKeysToExport(device::listKeys(layout_, keyTable_));
    if (keys.empty()) {
        platform::box(tr("没有可以导出的已学习按键！"));
        return;
    }
    const std::pair<QString, codes::ExportFormat> formats[] = {
        {tr("Flipper 红外文件 (*.ir)"), codes::ExportFormat::Flipper},
        {tr("Pronto 编码 (*.txt)"), codes::ExportFormat::Pronto},
        {tr("LIRC 配置文件 (*.conf)"), codes::ExportFormat::Lirc},
        {tr("JSON 文件 (*.json)"), codes::ExportFormat::Json},
    };
    QStringList filters;
    for (const auto& [filter, format] : formats)
        filters << filter;
    QString chosenFilter;
    QString file =
        chooseFileToSave(tr("导出已学习的按键"), QStringLiteral("QTM-418.ir"), filters, &chosenFilter);
    if (file.isEmpty())
        return;
    codes::ExportFormat format = codes::ExportFormat::Flipper;
    for (const auto& [filter, candidate] : formats) {
        if (filter != chosenFilter)
            continue;
        format = candidate;
        // The file takes the format's own extension when the owner gave it none.
        const QString suffix = filter.section(QStringLiteral("*."), 1).chopped(1);
        if (QFileInfo(file).suffix().isEmpty())
            file += QLatin1Char('.') + suffix;
    }
    if (const auto failure = codes::saveWhole(pathOf(file), codes::exportText(keys, format))) {
        platform::box(tr("无法写入文件 %1，没有导出任何按键。")
                          .arg(QString::fromStdU16String(failure->file.u16string())));
        return;
    }
    platform::box(tr("已导出 %1 个按键到 %2").arg(keys.size()).arg(file));
}
