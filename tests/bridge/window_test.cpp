// The window configuring the remote through the maker's library: run with QTM418_MAKER_DIR
// naming the 32-bit stand-ins (our own kestrio and ConLCode as the maker's files), every call of
// the window goes through the host, and a key is learned, deleted, the memory backed up and put
// back as with the virtual remote in the window's own process. Without the maker's folder the
// tests say so and are skipped.
#include "windowtest.h"

#include "irsignals.h"
#include "kestrio/layoutdump.h"
#include "model/keytable.h"
#include "model/portablefiles.h"

#include "app/remotetexts.h"
#include "bridge/bridge.h"

#include <QLabel>

#include <fstream>

using platform::Answer;

namespace {

class MakerWindowTest : public WindowTest {
protected:
    void SetUp() override {
        if (model::environmentPath("QTM418_MAKER_DIR").empty())
            GTEST_SKIP() << "run through the bridge only, with QTM418_MAKER_DIR naming the maker's stand-ins";
        WindowTest::SetUp();
    }

    std::string stateOf(const std::string& code) {
        for (const auto& entry : emu::dumpDevice(folder.snapshot()).layout.keyTable)
            if (entry.rfind(code + "|", 0) == 0)
                return entry.substr(3, 1);
        return {};
    }

    QStringList texts() const {
        QStringList all;
        for (const auto& box : messages.shown())
            all << box.text;
        return all;
    }
};

TEST_F(MakerWindowTest, AKeyIsLearnedDeletedBackedUpAndRestoredThroughTheHost) {
    Tmaincodelearn& w = createShown();
    const bridge::RemoteInUse inUse = bridge::remoteInUse();
    ASSERT_TRUE(inUse.maker);
    ASSERT_FALSE(inUse.problem) << remotetexts::makerProblem(*inUse.problem).toStdString();
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lab_usbstate"))->toolTip(),
              remotetexts::remoteInUse(inUse));

    // Learned: the stand-in converter's answer, committed through the stand-in device library.
    ASSERT_EQ(folder.emu(testsupport::sendArguments(testsupport::necTimings(0x40, 0x12))), 0);
    w.toggleLearning();
    messages.expect(Answer::Ok);
    click(key("27"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.state().captureThread.isNull() && !messages.shown().empty(); },
                                20000));
    EXPECT_EQ(texts().back(), "已接收到遥控器编码！");
    EXPECT_EQ(stateOf("27"), "2");
    w.toggleLearning();

    // Backed up, deleted, restored.
    const QString file = fixedFiles.filePath(QStringLiteral("remote.qtm418"));
    messages.clear();
    dialogs.expectFile(file);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "backup");
    ASSERT_EQ(texts(), QStringList{"遥控器的全部存储已备份到 " + file});
    const emu::Memory learned = folder.snapshot().memory;

    messages.clear();
    click(window->controls().delstudykey);
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    click(key("27"));
    EXPECT_EQ(texts(), (QStringList{"你确实要删除该自学习按键的编码？", "删除操作成功！"}));
    EXPECT_EQ(stateOf("27"), "0");

    messages.clear();
    dialogs.expectFile(file);
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "restore");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_TRUE(texts()[1].startsWith("恢复完成")) << texts()[1].toStdString();
    EXPECT_EQ(folder.snapshot().memory, learned);
    EXPECT_EQ(stateOf("27"), "2");
    std::string out;
    EXPECT_EQ(folder.emu({"check"}, &out), 0) << out;
}

} // namespace
