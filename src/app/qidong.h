// The splash window shown while the main window checks the remote.
#pragma once

#include <QWidget>

class QLabel;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

private:
    QLabel* Image1;
};
