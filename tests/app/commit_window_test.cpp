// Learning a key from the click to the remote's memory and back out of the remote: the commit of
// a captured code in the real window against the virtual remote.
#include "windowtest.h"

#include "ir/frames.h"
#include "irsignals.h"
#include "kestrio/keysignal.h"
#include "kestrio/layoutdump.h"
#include "model/hextext.h"
#include "model/keytable.h"
#include "platform/animationplayer.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

using platform::Answer;

namespace {

using testsupport::necTimings;
using testsupport::oddRemoteTimings;

class CommitWindowTest : public WindowTest {
protected:
    const controls::MainControls& c() const { return window->controls(); }

    void send(const std::vector<int>& timings) {
        ASSERT_EQ(folder.emu(testsupport::sendArguments(timings)), 0);
    }

    // Clicks the key in learning mode and waits for the capture and its commit to end; the boxes
    // it shows are answered with OK.
    void learn(const char* code, std::size_t boxes) {
        if (!window->state().learningOn)
            window->toggleLearning();
        for (std::size_t i = 0; i < boxes; ++i)
            messages.expect(Answer::Ok);
        const std::size_t before = messages.shown().size();
        click(key(code));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return window->state().captureThread.isNull() && messages.shown().size() >= before + boxes;
            },
            10000));
    }

    std::string entryOf(const char* code) const {
        return window->keyTable()[*model::findKeyEntry(window->keyTable(), code)];
    }

    model::LayoutRead onDevice() { return emu::dumpDevice(folder.snapshot()).layout; }

    bool deviceIsSound() {
        std::string out;
        const int rc = folder.emu({"check"}, &out);
        EXPECT_EQ(rc, 0) << out;
        return rc == 0;
    }

    // Whether the remote, pressing `code`, sends what it was taught.
    bool playsBack(const char* code, const std::vector<int>& timings) {
        std::string why;
        const auto pressed = emu::pressKey(folder.snapshot(), code, why);
        EXPECT_TRUE(pressed) << why;
        return pressed && ir::faithful(pressed->played.transmission, ir::splitFrames(timings));
    }
};

TEST_F(CommitWindowTest, APresetProtocolIsLearnedIntoTheSlotAlone) {
    Tmaincodelearn& w = createShown();
    const auto before = onDevice().layout;
    const auto signal = necTimings(0x40, 0x12);
    send(signal);
    learn("27", 1);
    EXPECT_EQ(messages.shown().back().text, "已接收到遥控器编码！");
    const std::string entry = entryOf("27");
    EXPECT_EQ(entry, "27|2|0|010000") << "the NEC preset";
    // Read back from the remote, a preset slot names no index entry.
    const auto readBack = onDevice().keyTable;
    EXPECT_EQ(readBack[*model::findKeyEntry(readBack, "27")], "27|2|0|");
    EXPECT_EQ(onDevice().layout.codeIndexText, before.codeIndexText) << "a preset stores no code data";
    EXPECT_EQ(c().runstate_lab->text(), "CBL/UP键学习成功！");
    EXPECT_EQ(key("27")->Picture().cacheKey(), w.skin().learnedKeyPictures[0x27].cacheKey());
    EXPECT_TRUE(c().delstudykey->isEnabled());
    EXPECT_TRUE(c().delallstudykey->isEnabled());
    EXPECT_TRUE(c().Imagehint->isVisible());
    EXPECT_FALSE(c().donghuaflash2->isVisible());
    EXPECT_TRUE(w.selectedKeyList().isEmpty());
    EXPECT_TRUE(playsBack("27", signal));
    EXPECT_TRUE(deviceIsSound());
    const QString memo = c().Memo2->toPlainText();
    EXPECT_TRUE(memo.contains(QString::fromStdString(entry.substr(7)) + "::")) << "the answer is logged";
}

TEST_F(CommitWindowTest, KeysOfAnUnknownRemoteShareOneStoredCode) {
    Tmaincodelearn& w = createShown();
    const auto first = oddRemoteTimings(0x5A3C1);
    const auto second = oddRemoteTimings(0x0F0F2);
    send(first);
    learn("30", 1);
    const auto afterFirst = onDevice().layout;
    const std::string entry = entryOf("30");
    ASSERT_EQ(entry.substr(0, 9), "30|2|1|00") << entry;
    EXPECT_EQ(entry.substr(9), "FFFF") << "a new index entry was taken";
    EXPECT_TRUE(model::indexEntryInUse(model::indexEntry(afterFirst.codeIndexText, 0)));
    EXPECT_NE(afterFirst.blockMap.find('1'), std::string::npos);

    send(second);
    learn("31", 1);
    EXPECT_EQ(entryOf("31"), "31|2|1|00") << "the same stored code, no new data";
    EXPECT_EQ(onDevice().layout.blockMap, afterFirst.blockMap);
    EXPECT_EQ(w.layout().codeIndexText, onDevice().layout.codeIndexText);
    EXPECT_TRUE(playsBack("30", first));
    EXPECT_TRUE(playsBack("31", second));
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(CommitWindowTest, RelearningAKeyWithTheCodeItAloneHoldsLeavesItsSlotPointingAtALiveEntry) {
    Tmaincodelearn& w = createShown();
    const auto signal = oddRemoteTimings(0x12345);
    send(signal);
    learn("30", 1);
    send(signal);
    messages.expect(Answer::Yes);
    learn("30", 1);
    const std::string entry = entryOf("30");
    const auto index = onDevice().layout.codeIndexText;
    const auto number = model::parseHex(entry.substr(7, 2));
    ASSERT_TRUE(number);
    EXPECT_TRUE(model::indexEntryInUse(model::indexEntry(index, *number)));
    EXPECT_EQ(w.layout().codeIndexText, index);
    EXPECT_TRUE(playsBack("30", signal));
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(CommitWindowTest, ACaptureTheConverterCannotUseIsRefusedAndTheDiagnosticFileKeepsIt) {
    Tmaincodelearn& w = createShown();
    folder.emu({"trace", "on"});
    ASSERT_EQ(folder.emu({"send", "E97834BC8690"}), 0); // no closing silence: nothing to encode
    learn("27", 2);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, "学习失败！");
    EXPECT_EQ(messages.shown()[0].style, platform::MessageStyle::Boxed);
    EXPECT_EQ(messages.shown()[1].text, "学习失败！");
    EXPECT_EQ(messages.shown()[1].style, platform::MessageStyle::Plain);
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
    EXPECT_EQ(entryOf("27"), "27|0|0|");
    EXPECT_TRUE(w.state().learningOn);

    QFile diagnostic(fixedFiles.filePath("123.txt"));
    ASSERT_TRUE(diagnostic.open(QIODevice::ReadOnly));
    EXPECT_TRUE(diagnostic.readAll().startsWith("0000"));
    diagnostic.close();
    // The hidden test button encodes the kept capture again, to the same diagnostic.
    ASSERT_TRUE(QFile::remove(fixedFiles.filePath("123.txt")));
    c().Button1->click();
    EXPECT_TRUE(QFile::exists(fixedFiles.filePath("123.txt")));
}

TEST_F(CommitWindowTest, AFailedWriteMidCommitLeavesTableAndRemoteInStep) {
    for (unsigned goodWrites : {0u, 1u, 2u}) {
        SCOPED_TRACE(goodWrites);
        folder.reset("factory");
        createShown();
        send(oddRemoteTimings(0x33333));
        folder.failNext(emu::Operation::WriteData, 1, goodWrites);
        learn("30", 2);
        EXPECT_EQ(messages.shown()[messages.shown().size() - 2].text, "写入遥控器失败，请检查USB连接线！");
        EXPECT_EQ(entryOf("30"), "30|0|0|");
        EXPECT_EQ(onDevice().keyTable, window->keyTable());
        EXPECT_EQ(onDevice().layout.codeIndexText, window->layout().codeIndexText);
        EXPECT_EQ(onDevice().layout.blockMap, window->layout().blockMap);
        EXPECT_TRUE(deviceIsSound());
        window.reset();
    }
}

} // namespace
