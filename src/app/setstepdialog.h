// One step of a search by maker: the set's Power code is on the side's Power key; the owner
// presses it, pointed at the device, and answers whether the device responded.
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
