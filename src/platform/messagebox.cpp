#include "messagebox.h"

#include <QAbstractButton>
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
        // The program speaks Chinese throughout, its buttons included.
        const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
            {QMessageBox::Ok, "确定"},
            {QMessageBox::Yes, "是(&Y)"},
            {QMessageBox::No, "否(&N)"},
            {QMessageBox::Retry, "重试(&R)"},
            {QMessageBox::Cancel, "取消"}};
        for (const auto& [button, caption] : captions)
            if (QAbstractButton* b = box.button(button))
                b->setText(QString::fromUtf8(caption));
        // Closing the box with Escape or its frame answers the cautious way.
        if (buttons == Buttons::YesNo)
            box.setEscapeButton(QMessageBox::No);
        else if (buttons != Buttons::Ok)
            box.setEscapeButton(QMessageBox::Cancel);
        return answerOf(box.exec());
    }
};

MessageBoxes* installed = nullptr;

} // namespace

QString messageCaption(MessageStyle style) {
    return style == MessageStyle::Boxed ? QStringLiteral("提示") : QGuiApplication::applicationDisplayName();
}

MessageBoxes& messageBoxes() {
    static ModalMessageBoxes modal;
    return installed ? *installed : modal;
}

void setMessageBoxes(MessageBoxes* boxes) { installed = boxes; }

Answer showMessage(QWidget* parent, MessageStyle style, Buttons buttons, const QString& text) {
    return messageBoxes().show(parent, style, buttons, text);
}

} // namespace platform
