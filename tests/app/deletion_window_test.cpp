// Deleting keys in the real window, checked in the virtual remote's memory afterwards.
#include "windowtest.h"

#include "kestrio/layoutdump.h"
#include "keytablemeaning.h"
#include "model/keytable.h"

using platform::Answer;

namespace {

class DeletionWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        folder.reset("learned");
    }

    const controls::MainControls& c() const { return window->controls(); }

    // The remote's memory as the program would read it now.
    model::LayoutRead onDevice() { return emu::dumpDevice(folder.snapshot()).layout; }

    std::string entryOf(const std::string& code) {
        for (const auto& entry : onDevice().keyTable)
            if (entry.rfind(code, 0) == 0)
                return entry;
        return {};
    }

    bool deviceIsSound() {
        std::string out;
        const int rc = folder.emu({"check"}, &out);
        EXPECT_EQ(rc, 0) << out;
        return rc == 0;
    }

    // Deletes `code` in delete-one-key mode, confirming.
    void deleteKey(const char* code, Answer confirm = Answer::Yes) {
        messages.expect(confirm);
        if (confirm == Answer::Yes)
            messages.expect(Answer::Ok);
        click(key(code));
    }
};

TEST_F(DeletionWindowTest, AKeyWithItsOwnCodeFreesItsIndexEntryAndBlocks) {
    Tmaincodelearn& w = createShown();
    ASSERT_EQ(onDevice().layout.codeIndexText.substr(0, 12), "4D5E6F008003");
    click(c().delstudykey);
    EXPECT_TRUE(c().Image7->isVisible());
    EXPECT_EQ(c().runstate_lab->text(), "请在左面遥控器上选择待删除的按键！");
    EXPECT_EQ(c().delstudykey->Picture().cacheKey(), w.skin().single("stopdelete").cacheKey());

    folder.emu({"trace", "on"});
    deleteKey("04");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, "你确实要删除该自学习按键的编码？");
    EXPECT_EQ(messages.shown()[1].text, "删除操作成功！");

    const auto device = onDevice();
    EXPECT_EQ(entryOf("04"), "04|0|0|");
    EXPECT_EQ(device.layout.codeIndexText.substr(0, 12), "000000000000");
    EXPECT_EQ(device.layout.blockMap.substr(0, 5), "00011") << "blocks 0-2 freed, the shared code's kept";
    EXPECT_EQ(w.layout().blockMap, device.layout.blockMap);
    EXPECT_EQ(w.layout().codeIndexText, device.layout.codeIndexText);
    EXPECT_EQ(folder.exchanges("writedatav20"), 2u) << "the flag byte, then map and index";
    EXPECT_EQ(w.keyTable()[*model::findKeyEntry(w.keyTable(), "04")], "04|0");
    EXPECT_TRUE(key("04")->IsEnable());
    EXPECT_TRUE(w.state().deleteOneOn) << "other learned keys remain";
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(DeletionWindowTest, ASharedCodeOrAPresetOnlyLosesTheFlagByte) {
    Tmaincodelearn& w = createShown();
    const auto before = onDevice().layout;
    click(c().delstudykey);
    folder.emu({"trace", "on"});
    deleteKey("05");
    deleteKey("11");
    const auto after = onDevice().layout;
    EXPECT_EQ(entryOf("05"), "05|0|0|");
    EXPECT_EQ(entryOf("11"), "11|0|0|");
    EXPECT_EQ(after.codeIndexText, before.codeIndexText);
    EXPECT_EQ(after.blockMap, before.blockMap);
    EXPECT_EQ(folder.exchanges("writedatav20"), 2u) << "one flag byte per key, nothing else";

    // Once its partner is gone, the last key of the shared code frees it.
    deleteKey("10");
    EXPECT_EQ(onDevice().layout.codeIndexText.substr(12, 12), "000000000000");
    EXPECT_EQ(w.layout().codeIndexText, onDevice().layout.codeIndexText);
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(DeletionWindowTest, AKeyThatWasNotLearnedIsRefusedWithNothingWritten) {
    createShown();
    click(c().delstudykey);
    folder.emu({"trace", "on"});
    messages.expect(Answer::Ok);
    click(key("00")); // downloaded at the factory
    EXPECT_EQ(onlyMessage().text, "该按键还没有自学习过，无法删除！");
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
    EXPECT_EQ(entryOf("00").substr(0, 4), "00|1");
}

TEST_F(DeletionWindowTest, DeclinedConfirmationChangesNothing) {
    Tmaincodelearn& w = createShown();
    click(c().delstudykey);
    folder.emu({"trace", "on"});
    const auto table = w.keyTable();
    deleteKey("04", Answer::No);
    EXPECT_EQ(folder.exchanges("writedatav20"), 0u);
    EXPECT_EQ(w.keyTable(), table);
    EXPECT_TRUE(w.state().deleteOneOn);
}

TEST_F(DeletionWindowTest, DeletingTheLastLearnedKeyEndsTheModeAndGreysTheButtons) {
    Tmaincodelearn& w = createShown();
    click(c().delstudykey);
    for (const char* code : {"04", "05", "10", "11"})
        deleteKey(code);
    EXPECT_FALSE(w.state().deleteOneOn);
    EXPECT_FALSE(c().delstudykey->isEnabled());
    EXPECT_FALSE(c().delallstudykey->isEnabled());
    EXPECT_EQ(c().delstudykey->Picture().cacheKey(), w.skin().single("deletehui").cacheKey());
    EXPECT_EQ(c().delallstudykey->Picture().cacheKey(), w.skin().single("clearhui").cacheKey());
    EXPECT_TRUE(c().Image8->isVisible());
    EXPECT_FALSE(c().Image4->isVisible() || c().Image5->isVisible() || c().Image7->isVisible());
    EXPECT_EQ(onDevice().layout.blockMap.substr(0, 5), "00000");
    EXPECT_TRUE(deviceIsSound());
}

// The remote still holds the key's code, so the window, its kept index and the key table do too.
TEST_F(DeletionWindowTest, AFailedFlagByteWriteLeavesTheKeyLearnedOnTheRemoteAndInTheWindow) {
    Tmaincodelearn& w = createShown();
    click(c().delstudykey);
    folder.failNext(emu::Operation::WriteData);
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    click(key("04"));
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].text, "删除操作失败！");
    EXPECT_EQ(entryOf("04"), "04|2|1|00FFFF");
    EXPECT_EQ(w.keyTable()[*model::findKeyEntry(w.keyTable(), "04")], "04|2|1|00FFFF");
    EXPECT_EQ(onDevice().layout.codeIndexText.substr(0, 12), "4D5E6F008003");
    EXPECT_EQ(w.layout().codeIndexText, onDevice().layout.codeIndexText);
    EXPECT_EQ(key("04")->Picture().cacheKey(), w.skin().learnedKeyPictures[4].cacheKey());
    EXPECT_TRUE(deviceIsSound());
}

// Without the slot's record, the key table's own entry names what the key held.
TEST_F(DeletionWindowTest, AnUnreadableSlotIsStillClearedAndItsOwnCodeFreed) {
    Tmaincodelearn& w = createShown();
    click(c().delstudykey);
    folder.failNext(emu::Operation::ReadData);
    deleteKey("04");
    EXPECT_EQ(messages.shown().back().text, "删除操作成功！");
    EXPECT_EQ(entryOf("04"), "04|0|0|");
    EXPECT_EQ(onDevice().layout.codeIndexText.substr(0, 12), "000000000000");
    EXPECT_EQ(w.layout().codeIndexText, onDevice().layout.codeIndexText);
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(DeletionWindowTest, ClearingAllKeysLeavesNoLearnedKeyAndNoLeakedBlock) {
    Tmaincodelearn& w = createShown();
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    click(c().delallstudykey);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, "你确实要清空所有自学习过的按键的编码吗？");
    EXPECT_EQ(messages.shown()[1].text, "清空操作完成！");
    EXPECT_EQ(c().runstate_lab->text(), "清空操作完成！");
    for (const char* code : {"04", "05", "10", "11"}) {
        EXPECT_EQ(w.keyTable()[*model::findKeyEntry(w.keyTable(), code)], std::string(code) + "|0");
        EXPECT_EQ(entryOf(code), std::string(code) + "|0|0|");
        EXPECT_TRUE(key(code)->IsEnable());
    }
    const auto device = onDevice().layout;
    EXPECT_EQ(device.codeIndexText.substr(0, 24), std::string(24, '0'));
    EXPECT_EQ(device.blockMap.substr(0, 5), "00000");
    EXPECT_FALSE(c().delstudykey->isEnabled());
    EXPECT_FALSE(c().delallstudykey->isEnabled());
    EXPECT_TRUE(c().Image8->isVisible());
    EXPECT_TRUE(deviceIsSound());

    messages.expect(Answer::Ok);
    w.clearAllKeys();
    EXPECT_EQ(messages.shown().back().text, "没有可清空的按键的编码！");
}

TEST_F(DeletionWindowTest, ClearingAndDeletingAreRefusedInTheOtherModes) {
    Tmaincodelearn& w = createShown();
    click(c().beginstudyibtn);
    messages.expect(Answer::Ok);
    messages.expect(Answer::Ok);
    click(c().delallstudykey);
    click(c().delstudykey);
    EXPECT_EQ(messages.shown()[0].text, "现在是自学习遥控器按键编码状态，要清空请先点击\"停止学习\"按钮！");
    EXPECT_EQ(messages.shown()[1].text, "现在正在学习状态，要删除请先停止学习！");
    EXPECT_FALSE(w.state().deleteOneOn);
    click(c().beginstudyibtn);
    click(c().delstudykey);
    messages.expect(Answer::Ok);
    click(c().delallstudykey);
    EXPECT_EQ(messages.shown()[2].text, "现在是删除单个遥控器按键编码状态，要清空请先点击\"停止删除\"按钮！");
    click(c().delstudykey);
    EXPECT_FALSE(w.state().deleteOneOn);
    EXPECT_TRUE(c().Image4->isVisible());
    EXPECT_EQ(c().delstudykey->Picture().cacheKey(), w.skin().single("delete").cacheKey());
}

// Another remote plugged in while a question is open: answering Yes writes nothing into it.
TEST_F(DeletionWindowTest, AnsweringYesWritesNothingIntoARemoteSwappedWhileAsked) {
    Tmaincodelearn& w = createShown();
    const auto before = onDevice();
    const QString swapped = "现在连接的遥控器不是启动时识别的遥控器，请重新启动自学习软件！";
    click(c().delstudykey);
    messages.expect(Answer::Yes, [this] { folder.emu({"swap"}); });
    messages.expect(Answer::Ok);
    click(key("04"));
    EXPECT_EQ(messages.shown().back().text, swapped);
    click(c().delstudykey);
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    click(c().delallstudykey);
    EXPECT_EQ(messages.shown().back().text, swapped);
    EXPECT_EQ(onDevice().keyTable, before.keyTable);
    EXPECT_EQ(onDevice().layout.codeIndexText, before.layout.codeIndexText);
    EXPECT_EQ(w.keyTable(), before.keyTable);
}

// Key 10 shares its code with key 05 and both its flag writes fail: it stays learned, on the
// remote and in the window, and keeps the code it shares.
TEST_F(DeletionWindowTest, ClearingAllLeavesAKeyWhoseWritesFailLearnedAndRed) {
    Tmaincodelearn& w = createShown();
    folder.failNext(emu::Operation::WriteData, 2, 5); // 04: flag, flag, index; 05: flag, flag
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    messages.expect(Answer::Ok);
    click(c().delallstudykey);
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[1].text, "删除操作失败！");
    EXPECT_EQ(messages.shown()[2].text, "清空操作完成！");
    EXPECT_EQ(entryOf("10"), "10|2|1|01FFFF");
    EXPECT_EQ(testsupport::meaning(w.keyTable()), testsupport::meaning(onDevice().keyTable));
    EXPECT_EQ(key("10")->Picture().cacheKey(), w.skin().learnedKeyPictures[0x10].cacheKey());
    EXPECT_EQ(key("05")->Picture().cacheKey(), w.skin().normalKeyPictures[0x05].cacheKey());
    EXPECT_TRUE(c().delallstudykey->isEnabled());
    EXPECT_TRUE(deviceIsSound());
}

} // namespace
