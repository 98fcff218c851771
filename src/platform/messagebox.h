// The one way the program shows a message: boxed (caption "提示", chosen buttons) or plain
// (caption = application title, OK). Tests put a scripted answerer in place of the real boxes.
#pragma once

#include "model/messagestyle.h"

#include <QString>

class QWidget;

namespace platform {

using model::Answer;
using model::Buttons;
using model::MessageStyle;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual Answer show(QWidget* parent, MessageStyle style, Buttons buttons, const QString& text) = 0;
};

// The caption a message of this style carries.
QString messageCaption(MessageStyle style);

// The boxes in use: the real modal ones unless a test installed its own.
MessageBoxes& messageBoxes();
// Installs `boxes` (not owned); nullptr restores the real ones.
void setMessageBoxes(MessageBoxes* boxes);

// Shorthands for the usual calls.
Answer showMessage(QWidget* parent, MessageStyle style, Buttons buttons, const QString& text);
inline void notify(QWidget* parent, const QString& text) {
    showMessage(parent, MessageStyle::Boxed, Buttons::Ok, text);
}
// A boxed message with OK that belongs to no window.
inline void box(const QString& text) { notify(nullptr, text); }
// A boxed Yes/No question that belongs to no window; true for Yes.
inline bool askYes(const QString& question) {
    return showMessage(nullptr, MessageStyle::Boxed, Buttons::YesNo, question) == Answer::Yes;
}

} // namespace platform
