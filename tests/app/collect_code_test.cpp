// The capture thread against the virtual remote: when it polls, when it gives up, what it leaves.
#include "app/collect_code.h"
#include "app/mainstudy.h"
#include "devicefolder.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <atomic>

namespace {

class CollectCodeTest : public ::testing::Test {
protected:
    void TearDown() override { TCollectCode::setClock(nullptr); }

    // Runs one capture to its end.
    void capture() {
        TCollectCode thread(state);
        thread.start();
        ASSERT_TRUE(thread.wait(20000));
    }

    testsupport::DeviceFolder folder{"factory"};
    MainState state;
};

TEST_F(CollectCodeTest, ARefusedCaptureModeEndsAtOnceWithoutPolling) {
    folder.emu({"trace", "on"});
    folder.failNext(emu::Operation::SetCarrier);
    state.capturedCode = "left over";
    capture();
    EXPECT_TRUE(state.capturedCode.empty());
    EXPECT_EQ(folder.exchanges("SetCodeCarrierWave"), 1u);
    EXPECT_EQ(folder.exchanges("RCollectCodeInfo"), 0u);
}

TEST_F(CollectCodeTest, AStopRequestedBeforeTheFirstPassEndsBeforeAnyPoll) {
    folder.emu({"trace", "on"});
    state.captureRunState = 2;
    capture();
    EXPECT_TRUE(state.capturedCode.empty());
    EXPECT_EQ(folder.exchanges("SetCodeCarrierWave"), 1u);
    EXPECT_EQ(folder.exchanges("RCollectCodeInfo"), 0u);
}

// With a clock that moves one second per reading, the window admits exactly the passes read at
// 1 to 8 seconds after the start.
TEST_F(CollectCodeTest, TheWindowClosesAtTheFirstPassNineWholeSecondsOn) {
    folder.emu({"trace", "on"});
    std::atomic<std::int64_t> now{86390};
    TCollectCode::setClock([&now] { return now++; });
    capture();
    EXPECT_TRUE(state.capturedCode.empty());
    EXPECT_EQ(folder.exchanges("RCollectCodeInfo"), 8u);
}

TEST_F(CollectCodeTest, ARemoteThatNeverHearsACodeIsGivenEightToNineSeconds) {
    folder.emu({"latency", "1000"});
    QElapsedTimer timer;
    timer.start();
    capture();
    const auto elapsed = timer.elapsed();
    EXPECT_TRUE(state.capturedCode.empty());
    EXPECT_GE(elapsed, 8000);
    EXPECT_LT(elapsed, 9500);
}

TEST_F(CollectCodeTest, APulledCableEndsTheCaptureAfterThatPass) {
    folder.emu({"latency", "1000"});
    TCollectCode thread(state);
    QElapsedTimer timer;
    timer.start();
    thread.start();
    QThread::msleep(200);
    folder.setAttached(false);
    ASSERT_TRUE(thread.wait(5000));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_TRUE(state.capturedCode.empty());
}

TEST_F(CollectCodeTest, AStopRequestDuringTheCaptureEndsItAtTheNextPass) {
    folder.emu({"latency", "1000"});
    TCollectCode thread(state);
    thread.start();
    QThread::msleep(100);
    state.captureRunState = 2;
    ASSERT_TRUE(thread.wait(2000));
    EXPECT_TRUE(state.capturedCode.empty());
}

} // namespace
