// The window's commit of a captured code: encode it, have it converted, decide how it is stored,
// write it to the remote and show the key as learned.
#include "controls/ibtn1.h"
#include "device/codeconverter.h"
#include "device/commitwrite.h"
#include "mainstudy.h"
#include "model/codeencoding.h"
#include "model/commitplan.h"
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
    state_.capturedCode = model::trimCapture(state_.capturedCode);
    const std::string encoded = model::encodeCapture(state_.capturedCode, diagnosticFile());
    c_.Memo2->appendPlainText(QString::fromStdString(encoded));
    // The group count, the carrier value and its marker are not the converter's business.
    const std::string answerText =
        device::convertCode(encoded.size() > 5 ? encoded.substr(5) : std::string());
    if (answerText.empty()) {
        platform::box(QStringLiteral("学习失败！"));
        learningFailed();
        return;
    }
    c_.Memo2->appendPlainText(QString::fromStdString(answerText));
    const auto answer = model::parseConverterAnswer(answerText);
    if (!answer) {
        platform::box(QStringLiteral("遥控器编码的转换结果不完整，无法保存该按键！"));
        learningFailed();
        return;
    }
    if (!remoteMayBeWritten()) {
        learningFailed();
        return;
    }
    const auto decision = model::planCommit(layout_, keyTable_, key->Code().toStdString(), *answer);
    if (const auto* refusal = std::get_if<model::CommitRefusal>(&decision)) {
        if (const QString why = refusalText(*refusal); !why.isEmpty())
            platform::box(why);
        learningFailed();
        return;
    }
    const auto& plan = std::get<model::CommitPlan>(decision);
    switch (device::storeLearnedCode(layout_, keyTable_, plan)) {
    case device::CommitOutcome::Written:
        break;
    case device::CommitOutcome::KeyUnchanged:
        platform::box(QStringLiteral("写入遥控器失败，请检查USB连接线！"));
        learningFailed();
        return;
    case device::CommitOutcome::KeyEmptied:
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
