// Learning mode in the real window against the virtual remote: switching it, the key clicks and
// their refusals, and the ends a capture can come to.
#include "windowtest.h"

#include "irsignals.h"
#include "model/keytable.h"
#include "platform/animationplayer.h"

using platform::Answer;

namespace {

bool shows(const IBtn* button, const QPixmap& picture) {
    return !picture.isNull() && button->Picture().cacheKey() == picture.cacheKey();
}

bool shows(const QLabel* image, const QPixmap& picture) {
    return !picture.isNull() && image->pixmap().cacheKey() == picture.cacheKey();
}

class LearningWindowTest : public WindowTest {
protected:
    const SkinPictures& skin() const { return window->skin(); }
    const controls::MainControls& c() const { return window->controls(); }
    QPixmap normal(const char* code) const { return skin().normalKeyPictures[std::stoul(code, nullptr, 16)]; }
    QPixmap learned(const char* code) const {
        return skin().learnedKeyPictures[std::stoul(code, nullptr, 16)];
    }
    QPixmap learning(const char* code) const {
        return skin().learningKeyPictures[std::stoul(code, nullptr, 16)];
    }

    // Waits until no capture thread is left.
    bool captureEnded() {
        return QTest::qWaitFor([this] { return window->state().captureThread.isNull(); }, 15000);
    }

    std::string entryOf(const char* code) const {
        return window->keyTable()[*model::findKeyEntry(window->keyTable(), code)];
    }

    // Starts learning `code` with a signal on its way and switches learning off while the remote
    // is handing it over (each poll takes half a second).
    void switchOffWhileTheCodeArrives(const char* code) {
        ASSERT_EQ(folder.emu(testsupport::sendArguments(testsupport::necTimings(0x40, 0x12))), 0);
        folder.emu({"trace", "on"});
        folder.emu({"latency", "100000"});
        window->toggleLearning();
        click(key(code));
        QTest::qWait(300);
        window->toggleLearning();
    }

    // Each poll of the remote takes long enough for a test to act while a capture runs.
    void slowCaptures() { folder.emu({"latency", "40000"}); }
};

TEST_F(LearningWindowTest, SwitchingLearningOnAndOffChangesFacesPanelsAndTexts) {
    Tmaincodelearn& w = createShown();
    ASSERT_TRUE(shows(c().Imagehint, skin().single("gifquorel")));
    const QPixmap beginFace = c().beginstudyibtn->Picture();

    click(c().beginstudyibtn);
    EXPECT_TRUE(w.state().learningOn);
    EXPECT_EQ(c().beginstudyibtn->Picture().cacheKey(), c().beginstudyibtn->DisablePic().cacheKey());
    EXPECT_TRUE(shows(c().Imagehint, skin().single("jpgjingtai")));
    EXPECT_EQ(c().runstate_lab->text(), "请在左面遥控器上点击待学习的按键！");
    EXPECT_TRUE(c().Image5->isVisible());
    EXPECT_FALSE(c().Image4->isVisible() || c().Image7->isVisible() || c().Image8->isVisible());

    click(c().beginstudyibtn);
    EXPECT_FALSE(w.state().learningOn);
    EXPECT_EQ(c().beginstudyibtn->Picture().cacheKey(), beginFace.cacheKey());
    EXPECT_TRUE(shows(c().Imagehint, skin().single("gifquorel")));
    EXPECT_TRUE(c().runstate_lab->text().isEmpty());
    // The factory remote holds no learned key: the idle panel for that.
    EXPECT_TRUE(c().Image8->isVisible());
    EXPECT_FALSE(c().Image4->isVisible() || c().Image5->isVisible() || c().Image7->isVisible());
}

TEST_F(LearningWindowTest, AKeyClickedWhileLearningIsOffStartsNothing) {
    createShown();
    messages.expect(Answer::Ok);
    click(key("04"));
    EXPECT_EQ(onlyMessage().text, "请先点击开始学习按钮！");
    EXPECT_EQ(onlyMessage().caption, "提示");
    EXPECT_TRUE(window->state().captureThread.isNull());
    EXPECT_TRUE(window->selectedKeyList().isEmpty());
}

TEST_F(LearningWindowTest, LearningCannotStartWhileDeleting) {
    folder.reset("learned");
    Tmaincodelearn& w = createShown();
    click(c().delstudykey);
    ASSERT_TRUE(w.state().deleteOneOn);
    messages.expect(Answer::Ok);
    click(c().beginstudyibtn);
    EXPECT_EQ(onlyMessage().text, "现在在删除状态，要学习请先停止删除！");
    EXPECT_FALSE(w.state().learningOn);
}

TEST_F(LearningWindowTest, AClickedKeyShowsItsLearningPictureAndTheAnimationWhileTheCaptureRuns) {
    Tmaincodelearn& w = createShown();
    slowCaptures();
    click(c().beginstudyibtn);
    IBtn* up = key("04");
    click(up);
    EXPECT_TRUE(shows(up, learning("04")));
    EXPECT_EQ(c().runstate_lab->text(), "准备学习TV/UP按键， 请发码");
    EXPECT_FALSE(c().Imagehint->isVisible());
    EXPECT_TRUE(c().donghuaflash2->isVisible());
    EXPECT_TRUE(c().donghuaflash2->isPlaying());
    EXPECT_EQ(c().donghuaflash2->movie(), Tmaincodelearn::animationFile());
    EXPECT_FALSE(w.state().captureThread.isNull());
    ASSERT_EQ(w.selectedKeyList().size(), 1);
    EXPECT_EQ(w.selectedKeyList().first(), up);

    // Any key, the selected one too, is refused while the capture runs, naming the selected key.
    messages.expect(Answer::Ok);
    messages.expect(Answer::Ok);
    click(key("27"));
    click(up);
    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& box : messages.shown())
        EXPECT_EQ(box.text, "TV/UP按键正在学习，要停止TV/UP按键,请点击停止学习按钮");
    EXPECT_EQ(w.selectedKeyList().size(), 1);

    // Switching off gives the key up quietly.
    click(c().beginstudyibtn);
    EXPECT_TRUE(shows(up, normal("04")));
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
    EXPECT_FALSE(c().donghuaflash2->isVisible());
    ASSERT_TRUE(captureEnded());
    QTest::qWait(50);
    EXPECT_EQ(messages.shown().size(), 2u) << "no failure message after switching off";
    EXPECT_TRUE(shows(up, normal("04")));
}

TEST_F(LearningWindowTest, ACaptureThatBringsNothingGivesTheKeyUpAndLearningStaysOn) {
    Tmaincodelearn& w = createShown();
    click(c().beginstudyibtn);
    folder.failNext(emu::Operation::SetCarrier);
    messages.expect(Answer::Ok);
    IBtn* menu = key("05");
    click(menu);
    ASSERT_TRUE(captureEnded());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown().empty(); }, 2000));
    const auto box = onlyMessage();
    EXPECT_EQ(box.text, "学习失败！");
    EXPECT_EQ(box.style, platform::MessageStyle::Plain);
    EXPECT_EQ(box.caption, "QTM-418");
    EXPECT_TRUE(shows(menu, normal("05")));
    EXPECT_EQ(c().runstate_lab->text(), "请重新选择按键进行学习！");
    EXPECT_TRUE(shows(c().Imagehint, skin().single("jpgjingtai")));
    EXPECT_TRUE(c().Imagehint->isVisible());
    EXPECT_FALSE(c().donghuaflash2->isVisible());
    EXPECT_TRUE(w.state().learningOn);
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
}

TEST_F(LearningWindowTest, ALearnedKeyIsOnlyLearnedAgainWhenTheUserSaysSo) {
    folder.reset("learned");
    Tmaincodelearn& w = createShown();
    IBtn* up = key("04");
    ASSERT_TRUE(shows(up, learned("04")));
    ASSERT_FALSE(up->IsEnable());
    click(c().beginstudyibtn);
    const auto tableBefore = w.keyTable();

    messages.expect(Answer::No);
    click(up);
    EXPECT_EQ(onlyMessage().text, "TV/UP键编码已学习过，要重新学习吗?");
    EXPECT_EQ(onlyMessage().buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(shows(up, learned("04")));
    EXPECT_EQ(w.keyTable(), tableBefore);
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
    EXPECT_TRUE(w.state().captureThread.isNull());

    slowCaptures();
    messages.expect(Answer::Yes);
    click(up);
    EXPECT_TRUE(up->IsEnable());
    EXPECT_TRUE(shows(up, learning("04")));
    EXPECT_FALSE(w.state().captureThread.isNull());
    click(c().beginstudyibtn);
    // Given up, a learned key shows its learned picture again.
    EXPECT_TRUE(shows(up, learned("04")));
    EXPECT_FALSE(up->IsEnable());
    ASSERT_TRUE(captureEnded());
}

TEST_F(LearningWindowTest, AKeyClickedBeforeTheEarlierCaptureEndedStartsNoSecondThread) {
    Tmaincodelearn& w = createShown();
    folder.emu({"latency", "60000"});
    click(c().beginstudyibtn);
    click(key("04"));
    QPointer<QThread> first = w.state().captureThread;
    ASSERT_FALSE(first.isNull());
    click(c().beginstudyibtn);
    click(c().beginstudyibtn);
    IBtn* menu = key("05");
    click(menu);
    EXPECT_EQ(w.state().captureThread, first) << "the earlier thread stands for this key";
    messages.expect(Answer::Ok);
    ASSERT_TRUE(captureEnded());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown().empty(); }, 2000));
    EXPECT_EQ(onlyMessage().text, "学习失败！");
    EXPECT_TRUE(shows(menu, normal("05")));
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
}

// The code reaches the thread in the poll it was in when learning was switched off.
TEST_F(LearningWindowTest, ACodeArrivingAfterLearningWasSwitchedOffIsNeverStored) {
    Tmaincodelearn& w = createShown();
    switchOffWhileTheCodeArrives("27");
    ASSERT_TRUE(captureEnded());
    QTest::qWait(50);
    EXPECT_FALSE(w.state().capturedCode.empty()) << "the remote did hand the code over";
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
    EXPECT_EQ(entryOf("27"), "27|0|0|");
}

TEST_F(LearningWindowTest, ACodeCapturedForOneKeyIsNeverStoredUnderTheNext) {
    Tmaincodelearn& w = createShown();
    switchOffWhileTheCodeArrives("27");
    w.toggleLearning();
    IBtn* next = key("30");
    click(next);
    messages.expect(Answer::Ok);
    ASSERT_TRUE(captureEnded());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown().empty(); }, 2000));
    EXPECT_EQ(onlyMessage().text, "学习失败！");
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
    EXPECT_EQ(entryOf("27"), "27|0|0|");
    EXPECT_EQ(entryOf("30"), "30|0|0|");
    EXPECT_TRUE(shows(next, normal("30")));
}

TEST_F(LearningWindowTest, ClosingTheWindowStopsAndWaitsForTheCapture) {
    Tmaincodelearn& w = createShown();
    slowCaptures();
    click(c().beginstudyibtn);
    click(key("04"));
    QPointer<QThread> thread = w.state().captureThread;
    ASSERT_FALSE(thread.isNull());
    folder.setAttached(false);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(thread.isNull() || thread->isFinished());
}

} // namespace
