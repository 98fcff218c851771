#include "controls/ibtn1.h"
#include "controls/mainlayout.h"
#include "model/keypadlayout.h"
#include "platform/animationplayer.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using model::kKeyButtons;

class MainLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(model::kWindowSize.width, model::kWindowSize.height);
        c = controls::createMainControls(&window);
    }

    QWidget window;
    controls::MainControls c;
};

TEST_F(MainLayoutTest, EveryKeyNumberSitsOnExactlyOneKeyButton) {
    QStringList expected;
    for (int row = 0; row <= 6; ++row)
        for (int column = 0; column <= (row == 6 ? 0 : 7); ++column)
            expected << QStringLiteral("%1%2").arg(row).arg(column);
    ASSERT_EQ(expected.size(), 49);

    QStringList codes;
    for (const IBtn* key : c.keys)
        codes << key->Code();
    QStringList sorted = codes;
    sorted.sort();
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), 49);

    // Command buttons carry no key number, so the key table never matches them.
    const QList<IBtn*> all = window.findChildren<IBtn*>();
    EXPECT_EQ(all.size(), 49 + 6);
    for (const IBtn* button : all) {
        const bool isKey = std::find(c.keys.begin(), c.keys.end(), button) != c.keys.end();
        EXPECT_TRUE(isKey || button->Code().isEmpty()) << button->objectName().toStdString();
    }
}

TEST_F(MainLayoutTest, KeysKeepTheirDisplayNamesExactly) {
    const auto path = [this](const char* name) {
        return window.findChild<IBtn*>(QString::fromLatin1(name))->Path();
    };
    EXPECT_EQ(path("IBtn6"), QStringLiteral("TV/ TV/AV"));
    EXPECT_EQ(path("IBtn36"), QString::fromUtf8("CBL/频道\uFF0B"));
    EXPECT_EQ(path("IBtn40"), QString::fromUtf8("CBL/频道\uFF0D"));
    EXPECT_EQ(path("IBtn9"), QString::fromUtf8("TV/音量+"));
    EXPECT_EQ(path("IBtn47"), QString::fromUtf8("CBL/音量-"));
    for (const IBtn* key : c.keys) {
        EXPECT_EQ(key->parentWidget(), c.ykqbox);
        EXPECT_EQ(key->MoveDown(), 1);
        EXPECT_EQ(key->MoveRight(), 1);
        EXPECT_TRUE(key->DisablePic().isNull());
    }
}

TEST_F(MainLayoutTest, ControlsLieAtTheirPlacesWithWindowedOnesOnTop) {
    for (const auto& row : model::kWindowControls) {
        const auto* control = window.findChild<QWidget*>(QString::fromUtf8(row.name.data(), row.name.size()));
        ASSERT_NE(control, nullptr) << row.name;
        EXPECT_EQ(control->geometry(),
                  QRect(row.place.left, row.place.top, row.place.width, row.place.height))
            << row.name;
    }
    // Painting order: later children lie above earlier ones.
    const QObjectList order = window.children();
    const auto rank = [&order](const QObject* w) { return order.indexOf(w); };
    EXPECT_LT(rank(c.Image1), rank(c.lab_ykqtype));
    EXPECT_LT(rank(c.Image1), rank(c.beginstudyibtn));
    EXPECT_EQ(c.Image1->pixmap().size(), QSize(1024, 734)) << "the background, decoded on the side";
    EXPECT_LT(rank(c.delstudykey), rank(c.ykqbox));
    EXPECT_LT(rank(c.ykqbox), rank(c.Button1));
    EXPECT_TRUE(c.Memo1->isHidden());
    EXPECT_TRUE(c.Memo2->isHidden());
    EXPECT_TRUE(c.donghuaflash2->isHidden());
    EXPECT_TRUE(c.Button1->isHidden());
    EXPECT_EQ(c.runstate_lab1->text(), QString(82, QLatin1Char(' ')));
    EXPECT_EQ(c.helpibtn->toolTip(), QStringLiteral("帮助"));
    EXPECT_EQ(c.updateibtn->toolTip(), QStringLiteral("升级软件"));
    EXPECT_EQ(c.IBtn79->toolTip(), QStringLiteral("关闭软件"));
}

// A real click through the window reaches the topmost key where keys overlap.
TEST_F(MainLayoutTest, AClickOnAnOverlappingKeyReachesThatKey) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    IBtn* clicked = nullptr;
    for (IBtn* key : c.keys)
        QObject::connect(key, &IBtn::clicked, [&clicked](IBtn* b) { clicked = b; });

    const struct {
        const char* expected;
        QPoint inBox;
    } cases[] = {
        {"IBtn49", {68, 295}},                         // lies over IBtn35
        {"IBtn53", {130, 293}},                        // lies over IBtn35
        {"IBtn57", {159, 271}}, {"IBtn47", {30, 454}}, // lies over IBtn41
        {"IBtn35", {100, 280}},
    };
    for (const auto& test : cases) {
        clicked = nullptr;
        const QPoint inWindow = c.ykqbox->mapTo(&window, test.inBox);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
        ASSERT_NE(clicked, nullptr) << test.expected;
        EXPECT_EQ(clicked->objectName(), QString::fromLatin1(test.expected));
    }
}

} // namespace
