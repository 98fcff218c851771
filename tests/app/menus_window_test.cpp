// The window's menus driven with the mouse against the virtual remote: what each item offers
// when, what it writes, what it says, and a remote left sound whichever write fails.
#include "windowtest.h"

#include "app/listdialog.h"
#include "app/translations.h"
#include "bridge/bridge.h"
#include "bridge/makerchoice.h"
#include "codes/signalexport.h"
#include "device/keylisting.h"
#include "device/layoutio.h"
#include "device/memorybackup.h"
#include "device/openremote.h"
#include "environment.h"
#include "kestrio/layoutdump.h"
#include "libraryimages.h"
#include "model/backupfile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <fstream>
#include <map>
#include <sstream>

using platform::Answer;

namespace {

const char* kTwoSignals =
    "Filetype: IR signals file\nVersion: 1\n#\n"
    "name: Power\ntype: parsed\nprotocol: Samsung32\naddress: 07 00 00 00\ncommand: 02 00 00 00\n#\n"
    "name: Vol_up\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 08 00 00 00\n#\n"
    "name: Mute\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 09 00 00 00\n#\n"
    "name: Karaoke\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 0A 00 00 00\n";

class MenusWindowTest : public WindowTest {
protected:
    const controls::MainControls& c() const { return window->controls(); }

    QString scratch(const QString& name, const std::string& text = {}) {
        const QString path = fixedFiles.filePath(name);
        if (!text.empty())
            std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

    std::map<std::string, bool> items(QMenu* menu) {
        std::map<std::string, bool> enabled;
        if (!menu)
            return enabled;
        for (QAction* action : menu->actions())
            if (!action->isSeparator())
                enabled[action->objectName().toStdString()] = action->isEnabled();
        menu->close();
        return enabled;
    }

    model::LayoutRead onDevice() { return emu::dumpDevice(folder.snapshot()).layout; }
    // Each key's number and state, as the window holds them and as the remote does.
    static std::vector<std::string> states(const model::KeyTable& table) {
        std::vector<std::string> out;
        for (const std::string& entry : table)
            out.push_back(entry.substr(0, 4));
        return out;
    }
    ::testing::AssertionResult showsTheRemote() {
        const auto shown = states(window->keyTable()), held = states(device::readDeviceLayout().keyTable);
        if (shown == held)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the window's key table is not the remote's";
    }
    std::string stateOf(const std::string& code) {
        for (const auto& entry : onDevice().keyTable)
            if (entry.rfind(code + "|", 0) == 0)
                return entry.substr(3, 1);
        return {};
    }
    bool deviceIsSound() {
        std::string out;
        return folder.emu({"check"}, &out) == 0;
    }
    // The tip once every key's code has been read.
    ::testing::AssertionResult tipBecomes(const char* code, const QString& expected) {
        if (QTest::qWaitFor([&] { return key(code)->toolTip() == expected; }, 3000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "tip of " << code << ": " << key(code)->toolTip().toStdString();
    }
    QStringList texts() const {
        QStringList all;
        for (const auto& box : messages.shown())
            all << box.text;
        return all;
    }

    // Learns `code` from the two-signal file's signal at `row`.
    void learnFromFile(const char* code, int row) {
        dialogs.expectFile(scratch("codes.ir", kTwoSignals));
        dialogs.expectDialog(chooseRow(row));
        messages.expect(Answer::Ok);
        choose(keyMenu(code), "learnFromFile");
    }
};

// The remote for the next start: the maker's files checked before they are taken, the choice
// waiting beside the folder, and the way back to the virtual remote.
TEST_F(MenusWindowTest, TheRemoteChosenForTheNextStartIsCheckedAndWaits) {
    namespace fs = std::filesystem;
    const fs::path maker = fs::path(fixedFiles.filePath("maker").toStdU16String());
    const fs::path offered = fs::path(fixedFiles.filePath("from maker").toStdU16String());
    fs::create_directories(offered);
    testsupport::ScopedEnvironment named("QTM418_MAKER_DIR", maker);
    bridge::chooseAgain();
    createShown();
    const auto path = [](const fs::path& p) { return QString::fromStdU16String(p.u16string()); };

    QString intro;
    const auto pick = [&](int row) {
        dialogs.expectDialog([&intro, row](QDialog& d) {
            intro = static_cast<ListDialog&>(d).findChild<QLabel*>()->text();
            return chooseRow(row)(d);
        });
    };
    const struct {
        const char* what;
        int row;
        std::string deviceLibrary; // written into `offered` when not empty
        QString says;
        bridge::PendingChoice waits;
    } steps[] = {
        {"a 64-bit device library", 0, testsupport::imageHead(testsupport::kMachineX64),
         QStringLiteral("厂家的设备库 %1 是64位的库，需要厂家的32位库。").arg(path(offered / "kestrio.dll")),
         bridge::PendingChoice::None},
        {"the maker's pair", 0, testsupport::imageHead(testsupport::kMachineX86),
         QStringLiteral("厂家的设备库已复制。下次启动本软件时，将通过它配置真实的遥控器。"),
         bridge::PendingChoice::Maker},
        {"back to the virtual remote", 1, "", QStringLiteral("下次启动本软件时将改回虚拟遥控器。"),
         bridge::PendingChoice::Virtual},
        {"back again", 1, "", QStringLiteral("配置的已经是虚拟遥控器。"), bridge::PendingChoice::Virtual},
    };
    testsupport::writeBytes(offered / "ConLCode.dll", testsupport::imageHead(testsupport::kMachineX86));
    for (const auto& step : steps) {
        if (!step.deviceLibrary.empty()) {
            testsupport::writeBytes(offered / "kestrio.dll", step.deviceLibrary);
        }
        pick(step.row);
        if (step.row == 0)
            dialogs.expectFile(path(offered));
        messages.expect(Answer::Ok);
        choose(windowMenu(), "chooseRemote");
        EXPECT_EQ(messages.shown().back().text, step.says) << step.what;
        EXPECT_EQ(bridge::pendingChoice(maker), step.waits) << step.what;
        EXPECT_EQ(dialogs.pendingAnswers(), 0u) << step.what;
    }
    EXPECT_TRUE(
        intro.startsWith(QStringLiteral("现在配置的是虚拟遥控器。下次启动本软件时将改回虚拟遥控器。")))
        << intro.toStdString();
    EXPECT_FALSE(bridge::remoteInUse().maker) << "this run keeps the remote it chose";
    bridge::chooseAgain();
}

TEST_F(MenusWindowTest, MenusOpenOnARightReleaseWithOnlyWhatCanActNowEnabled) {
    folder.reset("learned");
    createShown();
    const QPoint at = key("04")->pos();
    QTest::mousePress(key("04"), Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_NE(key("04")->pos(), at) << "a right press shifts the key as every press does";
    QTest::mouseRelease(key("04"), Qt::RightButton, {}, QPoint(4, 4));
    EXPECT_EQ(key("04")->pos(), at);
    EXPECT_EQ(
        items(qobject_cast<QMenu*>(QApplication::activePopupWidget())),
        (std::map<std::string, bool>{{"viewCode", true}, {"learnFromFile", true}, {"deleteKey", true}}));
    EXPECT_EQ(items(keyMenu("03")), (std::map<std::string, bool>{
                                        {"viewCode", false}, {"learnFromFile", true}, {"deleteKey", false}}));
    EXPECT_EQ(items(keyMenu("00")), (std::map<std::string, bool>{
                                        {"viewCode", true}, {"learnFromFile", true}, {"deleteKey", false}}));
    EXPECT_EQ(items(windowMenu()), (std::map<std::string, bool>{{"backup", true},
                                                                {"restore", true},
                                                                {"learnSide", true},
                                                                {"export", true},
                                                                {"check", true},
                                                                {"setUpByMaker", true},
                                                                {"library", true},
                                                                {"downloadLibrary", true},
                                                                {"chooseRemote", true}}));
    EXPECT_EQ(rightClick(c().beginstudyibtn), nullptr) << "the command buttons carry no menu";

    // In delete mode every changing item is off; reading still works.
    click(c().delstudykey);
    EXPECT_EQ(items(keyMenu("04")), (std::map<std::string, bool>{
                                        {"viewCode", true}, {"learnFromFile", false}, {"deleteKey", false}}));
    EXPECT_EQ(items(windowMenu()), (std::map<std::string, bool>{{"backup", true},
                                                                {"restore", false},
                                                                {"learnSide", false},
                                                                {"export", true},
                                                                {"check", true},
                                                                {"setUpByMaker", false},
                                                                {"library", true},
                                                                {"downloadLibrary", true},
                                                                {"chooseRemote", true}}));
    click(c().delstudykey);
    click(c().beginstudyibtn);
    EXPECT_EQ(items(windowMenu())["learnSide"], false);
    click(c().beginstudyibtn);

    // Without the remote nothing can act but the code library, which is on disk.
    messages.expect(Answer::Retry, [this] { folder.setAttached(true); });
    folder.setAttached(false);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !c().ykqbox->isVisible(); }, 2000));
    for (const auto& [name, enabled] : items(windowMenu()))
        EXPECT_EQ(enabled, name == "library" || name == "downloadLibrary" || name == "chooseRemote") << name;
    ASSERT_TRUE(QTest::qWaitFor([this] { return c().ykqbox->isVisible(); }, 3000));
    EXPECT_TRUE(items(windowMenu())["restore"]);
    EXPECT_EQ(messages.shown().size(), 1u);
}

TEST_F(MenusWindowTest, EveryKeyTellsWhatItSendsInItsTipAndAccessibleName) {
    createShown();
    EXPECT_TRUE(tipBecomes("00", "TV/Power — 已下载：NEC 地址 32 命令 8"));
    EXPECT_TRUE(tipBecomes("51", "CBL/5 — 没有编码"));
    EXPECT_EQ(key("00")->accessibleName(), key("00")->toolTip());

    learnFromFile("51", 0);
    EXPECT_EQ(key("51")->toolTip(), "CBL/5 — 已学习：Samsung32 地址 7 命令 2");
    EXPECT_EQ(key("51")->accessibleName(), key("51")->toolTip());
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    choose(keyMenu("51"), "deleteKey");
    EXPECT_EQ(key("51")->toolTip(), "CBL/5 — 没有编码");
}

TEST_F(MenusWindowTest, ViewCodeShowsTheKeyAndCopiesItsProntoHex) {
    createShown();
    learnFromFile("51", 1);
    QString shown, copied;
    dialogs.expectDialog([&](QDialog& d) {
        for (const QLabel* l : d.findChildren<QLabel*>())
            shown += l->text() + QLatin1Char('\n');
        auto* copy = d.findChild<QPushButton*>();
        EXPECT_EQ(copy->text(), "复制(&C)");
        QTest::mouseClick(copy, Qt::LeftButton);
        copied = QGuiApplication::clipboard()->text();
        return QDialog::Rejected;
    });
    choose(keyMenu("51"), "viewCode");
    for (const char* part : {"CBL/5（51）", "已学习", "预置编码 010000", "NEC 地址 4 命令 8"})
        EXPECT_TRUE(shown.contains(QString::fromUtf8(part))) << part << "\n" << shown.toStdString();
    EXPECT_TRUE(copied.startsWith("0000 006D ")) << copied.toStdString();
    const auto keys = device::listKeys(window->layout(), window->keyTable());
    const auto k51 =
        std::find_if(keys.begin(), keys.end(), [](const auto& k) { return k.keyNumber == "51"; });
    ASSERT_NE(k51, keys.end());
    EXPECT_EQ(copied.toStdString(), codes::prontoHex(*device::exportedKey(*k51)));
}

TEST_F(MenusWindowTest, LearningFromACodeFileEndsAsLearningByHandDoes) {
    createShown();
    learnFromFile("51", 2);
    EXPECT_EQ(messages.shown().back().text, "已接收到遥控器编码！");
    EXPECT_EQ(stateOf("51"), "2");
    EXPECT_EQ(label("runstate_lab"), key("51")->Path() + "键学习成功！");
    EXPECT_EQ(key("51")->Picture().cacheKey(),
              window->skin().learnedKeyPictures[*model::keyPictureIndex("51")].cacheKey());
    EXPECT_TRUE(c().delstudykey->isEnabled());
    EXPECT_TRUE(c().Image4->isVisible());
    EXPECT_FALSE(window->state().learningOn);
    EXPECT_TRUE(deviceIsSound());

    // A learned key asks the learning question first.
    messages.clear();
    dialogs.expectFile(scratch("one.json", "[9000, 4500, 560, 560, 560, 1690, 560, 40000]"));
    messages.expect(Answer::No);
    choose(keyMenu("51"), "learnFromFile");
    EXPECT_EQ(texts(), QStringList{key("51")->Path() + "键编码已学习过，要重新学习吗?"});
}

TEST_F(MenusWindowTest, ACodeFileThatCannotBeLearnedWritesNothing) {
    createShown();
    const emu::Memory before = folder.snapshot().memory;
    const struct {
        const char* file;
        std::string text;
        const char* says; // after the file's path
    } cases[] = {
        {"broken.ir", "Filetype: IR signals file\nVersion: 1\nname: X\ntype: raw\ndata: 1 x\n",
         " 第 5 行：数据应为 1 到 1000000 微秒的时长"},
        {"foreign.ir",
         "Filetype: IR signals file\nVersion: 1\nname: X\ntype: parsed\nprotocol: NEC42\n"
         "address: 01 00 00 00\ncommand: 02 00 00 00\n",
         " 第 3 行：解析信号“X”：遥控器不认识它的协议 NEC42，请改用原始信号学习"},
    };
    for (const auto& c : cases) {
        messages.clear();
        const QString file = scratch(c.file, c.text);
        dialogs.expectFile(file);
        messages.expect(Answer::Ok);
        choose(keyMenu("51"), "learnFromFile");
        const QString refusal =
            c.file == std::string("broken.ir") ? "该代码文件无法使用：\n" : "该信号无法学习：\n";
        EXPECT_EQ(texts(), QStringList{refusal + file + QString::fromUtf8(c.says)});
    }
    dialogs.expectFile(QString());
    choose(keyMenu("51"), "learnFromFile");
    EXPECT_EQ(folder.snapshot().memory, before);
}

TEST_F(MenusWindowTest, DeleteThisKeyAsksAsDeleteModeDoesWithoutEnteringIt) {
    folder.reset("learned");
    createShown();
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    choose(keyMenu("04"), "deleteKey");
    EXPECT_EQ(texts(), (QStringList{"你确实要删除该自学习按键的编码？", "删除操作成功！"}));
    EXPECT_EQ(stateOf("04"), "0");
    EXPECT_FALSE(window->state().deleteOneOn);
    EXPECT_EQ(key("04")->Picture().cacheKey(),
              window->skin().normalKeyPictures[*model::keyPictureIndex("04")].cacheKey());
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(MenusWindowTest, ABackupRestoredBringsTheKeysBackAndTheWindowShowsThem) {
    folder.reset("learned");
    createShown();
    const QString file = scratch("remote.qtm418");
    dialogs.expectFile(file);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "backup");
    EXPECT_TRUE(dialogs.offeredFile().endsWith(
        QStringLiteral("QTM-418-%1.qtm418").arg(QDate::currentDate().toString(Qt::ISODate))));
    EXPECT_EQ(texts(), QStringList{"遥控器的全部存储已备份到 " + file});
    const emu::Memory learned = folder.snapshot().memory;

    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    window->clearAllKeys();
    ASSERT_EQ(stateOf("04"), "0");

    messages.clear();
    dialogs.expectFile(file);
    messages.expect(Answer::Yes);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "restore");
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_TRUE(texts()[0].startsWith("备份的遥控器：")) << texts()[0].toStdString();
    EXPECT_TRUE(texts()[1].startsWith("恢复完成")) << texts()[1].toStdString();
    EXPECT_EQ(folder.snapshot().memory, learned);
    EXPECT_TRUE(showsTheRemote());
    EXPECT_EQ(key("04")->Picture().cacheKey(),
              window->skin().learnedKeyPictures[*model::keyPictureIndex("04")].cacheKey());
    EXPECT_TRUE(c().delallstudykey->isEnabled());
}

TEST_F(MenusWindowTest, RestoreRefusesWhatDoesNotBelongBeforeWritingAndAsksTwiceForAnotherRemote) {
    folder.reset("learned");
    createShown();
    const QString file = scratch("remote.qtm418");
    dialogs.expectFile(file);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "backup");
    std::ifstream in(file.toStdString(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto backup = std::get<model::MemoryBackup>(model::parseBackup(text));
    auto otherModel = backup, otherRemote = backup;
    otherModel.model = "200R";
    otherRemote.identity[0] = otherRemote.identity[0] == 'A' ? 'B' : 'A';
    std::string damaged = text;
    damaged[damaged.size() / 2] = damaged[damaged.size() / 2] == '0' ? '1' : '0';

    const emu::Memory before = folder.snapshot().memory;
    const struct {
        const char* name;
        std::string text;
        std::vector<Answer> answers;
        const char* says;
    } cases[] = {
        {"damaged",
         damaged,
         {Answer::Ok},
         "该备份文件无法使用（第 2055 行：校验和与文件内容不符，文件已损坏）"},
        {"model", model::formatBackup(otherModel), {Answer::Ok}, "该备份属于型号 200R"},
        {"declined", text, {Answer::No}, "备份的遥控器："},
        {"other", model::formatBackup(otherRemote), {Answer::Yes, Answer::No}, "备份的遥控器："},
    };
    for (const auto& c : cases) {
        messages.clear();
        dialogs.expectFile(scratch(QString::fromLatin1(c.name), c.text));
        for (const Answer a : c.answers)
            messages.expect(a);
        choose(windowMenu(), "restore");
        EXPECT_TRUE(texts().value(0).startsWith(QString::fromUtf8(c.says))) << c.name;
        EXPECT_EQ(folder.snapshot().memory, before) << c.name;
    }
    EXPECT_TRUE(texts().value(1).startsWith("该备份来自另一个遥控器")) << texts().join("|").toStdString();

    messages.clear();
    dialogs.expectFile(scratch("other", model::formatBackup(otherRemote)));
    for (const Answer a : {Answer::Yes, Answer::Yes, Answer::Ok})
        messages.expect(a);
    choose(windowMenu(), "restore");
    EXPECT_TRUE(texts().value(2).startsWith("恢复完成")) << texts().join("|").toStdString();
}

TEST_F(MenusWindowTest, ARestoreCutShortAtAnyWriteLeavesASoundRemoteShownAsItIs) {
    // A backup of a remote with learned keys, put back onto a remote fresh from the factory.
    folder.reset("learned");
    const auto opened = device::openRemote(false);
    const auto taken = device::takeBackup(opened.remote, [](std::size_t, std::size_t) {});
    ASSERT_TRUE(taken.backup.has_value());
    const QString file = scratch("learned.qtm418", model::formatBackup(*taken.backup));
    for (unsigned n = 0;; ++n) {
        window.reset();
        folder.reset("factory");
        messages.clear();
        createShown();
        folder.failNext(emu::Operation::WriteData, 1, n);
        dialogs.expectFile(file);
        messages.expect(Answer::Yes);
        if (device::openRemote(false).remote.identity != taken.backup->identity)
            messages.expect(Answer::Yes);
        messages.expect(Answer::Ok);
        choose(windowMenu(), "restore");
        EXPECT_TRUE(deviceIsSound()) << "write " << n;
        EXPECT_TRUE(showsTheRemote()) << "write " << n;
        const QString said = texts().value(texts().size() - 1);
        if (said.startsWith("恢复完成")) {
            EXPECT_GT(n, 2u);
            EXPECT_EQ(stateOf("04"), "2");
            break;
        }
        EXPECT_TRUE(said.startsWith("写入遥控器失败")) << "write " << n << ": " << said.toStdString();
    }
}

TEST_F(MenusWindowTest, LearningASideShowsTheMatchesFirstAndNamesWhatWasLearned) {
    createShown();
    QStringList lines;
    dialogs.expectFile(scratch("tv.ir", kTwoSignals));
    dialogs.expectDialog(chooseRow(0));
    dialogs.expectDialog([&](QDialog& d) {
        auto* list = static_cast<ListDialog&>(d).list();
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return QDialog::Accepted;
    });
    messages.expect(Answer::Ok);
    choose(windowMenu(), "learnSide");
    EXPECT_EQ(lines, (QStringList{"Power → TV/Power", "Vol_up → TV/Vol+", "Mute → TV/Mute",
                                  "Karaoke：没有对应的按键"}));
    EXPECT_EQ(texts(), QStringList{"已从代码文件学习了 3 个按键：TV/Power、TV/Vol+、TV/Mute。"});
    for (const char* code : {"00", "06", "02"})
        EXPECT_EQ(stateOf(code), "2") << code;
    EXPECT_TRUE(showsTheRemote());
    EXPECT_TRUE(c().Image4->isVisible());
    EXPECT_TRUE(tipBecomes("06", "TV/Vol+ — 已学习：NEC 地址 4 命令 8"));
    EXPECT_TRUE(deviceIsSound());
}

TEST_F(MenusWindowTest, ALearnedSideCutShortAtAnyWriteNamesWhatWasLearnedAndLeavesASoundRemote) {
    for (unsigned n = 0;; ++n) {
        folder.reset("factory");
        window.reset();
        messages.clear();
        createShown();
        folder.failNext(emu::Operation::WriteData, 1, n);
        dialogs.expectFile(scratch("tv.ir", kTwoSignals));
        dialogs.expectDialog(chooseRow(1));
        dialogs.expectAccepted();
        messages.expect(Answer::Ok);
        choose(windowMenu(), "learnSide");
        const QString said = texts().value(0);
        EXPECT_TRUE(deviceIsSound()) << "write " << n;
        EXPECT_TRUE(showsTheRemote()) << "write " << n;
        if (!said.contains("学习失败")) {
            EXPECT_EQ(said, "已从代码文件学习了 3 个按键：CBL/Power、CBL/Vol+、CBL/Mute。");
            EXPECT_GE(n, 3u) << "each key takes a write at least";
            break;
        }
        EXPECT_TRUE(said.contains("写入遥控器失败")) << said.toStdString();
    }
}

TEST_F(MenusWindowTest, ExportWritesTheLearnedKeysInTheChosenFormat) {
    folder.reset("learned");
    createShown();
    learnFromFile("51", 1);
    const QString file = scratch("keys");
    dialogs.expectFile(file, "Pronto 编码 (*.txt)");
    messages.expect(Answer::Ok);
    choose(windowMenu(), "export");
    std::ifstream in((file + ".txt").toStdString());
    std::stringstream written;
    written << in.rdbuf();
    const auto keys = device::learnedKeysToExport(device::listKeys(window->layout(), window->keyTable()));
    EXPECT_EQ(written.str(), codes::exportText(keys, codes::ExportFormat::Pronto));
    EXPECT_EQ(texts().back(), QStringLiteral("已导出 %1 个按键到 %2.txt").arg(keys.size()).arg(file));
}

TEST_F(MenusWindowTest, TheCheckFindsDamageAndRepairsItOnlyAfterAsking) {
    folder.reset("learned");
    createShown();
    messages.expect(Answer::Ok);
    choose(windowMenu(), "check");
    EXPECT_EQ(texts(), QStringList{"遥控器的存储完好。"});

    // Key 04 now refers past the code index.
    const model::DeviceLayout l = window->layout();
    folder.store().transact([&](emu::Device& d) {
        d.memory[model::slotAddress(l, 4) + 3] = 40;
        return unsigned{emu::MemoryChanged};
    });
    ASSERT_FALSE(deviceIsSound());
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        messages.clear();
        QString findings;
        dialogs.expectDialog([&](QDialog& d) {
            auto& box = static_cast<QMessageBox&>(d);
            findings = box.text();
            for (QAbstractButton* b : box.buttons())
                if (b->text() == "修复(&F)")
                    b->click();
            return QDialog::Accepted;
        });
        messages.expect(answer);
        if (answer == Answer::Yes)
            messages.expect(Answer::Ok);
        choose(windowMenu(), "check");
        EXPECT_TRUE(findings.startsWith(
            "遥控器的存储有以下问题：\n• 按键槽 4（按键 04）引用的编码条目 40 超出了编码索引的"))
            << findings.toStdString();
        EXPECT_TRUE(texts().value(0).contains("清空按键 04")) << texts().join("|").toStdString();
    }
    EXPECT_EQ(texts().value(1), "修复完成，遥控器的存储完好。");
    EXPECT_TRUE(deviceIsSound());
    EXPECT_EQ(stateOf("04"), "0");
    EXPECT_EQ(key("04")->Picture().cacheKey(),
              window->skin().normalKeyPictures[*model::keyPictureIndex("04")].cacheKey());
}

// A damaged backup and a bad code file are refused in the window's language, the fault worded
// with them: Chinese on a Chinese desktop, English on an English one.
TEST_F(MenusWindowTest, RefusalsOfDamagedFilesSpeakTheWindowsLanguage) {
    createShown();
    const QString backup = scratch("remote.qtm418");
    dialogs.expectFile(backup);
    messages.expect(Answer::Ok);
    choose(windowMenu(), "backup");
    std::ifstream in(backup.toStdString(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text.replace(text.find("\n0040 ") + 6, 1, "g");
    const QString damaged = scratch("damaged.qtm418", text);
    const QString codes = scratch("codes.txt", "0000 006D 0002 0000 0155 00AA 0015\n");
    const emu::Memory before = folder.snapshot().memory;

    const struct {
        QLocale locale;
        QString backupRefusal;
        QString codeRefusal;
    } cases[] = {
        {QLocale::c(), "该备份文件无法使用（第 9 行：地址 0040 处的“g”不是十六进制数字），没有写入任何内容。",
         "该代码文件无法使用：\n" + codes + " 第 1 行：编码有 3 个字，而计数要求 4 个"},
        {QLocale(QLocale::English, QLocale::UnitedStates),
         "This backup file cannot be used (line 9: “g” at 0040 is not a hex digit); nothing was written.",
         "This code file cannot be used:\n" + codes +
             ", line 1: the code holds 3 words where its counts call for 4"},
    };
    for (const auto& c : cases) {
        installTranslations(c.locale);
        messages.clear();
        dialogs.expectFile(damaged);
        messages.expect(Answer::Ok);
        choose(windowMenu(), "restore");
        dialogs.expectFile(codes);
        messages.expect(Answer::Ok);
        choose(keyMenu("51"), "learnFromFile");
        EXPECT_EQ(texts(), (QStringList{c.backupRefusal, c.codeRefusal}));
        for (const auto& shown : messages.shown())
            EXPECT_EQ(shown.style, model::MessageStyle::Boxed);
    }
    installTranslations(QLocale::c());
    EXPECT_EQ(folder.snapshot().memory, before);
}

TEST_F(MenusWindowTest, ABackupAtTheRemotesRealPaceLeavesTheWindowServingEvents) {
    createShown();
    folder.emu({"latency", "400"});
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(20);
    const QString file = scratch("slow.qtm418");
    dialogs.expectFile(file);
    messages.expect(Answer::Ok);
    QElapsedTimer took;
    took.start();
    choose(windowMenu(), "backup");
    clock.stop();
    EXPECT_EQ(texts(), QStringList{"遥控器的全部存储已备份到 " + file});
    ASSERT_GT(took.elapsed(), 200) << "the backup was too quick to tell";
    EXPECT_GT(ticks, took.elapsed() / 20 / 2) << "the window's events waited for the backup";
}

} // namespace
