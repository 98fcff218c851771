// The yardstick of the start-up benchmark: a bare Qt window of the configurator's size with one
// Chinese label, reporting its first paint as the configurator does.
#include "app/firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(1028, 737);
    QLabel label(QStringLiteral("遥控器状态"), &window);
    label.move(20, 20);
    reportFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
