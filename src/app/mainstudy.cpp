#include "mainstudy.h"
#include "devicetexts.h"
#include "memorytexts.h"
#include "remotetexts.h"

#include "controls/ibtn1.h"
#include "device/devicelink.h"
#include "device/identification.h"
#include "device/layoutio.h"
#include "device/linkstathread.h"
#include "device/startupread.h"
#include "model/devicemessages.h"
#include "model/keydeletion.h"
#include "model/keypadlayout.h"
#include "model/keytable.h"
#include "platform/animationplayer.h"
#include "platform/fixedpaths.h"
#include "platform/messagebox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

Tmaincodelearn* maincodelearn = nullptr;

namespace {

const QString kApplicationTitle = QStringLiteral("QTM-418");

void showNotice(const model::Notice& notice) {
    platform::showMessage(nullptr, notice.style, platform::Buttons::Ok, devicetexts::translated(notice.text));
}

} // namespace

Tmaincodelearn::Tmaincodelearn(QWidget* parent, std::future<device::StartupRead> startupRead)
    : QWidget(parent, Qt::FramelessWindowHint) {
    maincodelearn = this;
    // The application's name, not its display name, which the toolkit would append to every
    // window title: boxed messages read "提示" and nothing more.
    QCoreApplication::setApplicationName(kApplicationTitle);
    // The remote is read while the controls are built; what it answered is taken in creation's
    // own order, and anything that needs a question is asked and read again there.
    if (!startupRead.valid())
        startupRead = device::startReadingAtStartup();
    createControls();
    runCreation(startupRead.valid() ? startupRead.get() : device::readAtStartup());
}

Tmaincodelearn::~Tmaincodelearn() {
    stopCapture();
    delete captureObject_;
    // The monitor stops within one period; it is never left running against a window that is gone.
    if (state_.linkThread) {
        state_.linkThread->requestInterruption();
        state_.linkThread->wait();
        delete state_.linkThread;
    }
    if (tipReader_) {
        tipReader_->wait();
        delete tipReader_;
    }
    if (maincodelearn == this)
        maincodelearn = nullptr;
}

void Tmaincodelearn::createControls() {
    setObjectName(QStringLiteral("maincodelearn"));
    setWindowTitle(tr("自学习"));
    setFixedSize(model::kWindowSize.width, model::kWindowSize.height);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(53, 124, 168));
    setPalette(palette);
    c_ = controls::createMainControls(this);
    connect(c_.IBtn79, &IBtn::clicked, this, &QWidget::close);
    connect(c_.beginstudyibtn, &IBtn::clicked, this, &Tmaincodelearn::toggleLearning);
    connect(c_.delstudykey, &IBtn::clicked, this, &Tmaincodelearn::toggleDeleteMode);
    connect(c_.delallstudykey, &IBtn::clicked, this, &Tmaincodelearn::clearAllKeys);
    for (IBtn* key : c_.keys) {
        connect(key, &IBtn::clicked, this, &Tmaincodelearn::keyClick);
        connect(key, &IBtn::menuRequested, this, &Tmaincodelearn::openKeyMenu);
    }
    connectCommands();
    connect(c_.Button1, &QPushButton::clicked, this, &Tmaincodelearn::replayDiagnosticCapture);
}

void Tmaincodelearn::runCreation(device::StartupRead read) {
    // Which remote this window configures, without changing what the label says.
    c_.lab_usbstate->setToolTip(remotetexts::remoteInUse(bridge::remoteInUse()));
    if (!read.attached) {
        if (!waitForDevice()) {
            state_.startupRefused = true;
            return;
        }
        read = {};
    }
    QCoreApplication::processEvents();
    if (applyIdentification(read.identification ? *read.identification : device::identifyDevice()))
        applyLayout(read.layout ? std::move(*read.layout) : device::readDeviceLayout());
}

// Asks until the remote answers or the user cancels; false when cancelled. The maker's files
// that cannot serve are named first: the real remote is meant, and never the virtual one instead.
bool Tmaincodelearn::waitForDevice() {
    if (const auto problem = bridge::remoteInUse().problem)
        platform::box(remotetexts::makerProblem(*problem));
    while (!device::link::attached()) {
        const auto answer =
            platform::showMessage(nullptr, platform::MessageStyle::Boxed, platform::Buttons::RetryCancel,
                                  devicetexts::translated(model::kNoRemoteMessage));
        if (answer != platform::Answer::Retry)
            return false;
    }
    return true;
}

// True when the remote was accepted and its memory may be read.
bool Tmaincodelearn::applyIdentification(const model::Identification& id) {
    using model::IdentifyOutcome;
    state_.deviceIdentity = id.identity;
    if (id.showFirmwareVersion)
        c_.lab_gjbb->setText(QStringLiteral(" 2.0"));
    if (id.outcome == IdentifyOutcome::Refused)
        state_.startupRefused = true;
    if (id.notice)
        showNotice(*id.notice);
    if (id.outcome != IdentifyOutcome::Accepted)
        return false;
    c_.lab_ykqtype->setText(kApplicationTitle);
    return true;
}

void Tmaincodelearn::applyLayout(model::LayoutRead read) {
    if (read.failure) {
        platform::notify(nullptr, devicetexts::translated(*read.failure));
        return;
    }
    layout_ = std::move(read.layout);
    keyTable_ = std::move(read.keyTable);
    // Entries no slot refers to, left by an interrupted change, count as free: their room comes
    // back with the next index write, and nothing is written now.
    model::reclaimOrphans(layout_, keyTable_);
    state_.deviceBlockUnit = layout_.deviceBlockUnit;
    c_.Memo1->setPlainText(QString::fromStdString(read.memoText));
}

QString Tmaincodelearn::animationFile() { return platform::fixedFilePath(QStringLiteral("888.swf")); }

std::filesystem::path Tmaincodelearn::diagnosticFile() {
    return std::filesystem::path(platform::fixedFilePath(QStringLiteral("123.txt")).toStdU16String());
}

void Tmaincodelearn::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A restored window was minimised, not shown afresh: the skin, the screen question and the
    // delete commands stay as the user and the link monitor left them.
    if (event->spontaneous())
        return;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    showSteps();
}

void Tmaincodelearn::prepareShow() {
    if (state_.startupRefused || preparedSkin_)
        return;
    preparedSkin_ = decodeSkin();
    // The window drawn once where nobody sees it, a strip at a time: its fonts are loaded, its
    // glyphs and stretched pictures cached before the first real paint needs them.
    QImage strip(width(), 64, QImage::Format_ARGB32_Premultiplied);
    for (int top = 0; top < height(); top += strip.height())
        render(&strip, QPoint(), QRegion(0, top, width(), strip.height()));
}

void Tmaincodelearn::showSteps() {
    if (state_.startupRefused) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    if (!state_.linkThread)
        startLinkMonitor();
    DecodedSkin decoded = preparedSkin_ ? std::move(*preparedSkin_) : decodeSkin();
    preparedSkin_.reset();
    if (!applySkin(skin_, std::move(decoded), animationFile())) {
        platform::notify(this, tr("调用图片出错！"));
        state_.startupRefused = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    checkScreenSize();
    showKeyStates();
    c_.Imagehint->setPixmap(skin_.single(QStringLiteral("gifquorel")));
    c_.delstudykey->setPicture(skin_.single(QStringLiteral("delete")));
    c_.delallstudykey->setPicture(skin_.single(QStringLiteral("clear")));
    if (hasLearnedKeys()) {
        c_.delstudykey->setEnabled(true);
        c_.delallstudykey->setEnabled(true);
        c_.Image4->show();
        c_.Image8->hide();
    } else {
        setDeleteButtons(false);
        c_.Image8->show();
        c_.Image4->hide();
    }
    c_.Image5->hide();
    c_.Image7->hide();
    c_.lab_softver->setText(QStringLiteral("V 2.2"));
    refreshKeyTips();
}

// The delete commands with their normal or greyed pictures; greyed ends delete-one-key mode.
void Tmaincodelearn::setDeleteButtons(bool available) {
    c_.delstudykey->setPicture(
        skin_.single(available ? QStringLiteral("delete") : QStringLiteral("deletehui")));
    c_.delallstudykey->setPicture(
        skin_.single(available ? QStringLiteral("clear") : QStringLiteral("clearhui")));
    c_.delstudykey->setEnabled(available);
    c_.delallstudykey->setEnabled(available);
    if (!available)
        state_.deleteOneOn = false;
}

// The idle panel: Image4 when some key is learned, Image8 when none is.
void Tmaincodelearn::showIdleHintPanel() {
    const bool learned = hasLearnedKeys();
    c_.Image4->setVisible(learned);
    c_.Image8->setVisible(!learned);
    c_.Image5->hide();
    c_.Image7->hide();
}

QPixmap Tmaincodelearn::keyPicture(const KeyPictures& set, const IBtn& key) const {
    const auto index = model::keyPictureIndex(key.Code().toStdString());
    return index ? set[static_cast<std::size_t>(*index)] : QPixmap();
}

void Tmaincodelearn::showKeyStates() {
    // Every image button of the window, in creation order; command buttons carry no key number.
    for (IBtn* button : findChildren<IBtn*>()) {
        for (const auto look : model::keyLooks(keyTable_, button->Code().toStdString())) {
            if (look == model::KeyLook::Learned) {
                button->setIsEnable(false);
                button->setPicture(keyPicture(skin_.learnedKeyPictures, *button));
            } else {
                button->setPicture(keyPicture(skin_.occupiedKeyPictures, *button));
            }
        }
    }
}

bool Tmaincodelearn::hasLearnedKeys() const { return model::hasLearnedKeys(keyTable_); }

bool Tmaincodelearn::keyHasLook(const IBtn* key, model::KeyLook look) const {
    const auto looks = model::keyLooks(keyTable_, key->Code().toStdString());
    return std::find(looks.begin(), looks.end(), look) != looks.end();
}

bool Tmaincodelearn::layoutReadable() {
    if (layout_.complete)
        return true;
    platform::box(tr("无法读取遥控器的存储内容，请重新插拔USB连接线后再启动自学习软件！"));
    return false;
}

bool Tmaincodelearn::remoteMayBeWritten() {
    if (state_.closingDown)
        return false;
    const device::RemoteCheck check = device::checkSameRemote(state_.deviceIdentity);
    if (check == device::RemoteCheck::Same)
        return true;
    platform::box(memorytexts::remoteCheckText(check));
    return false;
}

void Tmaincodelearn::closeEvent(QCloseEvent* event) {
    // A search by maker puts the Power key back first, then the window closes.
    if (searching_) {
        closeAfterSearch_ = true;
        searchInterrupted_ = true;
        if (searchStep_)
            searchStep_->reject();
        event->ignore();
        return;
    }
    if (device::link::attached() && state_.learningOn) {
        platform::notify(this, tr("你正在学习，要退出系统请先停止学习！"));
        event->ignore();
        return;
    }
    state_.closingDown = true;
    if (state_.linkThread)
        state_.linkThread->requestInterruption();
    event->accept();
    closeSteps();
}

void Tmaincodelearn::closeSteps() {
    c_.donghuaflash2->stopPlay();
    stopCapture();
    if (state_.startupRefused)
        return;
    skin_ = SkinPictures{};
    if (QFile::exists(animationFile()))
        QFile::remove(animationFile());
}

void Tmaincodelearn::startLinkMonitor() {
    auto* monitor = new linkstate(state_.deviceIdentity);
    connect(monitor, &linkstate::linkStateText, this,
            [this](const QString& text) { c_.lab_usbstate->setText(devicetexts::translated(text)); });
    connect(monitor, &linkstate::keypadLocked, this, [this] { setKeypadAvailable(false); });
    connect(monitor, &linkstate::keypadUnlocked, this, [this] { setKeypadAvailable(true); });
    connect(monitor, &linkstate::reconnectAsked, this, [](const std::shared_ptr<LinkAnswer>& answer) {
        answer->give(platform::showMessage(nullptr, platform::MessageStyle::Boxed,
                                           platform::Buttons::RetryCancel,
                                           tr("未检测到遥控器，请重新连接遥控器！")));
    });
    connect(monitor, &linkstate::closeAsked, this, [](const std::shared_ptr<LinkAnswer>& answer) {
        answer->give(platform::showMessage(nullptr, platform::MessageStyle::Boxed,
                                           platform::Buttons::OkCancel, tr("您需要关闭自学习软件吗！")));
    });
    connect(monitor, &QThread::finished, this, &Tmaincodelearn::linkMonitorFinished);
    connect(monitor, &QThread::finished, monitor, &QObject::deleteLater);
    state_.linkThread = monitor;
    monitor->start();
}

// While the remote is away the keypad is hidden and the key commands are disabled.
void Tmaincodelearn::setKeypadAvailable(bool available) {
    keypadAvailable_ = available;
    // No device is there to press the Power key at: a search by maker stops.
    if (!available && searching_) {
        searchInterrupted_ = true;
        if (searchStep_)
            searchStep_->reject();
    }
    if (available)
        rereadIfBack();
    applyKeypadLock();
}

void Tmaincodelearn::applyKeypadLock() {
    const bool open = keypadAvailable_ && !layoutDoubtful_;
    c_.ykqbox->setVisible(open);
    c_.beginstudyibtn->setEnabled(open);
    c_.delstudykey->setEnabled(open);
    c_.delallstudykey->setEnabled(open);
}

void Tmaincodelearn::linkMonitorFinished() {
    if (!state_.closingDown)
        close();
}
