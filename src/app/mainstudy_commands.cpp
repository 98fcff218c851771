// The window's small commands: help, update, the hand cursor, and the narrow-screen check.
#include "mainstudy.h"

#include "controls/ibtn1.h"
#include "platform/datafolder.h"
#include "platform/display.h"
#include "platform/language.h"
#include "platform/messagebox.h"
#include "platform/shell.h"

void Tmaincodelearn::showHelp() {
    // In the program's language; a missing English help file leaves the Chinese one.
    const QString helpFile = platform::localisedFile(platform::dataFolder(), QStringLiteral("studyhelp.chm"));
    platform::shell().open(helpFile, [](platform::OpenOutcome outcome) {
        if (outcome == platform::OpenOutcome::Missing)
            platform::box(tr("找不到帮助文件！"));
        else if (outcome == platform::OpenOutcome::NoProgram)
            platform::box(tr("帮助文件无法打开，请安装能阅读CHM文件的程序（如xchm）！"));
    });
}

void Tmaincodelearn::answerUpdate() {
    QString text = tr("您的软件目前不需要升级！");
    if (state_.learningOn)
        text = tr("软件正在学习状态，要升级请退出学习状态！");
    else if (state_.deleteOneOn)
        text = tr("软件正在删除状态，要升级请退出删除状态！");
    platform::showMessage(nullptr, platform::MessageStyle::Plain, platform::Buttons::Ok, text);
}

void Tmaincodelearn::connectCommands() {
    connect(c_.helpibtn, &IBtn::clicked, this, &Tmaincodelearn::showHelp);
    connect(c_.updateibtn, &IBtn::clicked, this, &Tmaincodelearn::answerUpdate);
    // Once hovered, these keep the hand; the delete-one button keeps its own cursor.
    for (IBtn* button : {c_.helpibtn, c_.updateibtn, c_.IBtn79, c_.beginstudyibtn, c_.delallstudykey})
        connect(button, &IBtn::mouseMoved, button, [button] { button->setCursor(Qt::PointingHandCursor); });
}

// A screen narrower than the window is told so; the mode is changed for this session only.
void Tmaincodelearn::checkScreenSize() {
    platform::Display& display = platform::display();
    const QSize size = display.size();
    if (size.width() >= 1024)
        return;
    platform::notify(nullptr,
                     tr("你目前的显示器分辨率是%1*%2\r\n为了运行该软件，你的显示器分辨率至少要1024*768")
                         .arg(size.width())
                         .arg(size.height()));
    if (display.size().width() < 1024)
        display.useMinimumMode();
}
