#include "qidong.h"

#include "controls/mainlayout.h"

#include <QLabel>

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen) {
    setWindowTitle(tr("启动界面"));
    setFixedSize(462, 258);
    move(299, 198);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 462, 258);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap(controls::windowPicture(QStringLiteral("splash.gif"))));
}
