// The window's learning mode: switching it, the key clicks, and giving a key up.
#include "collect_code.h"
#include "controls/ibtn1.h"
#include "keytexts.h"
#include "mainstudy.h"
#include "model/keytable.h"
#include "platform/animationplayer.h"
#include "platform/messagebox.h"

#include <QLabel>

#include <algorithm>

void Tmaincodelearn::setStatus(const QString& text, bool repaintNow) {
    c_.runstate_lab->setText(text);
    if (repaintNow)
        c_.runstate_lab->repaint();
}

void Tmaincodelearn::toggleLearning() {
    if (state_.deleteOneOn) {
        platform::box(tr("现在在删除状态，要学习请先停止删除！"));
        return;
    }
    state_.learningOn = !state_.learningOn;
    if (state_.learningOn) {
        c_.beginstudyibtn->setIsEnable(false);
        c_.Imagehint->setPixmap(skin_.single(QStringLiteral("jpgjingtai")));
        setStatus(tr("请在左面遥控器上点击待学习的按键！"));
        c_.Image5->show();
        c_.Image4->hide();
        c_.Image7->hide();
        c_.Image8->hide();
        return;
    }
    c_.donghuaflash2->hide();
    c_.donghuaflash2->stopPlay();
    state_.captureRunState = 2;
    c_.Imagehint->show();
    setStatus(QString());
    c_.Imagehint->setPixmap(skin_.single(QStringLiteral("gifquorel")));
    showIdleHintPanel();
    if (!selectedKeyList_.isEmpty()) {
        IBtn* key = selectedKeyList_.takeFirst();
        key->setPicture(keyPicture(skin_.normalKeyPictures, *key));
        for (const auto look : model::keyLooks(keyTable_, key->Code().toStdString()))
            if (look == model::KeyLook::Learned)
                key->setIsEnable(false);
    }
    showKeyStates();
    c_.beginstudyibtn->setIsEnable(true);
}

void Tmaincodelearn::keyClick(IBtn* key) {
    if (state_.deleteOneOn)
        deleteKeyClick(key);
    else
        learnKeyClick(key);
}

void Tmaincodelearn::learnKeyClick(IBtn* key) {
    if (!selectedKeyList_.isEmpty()) {
        platform::box(tr("%1按键正在学习，要停止%1按键,请点击停止学习按钮")
                          .arg(keytexts::pathText(selectedKeyList_.first()->Path())));
        return;
    }
    if (!state_.learningOn) {
        platform::box(tr("请先点击开始学习按钮！"));
        return;
    }
    if (!layoutReadable())
        return;
    if (!mayLearnAgain(key))
        return;
    key->setPicture(keyPicture(skin_.learningKeyPictures, *key));
    setStatus(tr("准备学习%1按键， 请发码").arg(keytexts::pathText(key->Path())));
    c_.Imagehint->hide();
    c_.donghuaflash2->setMovie(animationFile());
    c_.donghuaflash2->show();
    c_.donghuaflash2->play();
    selectedKeyList_.append(key);
    if (!state_.captureThread)
        startCapture(key);
}

bool Tmaincodelearn::mayLearnAgain(IBtn* key) {
    if (!keyHasLook(key, model::KeyLook::Learned))
        return true;
    if (!platform::askYes(tr("%1键编码已学习过，要重新学习吗?").arg(keytexts::pathText(key->Path()))) ||
        !remoteMayBeWritten())
        return false;
    key->setIsEnable(true);
    key->repaint();
    return true;
}

void Tmaincodelearn::startCapture(IBtn* key) {
    state_.captureRunState = 1;
    auto* thread = new TCollectCode(state_);
    connect(thread, &QThread::finished, this, &Tmaincodelearn::captureFinished);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    state_.captureThread = thread;
    captureObject_ = thread;
    captureKey_ = key;
    thread->start();
}

// A closing window never leaves a capture thread writing into it.
void Tmaincodelearn::stopCapture() {
    if (!captureObject_)
        return;
    state_.captureRunState = 2;
    captureObject_->wait();
}

void Tmaincodelearn::learningFailed() {
    if (selectedKeyList_.isEmpty())
        return;
    IBtn* key = selectedKeyList_.first();
    c_.donghuaflash2->hide();
    c_.donghuaflash2->stopPlay();
    c_.Imagehint->show();
    c_.Imagehint->setPixmap(skin_.single(QStringLiteral("jpgjingtai")));
    setStatus(tr("请重新选择按键进行学习！"));
    platform::showMessage(nullptr, platform::MessageStyle::Plain, platform::Buttons::Ok, tr("学习失败！"));
    c_.runstate_lab->repaint();
    key->setPicture(keyPicture(skin_.normalKeyPictures, *key));
    selectedKeyList_.removeOne(key);
    showKeyStates();
}

void Tmaincodelearn::captureFinished() {
    state_.captureThread = nullptr;
    if (state_.closingDown)
        return;
    // A code captured for another key, or after learning was switched off, is never stored.
    const bool stale = state_.captureRunState.load() != 1 || !state_.learningOn ||
                       selectedKeyList_.isEmpty() || selectedKeyList_.first() != captureKey_;
    captureKey_ = nullptr;
    if (state_.capturedCode.empty() || stale) {
        learningFailed();
        return;
    }
    commitCapture();
}
