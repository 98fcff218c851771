// The window's commit of a captured code: encode it, have it converted, decide how it is stored,
// write it to the remote and show the key as learned.
#include "controls/ibtn1.h"
#include "device/capturecommit.h"
#include "mainstudy.h"
#include "model/codeencoding.h"
#include "platform/animationplayer.h"
#include "platform/fixedpaths.h"
#include "platform/messagebox.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <filesystem>

namespace {

std::filesystem::path diagnosticFile() {
    return std::filesystem::path(platform::fixedFilePath(QStringLiteral("123.txt")).toStdU16String());
}

QString refusalText(model::CommitRefusal refusal) {
    switch (refusal) {
    case model::CommitRefusal::IndexFull:
        return QStringLiteral("遥控器的编码存储已满，请先删除不用的学习按键！");
    case model::CommitRefusal::NoRoom:
        return QStringLiteral("遥控器的编码存储空间不足，请先删除不用的学习按键！");
    case model::CommitRefusal::NoCodeData:
        return QStringLiteral("遥控器编码的转换结果没有编码数据，无法保存该按键！");
    case model::CommitRefusal::CodeTooLong:
        return QStringLiteral("该按键的编码太长，遥控器无法保存，请重新学习该按键！");
    case model::CommitRefusal::NoKeyEntry:
        break;
    }
    return {};
}

} // namespace

void Tmaincodelearn::commitCapture() {
    IBtn* key = selectedKeyList_.first();
    setStatus(key->Path() + QStringLiteral("键正在学习！"), true);
    const device::LearnResult learned =
        device::learnCapture(layout_, keyTable_, key->Code().toStdString(), state_.capturedCode,
                             diagnosticFile(), [this] { return remoteMayBeWritten(); });
    state_.capturedCode = learned.trimmed;
    c_.Memo2->appendPlainText(QString::fromStdString(learned.encoded));
    if (!learned.answerText.empty())
        c_.Memo2->appendPlainText(QString::fromStdString(learned.answerText));
    switch (learned.outcome) {
    case device::LearnOutcome::Written:
        break;
    case device::LearnOutcome::NotConverted:
        platform::box(QStringLiteral("学习失败！"));
        learningFailed();
        return;
    case device::LearnOutcome::AnswerIncomplete:
        platform::box(QStringLiteral("遥控器编码的转换结果不完整，无法保存该按键！"));
        learningFailed();
        return;
    case device::LearnOutcome::NotAllowed:
        learningFailed();
        return;
    case device::LearnOutcome::Refused:
        if (const QString why = refusalText(*learned.refusal); !why.isEmpty())
            platform::box(why);
        learningFailed();
        return;
    case device::LearnOutcome::KeyUnchanged:
        platform::box(QStringLiteral("写入遥控器失败，请检查USB连接线！"));
        learningFailed();
        return;
    case device::LearnOutcome::KeyEmptied:
        platform::box(
            QStringLiteral("写入遥控器失败，该按键原有的编码已删除，请检查USB连接线后重新学习该按键！"));
        learningFailed();
        setDeleteButtons(hasLearnedKeys());
        return;
    }
    key->setPicture(keyPicture(skin_.learnedKeyPictures, *key));
    platform::box(QStringLiteral("已接收到遥控器编码！"));
    c_.donghuaflash2->hide();
    c_.donghuaflash2->stopPlay();
    c_.Imagehint->show();
    c_.Imagehint->setPixmap(skin_.single(QStringLiteral("gifquorel")));
    setStatus(key->Path() + QStringLiteral("键学习成功！"), true);
    if (!selectedKeyList_.isEmpty())
        selectedKeyList_.removeFirst();
    setDeleteButtons(hasLearnedKeys());
}

// The hidden test action: encodes the capture kept in the diagnostic file again.
void Tmaincodelearn::replayDiagnosticCapture() {
    const std::filesystem::path file = diagnosticFile();
    model::encodeCapture(model::trimCapture(model::diagnosticLine(file)), file);
}
