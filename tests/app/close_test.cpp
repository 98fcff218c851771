#include "windowtest.h"

#include <QTest>
#include <QThread>

using platform::Answer;

TEST_F(WindowTest, ClosingWhileLearningWithTheRemoteAttachedIsRefused) {
    Tmaincodelearn& w = create();
    w.show();
    w.state().learningOn = true;
    messages.expect(Answer::Ok);
    EXPECT_FALSE(w.close());
    const auto box = onlyMessage();
    EXPECT_EQ(box.text, "你正在学习，要退出系统请先停止学习！");
    EXPECT_EQ(box.caption, "提示");
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.state().closingDown);
}

TEST_F(WindowTest, ClosingWhileLearningWithTheRemoteUnpluggedIsAllowed) {
    Tmaincodelearn& w = create();
    w.show();
    w.state().learningOn = true;
    folder.setAttached(false);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.state().closingDown);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(WindowTest, TheCloseButtonClosesAndAsksTheLinkMonitorToStop) {
    Tmaincodelearn& w = createShown();
    QPointer<QThread> monitor = w.state().linkThread;
    ASSERT_FALSE(monitor.isNull());
    click(button("IBtn79"));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.state().closingDown);
    EXPECT_TRUE(QTest::qWaitFor([&monitor] { return monitor.isNull(); }, 2000))
        << "the monitor ended and went";
}

TEST_F(WindowTest, AMonitorThatGivesUpClosesTheWindowUnlessItIsClosingAlready) {
    Tmaincodelearn& w = create();
    w.show();
    w.state().closingDown = true;
    w.linkMonitorFinished();
    EXPECT_TRUE(w.isVisible());

    w.state().closingDown = false;
    w.linkMonitorFinished();
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(w.state().closingDown);
}
