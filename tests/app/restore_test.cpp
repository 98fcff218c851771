// Minimising and restoring the window: the toolkit sends a spontaneous hide and show, and the
// window must stay as it was, not be shown afresh.
#include "windowtest.h"

#include <QFile>

using platform::Answer;

namespace {

class RestoreTest : public WindowTest {
protected:
    const controls::MainControls& c() const { return window->controls(); }

    void minimiseAndRestore() {
        window->setWindowState(Qt::WindowMinimized);
        window->setWindowState(Qt::WindowNoState);
    }
};

TEST_F(RestoreTest, RestoringInDeleteModeAsksNothingAndReloadsNothing) {
    folder.reset("learned");
    display.screen = QSize(800, 600);
    messages.expect(Answer::Ok); // the narrow screen, told once when the window is first shown
    Tmaincodelearn& w = createShown();
    const QPointer<QThread> monitor = w.state().linkThread;
    w.toggleDeleteMode();
    ASSERT_TRUE(QFile::remove(Tmaincodelearn::animationFile()));

    minimiseAndRestore();
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(display.modeChanges, 1);
    EXPECT_FALSE(QFile::exists(Tmaincodelearn::animationFile())) << "the skin was loaded again";
    EXPECT_TRUE(w.state().deleteOneOn);
    EXPECT_EQ(c().delstudykey->Picture().cacheKey(), w.skin().single("stopdelete").cacheKey());
    EXPECT_EQ(w.state().linkThread, monitor);
}

TEST_F(RestoreTest, RestoringWhileTheRemoteIsAwayKeepsTheDeleteCommandsLocked) {
    folder.reset("learned");
    Tmaincodelearn& w = createShown();
    ASSERT_TRUE(c().delstudykey->isEnabled());
    bool deleteEnabledAfterRestore = true;
    bool clearEnabledAfterRestore = true;
    messages.expect(Answer::Retry, [&] {
        minimiseAndRestore();
        deleteEnabledAfterRestore = c().delstudykey->isEnabled();
        clearEnabledAfterRestore = c().delallstudykey->isEnabled();
        folder.setAttached(true);
    });
    folder.setAttached(false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown().empty(); }, 2000));
    EXPECT_FALSE(deleteEnabledAfterRestore);
    EXPECT_FALSE(clearEnabledAfterRestore);
    EXPECT_TRUE(QTest::qWaitFor([this] { return c().delstudykey->isEnabled(); }, 3000))
        << "unlocked once back";
    EXPECT_TRUE(w.isVisible());
}

} // namespace
