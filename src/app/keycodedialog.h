// The code view of one key: its name, what its slot holds, its code and what it sends, with a
// button that copies its Pronto hex for other programs.
#pragma once

#include "device/keylisting.h"

#include <QDialog>

class QPushButton;

class KeyCodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit KeyCodeDialog(const device::KeyReport& key, QWidget* parent = nullptr);

    // The key's press as learned Pronto hex; empty when it sends nothing the remote can play.
    const QString& prontoHex() const { return pronto_; }
    QPushButton* copyButton() const { return copy_; }

private:
    QString pronto_;
    QPushButton* copy_ = nullptr;
};
