// The window's menus, one on every key and one on the window itself, opened by a right-button
// release; the tip over every key; and a key's code view.
#include "controls/ibtn1.h"
#include "keycodedialog.h"
#include "keytexts.h"
#include "mainstudy.h"
#include "model/keytable.h"
#include "platform/dialogs.h"

#include <QMenu>
#include <QMouseEvent>

#include <functional>
#include <memory>

namespace {

// The item's work runs once the menu has closed, from the event loop, never inside the menu's
// own handling of the click: a dialog or a long exchange may follow.
void addItem(QMenu* menu, QWidget* owner, const QString& text, const char* name, bool enabled,
             const std::function<void()>& run) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, owner, run, Qt::QueuedConnection);
}

QMenu* newMenu(QWidget* owner, const char* name) {
    auto* menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    return menu;
}

} // namespace

bool Tmaincodelearn::remoteReady() const {
    return keypadAvailable_ && !layoutDoubtful_ && layout_.complete && !busy_;
}

bool Tmaincodelearn::menusMayChange() const {
    return remoteReady() && !state_.learningOn && !state_.deleteOneOn && !state_.captureThread;
}

void Tmaincodelearn::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton && rect().contains(event->position().toPoint()))
        openWindowMenu(event->globalPosition().toPoint());
}

void Tmaincodelearn::openKeyMenu(IBtn* key, const QPoint& globalPos) {
    const auto entry = model::findKeyEntry(keyTable_, key->Code().toStdString());
    const char state = entry ? model::entryState(keyTable_[*entry]) : model::kNoCode;
    const bool reads = remoteReady() && !state_.captureThread;
    QMenu* menu = newMenu(this, "keyMenu");
    addItem(menu, this, tr("查看编码(&V)"), "viewCode", reads && state != model::kNoCode && state != '\0',
            [this, key] { showKeyCode(key); });
    addItem(menu, this, tr("从代码文件学习(&L)…"), "learnFromFile", menusMayChange() && entry.has_value(),
            [this, key] { learnKeyFromFile(key); });
    addItem(menu, this, tr("删除此键(&D)"), "deleteKey", menusMayChange() && state == model::kLearnedCode,
            [this, key] { deleteKeyClick(key); });
    menu->popup(globalPos);
}

void Tmaincodelearn::openWindowMenu(const QPoint& globalPos) {
    const bool reads = remoteReady() && !state_.captureThread;
    QMenu* menu = newMenu(this, "windowMenu");
    addItem(menu, this, tr("备份遥控器(&B)…"), "backup", reads, [this] { backupRemote(); });
    addItem(menu, this, tr("从备份恢复(&R)…"), "restore", menusMayChange(), [this] { restoreRemote(); });
    menu->addSeparator();
    addItem(menu, this, tr("从代码文件学习整组按键(&A)…"), "learnSide", menusMayChange(),
            [this] { learnSideFromFile(); });
    addItem(menu, this, tr("导出已学习的按键(&E)…"), "export", reads && hasLearnedKeys(),
            [this] { exportLearnedKeys(); });
    menu->addSeparator();
    addItem(menu, this, tr("按品牌设置(&S)…"), "setUpByMaker", menusMayChange(), [this] { setUpByMaker(); });
    addItem(menu, this, tr("代码库(&K)…"), "library", !busy_, [this] { manageLibrary(); });
    addItem(menu, this, tr("下载代码库(&D)…"), "downloadLibrary", !busy_, [this] { downloadLibrary(); });
    menu->addSeparator();
    addItem(menu, this, tr("检查遥控器存储(&C)"), "check", reads, [this] { checkMemory(); });
    addItem(menu, this, tr("遥控器的设备库(&M)…"), "chooseRemote", !busy_, [this] { chooseRemote(); });
    menu->popup(globalPos);
}

void Tmaincodelearn::showKeyCode(IBtn* key) {
    const auto entry = model::findKeyEntry(keyTable_, key->Code().toStdString());
    if (!entry)
        return;
    // Who shares the key's code is known only from every key's slot.
    for (const device::KeyReport& report : device::listKeys(layout_, keyTable_)) {
        if (report.slot != *entry)
            continue;
        KeyCodeDialog dialog(report, this);
        platform::dialogs().exec(dialog);
        return;
    }
}

void Tmaincodelearn::showAllKeyStates() {
    for (IBtn* key : c_.keys) {
        key->setIsEnable(true);
        key->setPicture(keyPicture(skin_.normalKeyPictures, *key));
    }
    showKeyStates();
}

void Tmaincodelearn::showKeyTip(IBtn* key) {
    const auto entry = model::findKeyEntry(keyTable_, key->Code().toStdString());
    if (!entry)
        return;
    if (const auto report = device::reportKey(layout_, keyTable_, *entry))
        applyKeyTips({*report});
    // A reader still under way read the table as it was before.
    if (tipReader_)
        tipsStale_ = true;
}

void Tmaincodelearn::applyKeyTips(const std::vector<device::KeyReport>& reports) {
    for (const device::KeyReport& report : reports) {
        for (IBtn* key : c_.keys) {
            if (key->Code().toStdString() != report.keyNumber)
                continue;
            const QString tip = keytexts::keyTip(report);
            key->setToolTip(tip);
            key->setAccessibleName(tip);
        }
    }
}

void Tmaincodelearn::refreshKeyTips() {
    // What the key table alone says comes at once; what each code sends once it is read.
    applyKeyTips(device::listKeys(model::DeviceLayout{}, keyTable_));
    if (!layout_.complete)
        return;
    if (tipReader_) {
        tipsStale_ = true;
        return;
    }
    startTipReader();
}

void Tmaincodelearn::startTipReader() {
    tipsStale_ = false;
    auto reports = std::make_shared<std::vector<device::KeyReport>>();
    tipReader_ = QThread::create(
        [layout = layout_, table = keyTable_, reports] { *reports = device::listKeys(layout, table); });
    connect(tipReader_, &QThread::finished, this, [this, reports] {
        tipReader_->wait();
        delete tipReader_;
        tipReader_ = nullptr;
        if (tipsStale_)
            startTipReader();
        else
            applyKeyTips(*reports);
    });
    tipReader_->start();
}
