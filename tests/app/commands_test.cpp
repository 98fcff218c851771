// Help, update, the hand cursor and the narrow-screen check in the real window.
#include "windowtest.h"

#include "app/translations.h"

#include <QFileInfo>
#include <QMouseEvent>

using platform::Answer;

namespace {

class CommandsTest : public WindowTest {
protected:
    const controls::MainControls& c() const { return window->controls(); }
};

// The English help file lies in en/ beside the Chinese one; where it is missing, the Chinese one
// opens (checked where the language's files are chosen).
TEST_F(CommandsTest, HelpOpensTheHelpFileOfTheDesktopsLanguage) {
    const std::pair<QLocale, QString> cases[] = {
        {QLocale::c(), QStringLiteral("/bin/studyhelp.chm")},
        {QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("/bin/studyhelp.chm")},
        {QLocale(QLocale::English, QLocale::UnitedKingdom), QStringLiteral("/bin/en/studyhelp.chm")},
    };
    for (const auto& [locale, opened] : cases) {
        SCOPED_TRACE(locale.name().toStdString());
        installTranslations(locale);
        createShown();
        shell.opened.clear();
        click(c().helpibtn);
        ASSERT_EQ(shell.opened.size(), 1);
        EXPECT_TRUE(shell.opened.front().endsWith(opened)) << shell.opened.front().toStdString();
        EXPECT_TRUE(QFileInfo::exists(shell.opened.front()));
        window.reset();
    }
    installTranslations(QLocale::c());
}

TEST_F(CommandsTest, HelpOpensTheHelpFileOrSaysWhyNotOnEveryClick) {
    createShown();
    click(c().helpibtn);
    // The help file the program ships with, wherever the program was started from.
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened.front().endsWith(QStringLiteral("/studyhelp.chm")));
    EXPECT_TRUE(QFileInfo(shell.opened.front()).isAbsolute());
    EXPECT_TRUE(QFileInfo::exists(shell.opened.front())) << shell.opened.front().toStdString();
    EXPECT_TRUE(messages.shown().empty());

    const std::pair<platform::OpenOutcome, QString> failures[] = {
        {platform::OpenOutcome::Missing, QStringLiteral("找不到帮助文件！")},
        {platform::OpenOutcome::NoProgram,
         QStringLiteral("帮助文件无法打开，请安装能阅读CHM文件的程序（如xchm）！")},
    };
    for (const auto& [outcome, text] : failures) {
        shell.outcome = outcome;
        messages.clear();
        messages.expect(Answer::Ok);
        messages.expect(Answer::Ok);
        click(c().helpibtn);
        click(c().helpibtn);
        ASSERT_EQ(messages.shown().size(), 2u);
        for (const auto& box : messages.shown()) {
            EXPECT_EQ(box.text, text);
            EXPECT_EQ(box.caption, "提示");
        }
    }
}

TEST_F(CommandsTest, UpdateAnswersByMode) {
    folder.reset("learned");
    Tmaincodelearn& w = createShown();
    for (int i = 0; i < 3; ++i)
        messages.expect(Answer::Ok);
    click(c().updateibtn);
    w.toggleLearning();
    click(c().updateibtn);
    w.toggleLearning();
    w.toggleDeleteMode();
    click(c().updateibtn);
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].text, "您的软件目前不需要升级！");
    EXPECT_EQ(messages.shown()[1].text, "软件正在学习状态，要升级请退出学习状态！");
    EXPECT_EQ(messages.shown()[2].text, "软件正在删除状态，要升级请退出删除状态！");
    for (const auto& box : messages.shown())
        EXPECT_EQ(box.style, platform::MessageStyle::Plain);
}

TEST_F(CommandsTest, FiveButtonsTakeTheHandCursorOnceHoveredButNotDeleteOne) {
    folder.reset("learned"); // the delete commands are enabled and so can be hovered
    createShown();
    const auto hover = [](IBtn* b) {
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), b->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(b, &move);
    };
    for (IBtn* b :
         {c().helpibtn, c().updateibtn, c().IBtn79, c().beginstudyibtn, c().delallstudykey, c().delstudykey})
        hover(b);
    for (IBtn* b : {c().helpibtn, c().updateibtn, c().IBtn79, c().beginstudyibtn, c().delallstudykey})
        EXPECT_EQ(b->cursor().shape(), Qt::PointingHandCursor) << b->objectName().toStdString();
    EXPECT_EQ(c().delstudykey->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CommandsTest, ANarrowScreenIsToldItsSizeAndTheModeIsChangedForTheSessionOnly) {
    display.screen = QSize(800, 600);
    messages.expect(Answer::Ok);
    createShown();
    EXPECT_EQ(onlyMessage().text,
              "你目前的显示器分辨率是800*600\r\n为了运行该软件，你的显示器分辨率至少要1024*768");
    EXPECT_EQ(onlyMessage().caption, "提示");
    EXPECT_EQ(display.modeChanges, 1);
    EXPECT_TRUE(window->isVisible()) << "the program goes on whether or not the mode changed";
}

TEST_F(CommandsTest, AWideEnoughScreenIsLeftAlone) {
    display.screen = QSize(1024, 600);
    createShown();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(display.modeChanges, 0);
}

} // namespace
