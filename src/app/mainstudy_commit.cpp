// The window's commit of a captured code: encode it, have it converted, decide how it is stored,
// write it to the remote and show the key as learned.
#include "controls/ibtn1.h"
#include "device/capturecommit.h"
#include "keytexts.h"
#include "learntexts.h"
#include "mainstudy.h"
#include "model/codeencoding.h"
#include "platform/animationplayer.h"
#include "platform/fixedpaths.h"
#include "platform/messagebox.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <filesystem>

void Tmaincodelearn::commitCapture() {
    IBtn* key = selectedKeyList_.first();
    setStatus(tr("%1键正在学习！").arg(keytexts::pathText(key->Path())), true);
    const device::LearnResult learned =
        device::learnCapture(layout_, keyTable_, key->Code().toStdString(), state_.capturedCode,
                             diagnosticFile(), [this] { return remoteMayBeWritten(); });
    state_.capturedCode = learned.trimmed;
    c_.Memo2->appendPlainText(QString::fromStdString(learned.encoded));
    if (!learned.answerText.empty())
        c_.Memo2->appendPlainText(QString::fromStdString(learned.answerText));
    const bool asPlanned = learned.outcome == device::LearnOutcome::Written && !learned.roomNotFreedAt;
    if (!asPlanned && learned.outcome != device::LearnOutcome::NotAllowed)
        rereadWhenBack();
    if (learned.outcome != device::LearnOutcome::Written) {
        if (const QString why = learnFailureText(learned); !why.isEmpty())
            platform::box(why);
        learningFailed();
        if (learned.outcome == device::LearnOutcome::KeyEmptied) {
            setDeleteButtons(hasLearnedKeys());
            showKeyTip(key);
        }
        return;
    }
    key->setPicture(keyPicture(skin_.learnedKeyPictures, *key));
    platform::box(withRoomNotFreed(tr("已接收到遥控器编码！"), learned.roomNotFreedAt));
    c_.donghuaflash2->hide();
    c_.donghuaflash2->stopPlay();
    c_.Imagehint->show();
    c_.Imagehint->setPixmap(skin_.single(QStringLiteral("gifquorel")));
    setStatus(tr("%1键学习成功！").arg(keytexts::pathText(key->Path())), true);
    if (!selectedKeyList_.isEmpty())
        selectedKeyList_.removeFirst();
    setDeleteButtons(hasLearnedKeys());
    showKeyTip(key);
}

// The hidden test action: encodes the capture kept in the diagnostic file again.
void Tmaincodelearn::replayDiagnosticCapture() {
    const std::filesystem::path file = diagnosticFile();
    model::encodeCapture(model::trimCapture(model::diagnosticLine(file)), file);
}
