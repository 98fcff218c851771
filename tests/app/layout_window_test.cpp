#include "kestrio/layoutdump.h"
#include "windowtest.h"

#include <QPlainTextEdit>

using platform::Answer;

TEST_F(WindowTest, TheWindowKeepsTheLayoutAsTheDumpShowsIt) {
    Tmaincodelearn& w = create();
    const emu::LayoutDump dump = emu::dumpDevice(folder.snapshot());
    ASSERT_FALSE(dump.layout.failure);
    EXPECT_EQ(w.keyTable(), dump.layout.keyTable);
    const model::DeviceLayout& mine = w.layout();
    const model::DeviceLayout& theirs = dump.layout.layout;
    EXPECT_TRUE(mine.complete);
    EXPECT_EQ(mine.layoutHeaderAddress, theirs.layoutHeaderAddress);
    EXPECT_EQ(mine.pointerBase, theirs.pointerBase);
    EXPECT_EQ(mine.slotBaseAddress, theirs.slotBaseAddress);
    EXPECT_EQ(mine.presetTableAddress, theirs.presetTableAddress);
    EXPECT_EQ(mine.blockMapAddress, theirs.blockMapAddress);
    EXPECT_EQ(mine.codeAreaAddress, theirs.codeAreaAddress);
    EXPECT_EQ(mine.blockMap, theirs.blockMap);
    EXPECT_EQ(mine.codeIndexText, theirs.codeIndexText);
    EXPECT_EQ(mine.presetCodeList, theirs.presetCodeList);
    EXPECT_EQ(w.state().deviceBlockUnit, "08");
    const auto* memo = w.findChild<QPlainTextEdit*>("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_FALSE(memo->isVisible());
    EXPECT_EQ(memo->toPlainText().toStdString(), dump.layout.memoText);
    EXPECT_EQ(memo->toPlainText().left(100), QString(100, '0'));
}

TEST_F(WindowTest, StartUpReadsTheRemoteSevenTimesAndWritesNothing) {
    folder.emu({"trace", "on"});
    create();
    EXPECT_EQ(folder.exchanges("readdatav20"), 7u); // identification block and six layout reads
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
}

TEST_F(WindowTest, ARefusedRemoteHasItsMemoryLeftUnread) {
    folder.reset("version-01-04");
    folder.emu({"trace", "on"});
    messages.expect(Answer::Ok);
    Tmaincodelearn& w = create();
    EXPECT_EQ(folder.exchanges("readdatav20"), 1u);
    EXPECT_TRUE(w.keyTable().empty());
}

TEST_F(WindowTest, ACorruptLayoutIsReportedAndNothingOfItIsKept) {
    for (const char* profile :
         {"corrupt-pointer", "corrupt-header", "corrupt-counts", "corrupt-code-area", "corrupt-hex"}) {
        SCOPED_TRACE(profile);
        folder.reset(profile);
        const emu::Memory before = folder.snapshot().memory;
        testsupport::ScriptedMessages boxes;
        boxes.expect(Answer::Ok);
        Tmaincodelearn w;
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, "未检测到遥控器，请检查USB连接线");
        EXPECT_EQ(boxes.shown()[0].caption, "提示");
        EXPECT_FALSE(w.state().startupRefused);
        EXPECT_TRUE(w.keyTable().empty());
        EXPECT_FALSE(w.layout().complete);
        w.show();
        EXPECT_TRUE(w.isVisible());
        w.close();
        EXPECT_EQ(folder.snapshot().memory, before);
    }
    platform::setMessageBoxes(&messages);
}

TEST_F(WindowTest, ALayoutReadThatFailsHalfWayKeepsNothing) {
    folder.failNext(emu::Operation::ReadData, 1, 4); // the slot records
    messages.expect(Answer::Ok);
    Tmaincodelearn& w = create();
    EXPECT_EQ(onlyMessage().text, "未检测到遥控器，请检查USB连接线");
    EXPECT_TRUE(w.keyTable().empty());
    EXPECT_FALSE(w.layout().complete);
    EXPECT_EQ(label("lab_ykqtype"), "QTM-418");

    // Learning, deleting and clearing are refused at once, saying why, and nothing is written.
    messages.clear();
    folder.emu({"trace", "on"});
    messages.expect(Answer::Ok);
    w.deleteKeyClick(w.controls().keys.front());
    messages.expect(Answer::Ok);
    w.clearAllKeys();
    w.toggleLearning();
    messages.expect(Answer::Ok);
    w.learnKeyClick(w.controls().keys.front());
    w.toggleLearning();
    ASSERT_EQ(messages.shown().size(), 3u);
    for (const auto& shown : messages.shown())
        EXPECT_EQ(shown.text, "无法读取遥控器的存储内容，请重新插拔USB连接线后再启动自学习软件！");
    EXPECT_FALSE(w.state().captureThread);
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
}
