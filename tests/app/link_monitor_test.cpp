// The link monitor in the real window, with its period unchanged: the cable pulled and put back,
// another remote plugged in, and the user's answers to its questions.
#include "windowtest.h"

#include <QElapsedTimer>

using platform::Answer;

namespace {

const QString kConnected = QStringLiteral(" 遥控器连接正常");
const QString kDisconnected = QStringLiteral(" 遥控器连接断开");
const QString kReconnect = QStringLiteral("未检测到遥控器，请重新连接遥控器！");
const QString kCloseQuestion = QStringLiteral("您需要关闭自学习软件吗！");

class LinkMonitorTest : public WindowTest {
protected:
    const controls::MainControls& c() const { return window->controls(); }

    bool commandsEnabled() const {
        return c().beginstudyibtn->isEnabled() && c().delstudykey->isEnabled() &&
               c().delallstudykey->isEnabled();
    }
    bool commandsDisabled() const {
        return !c().beginstudyibtn->isEnabled() && !c().delstudykey->isEnabled() &&
               !c().delallstudykey->isEnabled();
    }

    bool connectedAgain() {
        return QTest::qWaitFor(
            [this] {
                return label("lab_usbstate") == kConnected && c().ykqbox->isVisible() && commandsEnabled();
            },
            3000);
    }

    Tmaincodelearn& shownAndConnected() {
        Tmaincodelearn& w = createShown();
        EXPECT_TRUE(QTest::qWaitFor([this] { return label("lab_usbstate") == kConnected; }, 2000));
        return w;
    }

    std::vector<QString> texts() const {
        std::vector<QString> all;
        for (const auto& box : messages.shown())
            all.push_back(box.text);
        return all;
    }
};

TEST_F(LinkMonitorTest, APulledCableLocksTheWindowUntilTheSameRemoteIsBack) {
    shownAndConnected();
    ASSERT_FALSE(c().delstudykey->isEnabled()) << "no learned key on a factory remote";
    QElapsedTimer sincePulled;
    qint64 askedAfter = -1;
    QString labelWhileAsked;
    bool keypadVisibleWhileAsked = true;
    bool commandsDisabledWhileAsked = false;
    messages.expect(Answer::Retry, [&] {
        askedAfter = sincePulled.elapsed();
        labelWhileAsked = label("lab_usbstate");
        keypadVisibleWhileAsked = c().ykqbox->isVisible();
        commandsDisabledWhileAsked = commandsDisabled();
        folder.setAttached(true);
    });
    sincePulled.start();
    folder.setAttached(false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown().empty(); }, 2000));
    EXPECT_LT(askedAfter, 500);
    EXPECT_EQ(labelWhileAsked, kDisconnected);
    EXPECT_FALSE(keypadVisibleWhileAsked);
    EXPECT_TRUE(commandsDisabledWhileAsked);
    EXPECT_EQ(messages.shown()[0].text, kReconnect);
    EXPECT_EQ(messages.shown()[0].buttons, platform::Buttons::RetryCancel);
    // Back, and given back whole: even the delete commands, which had nothing to delete.
    EXPECT_TRUE(connectedAgain());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(LinkMonitorTest, AnotherRemotePluggedInEndsTheMonitorAndClosesTheWindow) {
    Tmaincodelearn& w = shownAndConnected();
    messages.expect(Answer::Retry, [this] {
        folder.emu({"swap"});
        folder.setAttached(true);
    });
    folder.setAttached(false);
    EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, 3000));
    EXPECT_TRUE(w.state().closingDown);
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w.state().linkThread.isNull(); }, 2000));
}

TEST_F(LinkMonitorTest, CancelThenCancelKeepsTheWindowLockedAndAsksAgain) {
    Tmaincodelearn& w = shownAndConnected();
    messages.expect(Answer::Cancel);
    messages.expect(Answer::Cancel, [this] { EXPECT_FALSE(c().ykqbox->isVisible()); });
    messages.expect(Answer::Retry, [this] { folder.setAttached(true); });
    folder.setAttached(false);
    EXPECT_TRUE(connectedAgain());
    EXPECT_EQ(texts(), (std::vector<QString>{kReconnect, kCloseQuestion, kReconnect}));
    EXPECT_EQ(messages.shown()[1].buttons, platform::Buttons::OkCancel);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(LinkMonitorTest, CancelThenOkClosesTheProgram) {
    Tmaincodelearn& w = shownAndConnected();
    messages.expect(Answer::Cancel);
    messages.expect(Answer::Ok);
    folder.setAttached(false);
    EXPECT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }, 3000));
    EXPECT_EQ(texts(), (std::vector<QString>{kReconnect, kCloseQuestion}));
}

// The close goes through the close request, which refuses while learning with the remote attached.
TEST_F(LinkMonitorTest, CancelThenOkWhileLearningWithTheRemoteBackIsRefusedByTheCloseRequest) {
    Tmaincodelearn& w = shownAndConnected();
    w.toggleLearning();
    messages.expect(Answer::Cancel);
    messages.expect(Answer::Ok, [this] { folder.setAttached(true); });
    messages.expect(Answer::Ok);
    folder.setAttached(false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return messages.shown().size() == 3; }, 3000));
    EXPECT_EQ(messages.shown()[2].text, "你正在学习，要退出系统请先停止学习！");
    EXPECT_TRUE(QTest::qWaitFor([&w] { return w.state().linkThread.isNull(); }, 2000))
        << "the monitor has ended";
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.state().closingDown);
}

TEST_F(LinkMonitorTest, APulledCableDuringACaptureGivesTheKeyUpAndTheWindowRecovers) {
    Tmaincodelearn& w = shownAndConnected();
    folder.emu({"latency", "2000"});
    w.toggleLearning();
    IBtn* up = key("04");
    click(up);
    ASSERT_FALSE(w.state().captureThread.isNull());
    // Whichever comes first, the failed capture or the reconnect question, both are answered;
    // the cable goes back in once the monitor has asked for it.
    const auto plugWhenAsked = [this] {
        if (messages.shown().back().text == kReconnect)
            folder.setAttached(true);
    };
    messages.expect(Answer::Ok, plugWhenAsked);
    messages.expect(Answer::Retry, plugWhenAsked);
    folder.setAttached(false);
    ASSERT_TRUE(QTest::qWaitFor([&w] { return w.state().captureThread.isNull(); }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return messages.shown().size() == 2; }, 3000));
    auto shown = texts();
    std::vector<QString> expected{kReconnect, QStringLiteral("学习失败！")};
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_TRUE(connectedAgain());
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
    EXPECT_EQ(up->Picture().cacheKey(), w.skin().normalKeyPictures[4].cacheKey());
    EXPECT_TRUE(w.state().learningOn);
}

} // namespace
