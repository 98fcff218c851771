#include "messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace platform {

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

class ModalMessageBoxes final : public MessageBoxes {
public:
    Answer show(QWidget* parent, MessageStyle style, Buttons buttons, const QString& text) override {
        QMessageBox box(style == MessageStyle::Boxed ? QMessageBox::Information : QMessageBox::NoIcon,
                        messageCaption(style), text, standardButtons(buttons), parent);
        if (buttons == Buttons::YesNo || buttons == Buttons::RetryCancel)
            box.setIcon(QMessageBox::Question);
        // The buttons speak the program's language, not the toolkit's.
        const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
            {QMessageBox::Ok, QT_TRANSLATE_NOOP("MessageBoxes", "确定")},
            {QMessageBox::Yes, QT_TRANSLATE_NOOP("MessageBoxes", "是(&Y)")},
            {QMessageBox::No, QT_TRANSLATE_NOOP("MessageBoxes", "否(&N)")},
            {QMessageBox::Retry, QT_TRANSLATE_NOOP("MessageBoxes", "重试(&R)")},
            {QMessageBox::Cancel, QT_TRANSLATE_NOOP("MessageBoxes", "取消")}};
        for (const auto& [button, caption] : captions)
            if (QAbstractButton* b = box.button(button))
                b->setText(QCoreApplication::translate("MessageBoxes", caption));
        // Closing the box with Escape or its frame answers the cautious way.
        if (buttons == Buttons::YesNo)
            box.setEscapeButton(QMessageBox::No);
        else if (buttons != Buttons::Ok)
            box.setEscapeButton(QMessageBox::Cancel);
        return answerOf(box.exec());
    }
};

MessageBoxes* installedMessageBoxes = nullptr;

} // namespace

QString messageCaption(MessageStyle style) {
    return style == MessageStyle::Boxed ? QCoreApplication::translate("MessageBoxes", "提示")
                                        : QGuiApplication::applicationDisplayName();
}

MessageBoxes& messageBoxes() {
    static ModalMessageBoxes modal;
    return installedMessageBoxes ? *installedMessageBoxes : modal;
}

void setMessageBoxes(MessageBoxes* boxes) { installedMessageBoxes = boxes; }

Answer showMessage(QWidget* parent, MessageStyle style, Buttons buttons, const QString& text) {
    return messageBoxes().show(parent, style, buttons, text);
}

} // namespace platform
