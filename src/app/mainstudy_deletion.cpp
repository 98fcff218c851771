// The window's deletion of learned keys: one key in delete-one-key mode, or all at once.
#include "mainstudy.h"
#include "controls/ibtn1.h"
#include "device/devicelink.h"
#include "device/layoutio.h"
#include "model/keydeletion.h"
#include "model/keytable.h"
#include "platform/messagebox.h"

#include <QLabel>

namespace {

void box(const QString& text) { platform::notify(nullptr, text); }

bool askYes(const QString& question) {
    return platform::showMessage(nullptr, model::MessageStyle::Boxed, platform::Buttons::YesNo, question) ==
           platform::Answer::Yes;
}

} // namespace

void Tmaincodelearn::toggleDeleteMode() {
    if (state_.learningOn) {
        box(QStringLiteral("现在正在学习状态，要删除请先停止学习！"));
        return;
    }
    state_.deleteOneOn = !state_.deleteOneOn;
    if (state_.deleteOneOn) {
        c_.Image7->show();
        c_.Image4->hide();
        c_.Image5->hide();
        setStatus(QStringLiteral("请在左面遥控器上选择待删除的按键！"));
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
    if (keyTable_.empty()) {
        box(QStringLiteral("该键还没有自学习过，无法删除！"));
        return;
    }
    const std::string keyNumber = key->Code().toStdString();
    const auto entry = model::findKeyEntry(keyTable_, keyNumber);
    if (!entry || model::entryState(keyTable_[*entry]) != model::kLearnedCode) {
        box(QStringLiteral("该按键还没有自学习过，无法删除！"));
        return;
    }
    setStatus(QString());
    if (!askYes(QStringLiteral("你确实要删除该自学习按键的编码？")))
        return;
    key->setIsEnable(true);
    const auto slot = model::findKeyEntry(keyTable_, keyNumber, true);
    key->setPicture(keyPicture(skin_.normalKeyPictures, *key));
    if (clearKeyOnDevice(*slot, keyNumber))
        box(QStringLiteral("删除操作成功！"));
    model::markKeyCleared(keyTable_, keyNumber);
    if (!hasLearnedKeys()) {
        setDeleteButtons(false);
        showIdleHintPanel();
    }
}

bool Tmaincodelearn::clearKeyOnDevice(std::size_t slot, const std::string& keyNumber) {
    return clearKeyOnDevice(slot, keyNumber, {});
}

// Keys in `leaving` are cleared in the same run: a code only they shared is freed as well.
bool Tmaincodelearn::clearKeyOnDevice(std::size_t slot, const std::string& keyNumber,
                                      const std::set<std::string>& leaving) {
    // Without a completely read layout no slot address can be trusted: nothing is written.
    if (!layout_.complete) {
        box(QStringLiteral("删除操作失败！"));
        return false;
    }
    const unsigned address = model::slotAddress(layout_, static_cast<unsigned>(slot));
    const std::string slotText = device::link::readData(address, 5, state_.deviceBlockUnit, 512);
    const bool flagWritten = device::link::writeData(state_.deviceBlockUnit, address, "00");
    if (!flagWritten)
        box(QStringLiteral("删除操作失败！"));
    const auto entry = model::referencedIndexEntry(slotText, keyTable_, slot);
    if (!entry || model::indexEntryShared(keyTable_, keyNumber, *entry, leaving))
        return flagWritten;
    if (auto freed = model::freeIndexEntry(layout_, *entry)) {
        layout_.codeIndexText = std::move(freed->codeIndexText);
        layout_.blockMap = std::move(freed->blockMap);
        device::writeIndexState(layout_);
    }
    return flagWritten;
}

void Tmaincodelearn::clearAllKeys() {
    if (state_.learningOn) {
        box(QStringLiteral("现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！"));
        return;
    }
    if (state_.deleteOneOn) {
        box(QStringLiteral("现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！"));
        return;
    }
    if (!hasLearnedKeys()) {
        box(QStringLiteral("没有可清空的按键的编码！"));
        return;
    }
    if (!askYes(QStringLiteral("你确实要清空所有自学习过的按键的编码吗？")))
        return;
    std::set<std::string> leaving;
    for (const auto& entry : keyTable_)
        if (model::entryState(entry) == model::kLearnedCode)
            leaving.insert(std::string(model::entryKeyNumber(entry)));
    for (std::size_t n = 0; n < keyTable_.size(); ++n) {
        if (model::entryState(keyTable_[n]) != model::kLearnedCode)
            continue;
        clearKeyOnDevice(n, std::string(model::entryKeyNumber(keyTable_[n])), leaving);
        if (layout_.complete)
            device::link::writeData(state_.deviceBlockUnit, model::slotAddress(layout_, static_cast<unsigned>(n)), "00");
    }
    for (IBtn* button : findChildren<IBtn*>()) {
        for (const auto look : model::keyLooks(keyTable_, button->Code().toStdString())) {
            if (look != model::KeyLook::Learned)
                continue;
            button->setIsEnable(true);
            button->setPicture(keyPicture(skin_.normalKeyPictures, *button));
        }
    }
    setStatus(QStringLiteral("清空操作完成！"));
    box(QStringLiteral("清空操作完成！"));
    c_.runstate_lab->repaint();
    for (auto& entry : keyTable_)
        if (model::entryState(entry) == model::kLearnedCode)
            entry = std::string(model::entryKeyNumber(entry)) + "|0";
    setDeleteButtons(hasLearnedKeys());
    c_.Image8->show();
    c_.Image4->hide();
    c_.Image5->hide();
    c_.Image7->hide();
}
