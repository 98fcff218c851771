// The window's deletion of learned keys: one key in delete-one-key mode, or all at once.
#include "controls/ibtn1.h"
#include "device/keyclearing.h"
#include "learntexts.h"
#include "mainstudy.h"
#include "model/keytable.h"
#include "platform/messagebox.h"

#include <QLabel>

void Tmaincodelearn::toggleDeleteMode() {
    if (state_.learningOn) {
        platform::box(tr("现在正在学习状态，要删除请先停止学习！"));
        return;
    }
    state_.deleteOneOn = !state_.deleteOneOn;
    if (state_.deleteOneOn) {
        c_.Image7->show();
        c_.Image4->hide();
        c_.Image5->hide();
        setStatus(tr("请在左面遥控器上选择待删除的按键！"));
        c_.delstudykey->setPicture(skin_.single(QStringLiteral("stopdelete")));
        return;
    }
    setStatus(QString());
    c_.delstudykey->setPicture(skin_.single(QStringLiteral("delete")));
    showIdleHintPanel();
}

void Tmaincodelearn::deleteKeyClick(IBtn* key) {
    if (!selectedKeyList_.isEmpty())
        selectedKeyList_.removeFirst();
    if (!layoutReadable())
        return;
    if (keyTable_.empty()) {
        platform::box(tr("该键还没有自学习过，无法删除！"));
        return;
    }
    const std::string keyNumber = key->Code().toStdString();
    const auto entry = model::findKeyEntry(keyTable_, keyNumber);
    if (!entry || model::entryState(keyTable_[*entry]) != model::kLearnedCode) {
        platform::box(tr("该按键还没有自学习过，无法删除！"));
        return;
    }
    setStatus(QString());
    if (!platform::askYes(tr("你确实要删除该自学习按键的编码？")) || !remoteMayBeWritten())
        return;
    // The key turns grey only once the remote no longer holds its code.
    std::optional<unsigned> roomNotFreedAt;
    if (clearKeyOnDevice(*model::findKeyEntry(keyTable_, keyNumber, true), &roomNotFreedAt)) {
        key->setIsEnable(true);
        key->setPicture(keyPicture(skin_.normalKeyPictures, *key));
        showKeyTip(key);
        platform::box(withRoomNotFreed(tr("删除操作成功！"), roomNotFreedAt));
    }
    if (!hasLearnedKeys()) {
        setDeleteButtons(false);
        showIdleHintPanel();
    }
}

bool Tmaincodelearn::clearKeyOnDevice(std::size_t slot, std::optional<unsigned>* roomNotFreedAt) {
    std::optional<unsigned> roomFailure;
    const auto outcome = device::clearKeySlot(layout_, keyTable_, slot, state_.deviceBlockUnit, &roomFailure);
    if (outcome == device::ClearOutcome::FlagNotWritten || roomFailure)
        rereadWhenBack();
    if (outcome != device::ClearOutcome::Cleared)
        platform::box(tr("删除操作失败！"));
    if (roomNotFreedAt)
        *roomNotFreedAt = roomFailure;
    return outcome == device::ClearOutcome::Cleared;
}

void Tmaincodelearn::clearAllKeys() {
    if (state_.learningOn) {
        platform::box(tr("现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！"));
        return;
    }
    if (state_.deleteOneOn) {
        platform::box(tr("现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！"));
        return;
    }
    if (!layoutReadable())
        return;
    if (!hasLearnedKeys()) {
        platform::box(tr("没有可清空的按键的编码！"));
        return;
    }
    if (!platform::askYes(tr("你确实要清空所有自学习过的按键的编码吗？")) || !remoteMayBeWritten())
        return;
    QList<IBtn*> learned;
    for (IBtn* button : findChildren<IBtn*>())
        if (keyHasLook(button, model::KeyLook::Learned))
            learned.append(button);
    bool asPlanned = true;
    std::optional<unsigned> roomNotFreedAt;
    for (const auto& cleared : device::clearLearnedKeys(layout_, keyTable_, state_.deviceBlockUnit)) {
        asPlanned = asPlanned && cleared.outcome == device::ClearOutcome::Cleared && !cleared.roomNotFreedAt;
        if (cleared.outcome != device::ClearOutcome::Cleared)
            platform::box(tr("删除操作失败！"));
        else if (cleared.roomNotFreedAt)
            roomNotFreedAt = cleared.roomNotFreedAt;
    }
    if (!asPlanned)
        rereadWhenBack();
    // Keys whose code the remote still holds after a failed write stay red.
    for (IBtn* button : learned) {
        if (keyHasLook(button, model::KeyLook::Learned))
            continue;
        button->setIsEnable(true);
        button->setPicture(keyPicture(skin_.normalKeyPictures, *button));
    }
    refreshKeyTips();
    setStatus(tr("清空操作完成！"));
    platform::box(withRoomNotFreed(tr("清空操作完成！"), roomNotFreedAt));
    c_.runstate_lab->repaint();
    setDeleteButtons(hasLearnedKeys());
    showIdleHintPanel();
}
