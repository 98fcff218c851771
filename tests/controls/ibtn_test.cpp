#include "controls/ibtn1.h"
#include "recordingshell.h"
#include "scriptedmessages.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QPixmap filled(QColor colour) {
    QPixmap picture(4, 4);
    picture.fill(colour);
    return picture;
}

QColor colourOf(const QPixmap& picture) { return picture.toImage().pixelColor(0, 0); }

class IBtnTest : public ::testing::Test {
protected:
    QWidget owner;
    IBtn* button = new IBtn(&owner);
    testsupport::RecordingShell shell;
    testsupport::ScriptedMessages messages;

    void SetUp() override { button->setGeometry(40, 30, 20, 10); }
};

TEST_F(IBtnTest, StartsWithTheDescribedDefaults) {
    IBtn fresh;
    EXPECT_EQ(fresh.size(), QSize(80, 25));
    EXPECT_EQ(fresh.MoveDown(), 1);
    EXPECT_EQ(fresh.MoveRight(), 1);
    EXPECT_TRUE(fresh.IsEnable());
    EXPECT_TRUE(fresh.DisablePic().isNull());
    EXPECT_TRUE(fresh.savedPicture().isNull());
    // No cursor of the program's own is carried, so number 31 is the arrow.
    EXPECT_EQ(fresh.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(applicationCursor(IBtn::kCursorNumber).shape(), Qt::ArrowCursor);
}

TEST_F(IBtnTest, APressShiftsTheButtonAndTheReleaseRestoresItExactly) {
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(41, 31));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(40, 30));

    button->setMoveDown(3);
    button->setMoveRight(2);
    QTest::mousePress(button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(42, 33));
    QTest::mouseRelease(button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(40, 30));

    button->setMoveDown(0);
    button->setMoveRight(0);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(40, 30));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(40, 30));
}

TEST_F(IBtnTest, TheClickIsRaisedWhileTheButtonStillLooksPressed) {
    QPoint whileClicked;
    int clicks = 0;
    QObject::connect(button, &IBtn::clicked, [&](IBtn* clicked) {
        EXPECT_EQ(clicked, button);
        whileClicked = clicked->pos();
        ++clicks;
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(whileClicked, QPoint(41, 31));
    EXPECT_EQ(button->pos(), QPoint(40, 30));

    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1) << "only the left button clicks";
}

TEST_F(IBtnTest, ADoubleClickIsOneClickThoughBothPressesShiftTheButton) {
    int clicks = 0;
    QObject::connect(button, &IBtn::clicked, [&] { ++clicks; });
    // The toolkit reports a double-click as press, release, double-click press, release.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(41, 31));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->pos(), QPoint(40, 30));
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 2) << "the next single click counts again";

    // A second press whose release went to another window does not swallow the next click.
    QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 3);
}

TEST_F(IBtnTest, SettingIsEnableSwapsThePictureWithoutLookingAtTheOldState) {
    button->setPicture(filled(Qt::red));
    button->setDisablePic(filled(Qt::gray));

    button->setIsEnable(false);
    EXPECT_EQ(colourOf(button->Picture()), QColor(Qt::gray));
    EXPECT_EQ(colourOf(button->savedPicture()), QColor(Qt::red));
    button->setIsEnable(true);
    EXPECT_EQ(colourOf(button->Picture()), QColor(Qt::red));

    // False twice keeps the disabled picture as the saved one, so true shows it.
    button->setIsEnable(false);
    button->setIsEnable(false);
    EXPECT_EQ(colourOf(button->savedPicture()), QColor(Qt::gray));
    button->setIsEnable(true);
    EXPECT_EQ(colourOf(button->Picture()), QColor(Qt::gray));
}

TEST_F(IBtnTest, EnablingAButtonNeverDisabledClearsItsPicture) {
    button->setPicture(filled(Qt::red));
    button->setIsEnable(true);
    EXPECT_TRUE(button->Picture().isNull());
}

TEST_F(IBtnTest, AButtonShowingItsDisabledPictureStillClicks) {
    int clicks = 0;
    QObject::connect(button, &IBtn::clicked, [&] { ++clicks; });
    button->setIsEnable(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);
}

class IBtnPathTest : public IBtnTest {
protected:
    void SetUp() override {
        IBtnTest::SetUp();
        ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("tools.d")));
        startFolder = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(startFolder); }

    void press(const QString& path) {
        button->setPath(path);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
    }

    QTemporaryDir folder;
    QString startFolder;
};

TEST_F(IBtnPathTest, AProgramIsOpenedFromItsOwnFolder) {
    const QString program = folder.filePath(QStringLiteral("tools.d/setup.exe"));
    press(program);
    EXPECT_EQ(QDir::current(), QDir(folder.filePath(QStringLiteral("tools.d"))));
    EXPECT_EQ(shell.opened, QStringList{program});
}

TEST_F(IBtnPathTest, OnlyTheExactLowerCaseSuffixChangesTheFolder) {
    press(folder.filePath(QStringLiteral("tools.d/SETUP.EXE")));
    press(folder.filePath(QStringLiteral("tools.d/readme")));
    EXPECT_EQ(QDir::currentPath(), startFolder);
    EXPECT_EQ(shell.opened.size(), 2);
}

TEST_F(IBtnPathTest, AnEmptyPathOrAKeysDisplayNameOpensNothing) {
    press(QString());
    button->setOpensPath(false);
    press(QStringLiteral("TV/UP"));
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(IBtnPathTest, AProgramInAMissingFolderIsReportedAndNotOpened) {
    messages.expect(platform::Answer::Ok);
    press(folder.filePath(QStringLiteral("gone/setup.exe")));
    EXPECT_TRUE(shell.opened.isEmpty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].text.contains(folder.filePath(QStringLiteral("gone/"))));
    EXPECT_EQ(QDir::currentPath(), startFolder);
}

} // namespace
