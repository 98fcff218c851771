// The steps of a search by maker. First a set's Power code is on the side's Power key: the owner
// presses it, pointed at the device, and answers whether the device responded. When several sets
// send that Power code, one more key holds the code one of them sends for it, and the owner is
// asked about that key the same way.
#pragma once

#include <QDialog>

#include <string>

class SetStepDialog : public QDialog {
    Q_OBJECT
public:
    // What exec() returns; a dialog closed any other way stops, as 停止 does.
    enum Answer { Stop = QDialog::Rejected, Responded = 2, NextSet = 3 };

    SetStepDialog(std::size_t number, std::size_t total, const std::string& side, const QString& setTitle,
                  QWidget* parent = nullptr);
};

class KeyStepDialog : public QDialog {
    Q_OBJECT
public:
    // What exec() returns; a dialog closed any other way asks no more keys, as 不再询问 does.
    enum Answer { Enough = QDialog::Rejected, Responded = 2, NotResponded = 3 };

    // `among` sets send the Power code; `setTitle` names the one whose code the key holds;
    // `question` asks about the key ("请按一下音量+键。电视有反应吗？").
    KeyStepDialog(std::size_t among, const QString& setTitle, const QString& question,
                  QWidget* parent = nullptr);
};
