#include "mainstudy.h"

#include "../device/devicelink.h"
#include "../device/devicemessages.h"
#include "../device/identification.h"
#include "../device/layoutio.h"
#include "../platform/messagebox.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QToolButton>

Tmaincodelearn* maincodelearn = nullptr;

namespace {

const QString kApplicationTitle = QStringLiteral("QTM-418");

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    return label;
}

void showNotice(const device::Notice& notice) {
    platform::showMessage(nullptr, notice.style, platform::Buttons::Ok, QString::fromStdString(notice.text));
}

} // namespace

Tmaincodelearn::Tmaincodelearn(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint) {
    maincodelearn = this;
    QGuiApplication::setApplicationDisplayName(kApplicationTitle);
    createControls();
    runCreation();
}

Tmaincodelearn::~Tmaincodelearn() {
    if (maincodelearn == this)
        maincodelearn = nullptr;
}

void Tmaincodelearn::createControls() {
    setObjectName(QStringLiteral("maincodelearn"));
    setWindowTitle(QStringLiteral("自学习"));
    setFixedSize(1028, 737);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(53, 124, 168));
    setPalette(palette);

    const auto caption = [this](const QString& text, int top) {
        auto* label = makeLabel(this, "", QRect(520, top, 88, 15), text);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    caption(QStringLiteral("遥控器型号："), 118);
    caption(QStringLiteral("软件版本："), 152);
    caption(QStringLiteral("固件版本："), 188);
    caption(QStringLiteral("遥控器状态："), 226);
    lab_ykqtype = makeLabel(this, "lab_ykqtype", QRect(611, 118, 225, 15), QStringLiteral(" "));
    lab_softver = makeLabel(this, "lab_softver", QRect(611, 152, 225, 17), QStringLiteral(" "));
    lab_gjbb = makeLabel(this, "lab_gjbb", QRect(611, 188, 221, 17), QString());
    lab_usbstate = makeLabel(this, "lab_usbstate", QRect(610, 226, 228, 15), QString());

    IBtn79 = new QToolButton(this);
    IBtn79->setObjectName(QStringLiteral("IBtn79"));
    IBtn79->setGeometry(969, 5, 50, 43);
    IBtn79->setText(QStringLiteral("✕"));
    IBtn79->setToolTip(QStringLiteral("关闭软件"));
    IBtn79->setCursor(Qt::PointingHandCursor);
    connect(IBtn79, &QToolButton::clicked, this, &QWidget::close);

    Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"), this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(456, 536, 185, 89);
    Memo1->hide();
}

void Tmaincodelearn::runCreation() {
    if (!waitForDevice()) {
        state_.startupRefused = true;
        return;
    }
    QCoreApplication::processEvents();
    if (applyIdentification(device::identifyDevice()))
        applyLayout(device::readDeviceLayout());
}

// Asks until the remote answers or the user cancels; false when cancelled.
bool Tmaincodelearn::waitForDevice() {
    while (!device::link::attached()) {
        const auto answer = platform::showMessage(nullptr, platform::MessageStyle::Boxed,
                                                  platform::Buttons::RetryCancel,
                                                  QString::fromUtf8(device::kNoRemoteMessage));
        if (answer != platform::Answer::Retry)
            return false;
    }
    return true;
}

// True when the remote was accepted and its memory may be read.
bool Tmaincodelearn::applyIdentification(const device::Identification& id) {
    using device::IdentifyOutcome;
    state_.deviceIdentity = id.identity;
    if (id.showFirmwareVersion)
        lab_gjbb->setText(QStringLiteral(" 2.0"));
    if (id.outcome == IdentifyOutcome::Refused)
        state_.startupRefused = true;
    if (id.notice)
        showNotice(*id.notice);
    if (id.outcome != IdentifyOutcome::Accepted)
        return false;
    lab_ykqtype->setText(kApplicationTitle);
    return true;
}

void Tmaincodelearn::applyLayout(device::LayoutRead read) {
    if (read.failure) {
        platform::notify(nullptr, QString::fromStdString(*read.failure));
        return;
    }
    layout_ = std::move(read.layout);
    keyTable_ = std::move(read.keyTable);
    state_.deviceBlockUnit = layout_.deviceBlockUnit;
    Memo1->setPlainText(QString::fromStdString(read.memoText));
}

void Tmaincodelearn::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (state_.startupRefused) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    lab_softver->setText(QStringLiteral("V 2.2"));
}

void Tmaincodelearn::closeEvent(QCloseEvent* event) {
    if (device::link::attached() && state_.learningOn) {
        platform::notify(this, QStringLiteral("你正在学习，要退出系统请先停止学习！"));
        event->ignore();
        return;
    }
    state_.closingDown = true;
    if (state_.linkThread)
        state_.linkThread->requestInterruption();
    event->accept();
}

void Tmaincodelearn::linkMonitorFinished() {
    if (!state_.closingDown)
        close();
}
