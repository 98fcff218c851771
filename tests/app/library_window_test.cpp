// Setting a side up by maker in the window, against the virtual remote and a library written by
// the test: the step for each set, sets of one Power code told apart by one more key, the side
// learned from the set taken, the remote put back exactly when none is taken or the window closes
// meanwhile, whichever write fails; and the library's folders added and removed.
#include "windowtest.h"

#include "app/librarydialog.h"
#include "app/makerdialog.h"
#include "app/setstepdialog.h"
#include "codes/ownerslibrary.h"
#include "device/keylisting.h"
#include "device/layoutio.h"
#include "device/signallearning.h"
#include "kestrio/layoutdump.h"
#include "scratchlibrary.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

using platform::Answer;

namespace {

std::vector<int> pulseDistance(int mark, int space, unsigned value) {
    std::vector<int> timings{3400, 1700};
    for (int i = 0; i < 20; ++i)
        timings.insert(timings.end(), {mark, (value >> i) & 1 ? 3 * space : space});
    timings.push_back(mark);
    return timings;
}

class LibraryWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        using testsupport::flipperFile, testsupport::necButton, testsupport::rawButton;
        library.write("TVs/Acme/Acme_A.ir", flipperFile({rawButton("Power", pulseDistance(420, 430, 0x2A5C3)),
                                                         necButton("Mute", 0x20, 0x0D)}));
        library.write("TVs/Acme/Acme_B.ir",
                      flipperFile({necButton("Power", 0x20, 0x0A), necButton("Mute", 0x20, 0x0B)}));
        library.write("TVs/Acme/Acme_B2.ir",
                      flipperFile({necButton("Power", 0x20, 0x0A), necButton("Mute", 0x20, 0x0C),
                                   necButton("Vol_up", 0x20, 0x0E)}));
        ASSERT_EQ(codes::addOwnersFolder(library.codes()).outcome, codes::FolderChange::Done);
        // The TV's Power key holds a code of its own in the code area before any search.
        model::LayoutRead read = device::readDeviceLayout();
        ir::Signal own{38000, pulseDistance(500, 500, 0x2D)};
        ASSERT_EQ(device::learnSignal(read.layout, read.keyTable, "00", own,
                                      fixedFiles.filePath("d.txt").toStdString(), [] { return true; })
                      .outcome,
                  device::LearnOutcome::Written);
    }

    // The maker dialog answered with Acme's TVs, found by typing part of the name.
    void chooseAcme() {
        dialogs.expectDialog([](QDialog& d) {
            auto& makers = static_cast<MakerDialog&>(d);
            makers.chooseSide("tv");
            makers.searchBox()->setText(QStringLiteral("acm"));
            EXPECT_EQ(makers.list()->count(), 1);
            EXPECT_EQ(makers.list()->item(0)->text(), QStringLiteral("Acme（3 组）"));
            return QDialog::Accepted;
        });
    }
    void answerStep(int answer, const QString& expectedStep = {}) {
        dialogs.expectDialog([answer, expectedStep](QDialog& d) {
            if (!expectedStep.isEmpty()) {
                EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("stepLabel"))->text(), expectedStep);
            }
            return answer;
        });
    }
    std::string stateOnDevice(const std::string& number) {
        for (const auto& entry : emu::dumpDevice(folder.snapshot()).layout.keyTable)
            if (entry.rfind(number + "|", 0) == 0)
                return entry.substr(3, 1);
        return {};
    }
    bool showsTheRemote() {
        std::vector<std::string> shown, held;
        for (const auto& e : window->keyTable())
            shown.push_back(e.substr(0, 4));
        for (const auto& e : device::readDeviceLayout().keyTable)
            held.push_back(e.substr(0, 4));
        return shown == held;
    }
    // The command key `number` sends on the remote as it is now; -1 for none or a raw code.
    int commandOnDevice(const std::string& number) {
        for (const auto& key : device::listKeys(emu::dumpDevice(folder.snapshot()).layout))
            if (key.keyNumber == number)
                if (const auto sends = device::protocolSends(key))
                    return static_cast<int>(sends->key.command);
        return -1;
    }
    QString lastMessage() const {
        return messages.shown().empty() ? QString() : messages.shown().back().text;
    }

    testsupport::ScratchLibrary library;
};

TEST_F(LibraryWindowTest, TheSetTheTvRespondsToGivesTheSide) {
    createShown();
    window->openWindowMenu(QPoint(0, 0));
    auto* menu = window->findChild<QMenu*>(QStringLiteral("windowMenu"));
    ASSERT_NE(menu, nullptr);
    for (const char* item : {"setUpByMaker", "library"})
        EXPECT_TRUE(menu->findChild<QAction*>(QString::fromLatin1(item))->isEnabled()) << item;
    menu->close();

    chooseAcme();
    answerStep(SetStepDialog::NextSet, QStringLiteral("第 1 组，共 3 组"));
    answerStep(SetStepDialog::Responded, QStringLiteral("第 2 组，共 3 组"));
    dialogs.expectAccepted(); // the matching, shown before any key is learned
    messages.expect(Answer::Ok);
    window->setUpByMaker();
    EXPECT_TRUE(
        lastMessage().startsWith(QStringLiteral("已从代码组“Acme B2（Acme_B2.ir）”学习了 3 个按键：")))
        << lastMessage().toStdString();
    EXPECT_EQ(stateOnDevice("06"), "2");
    EXPECT_TRUE(showsTheRemote());
    EXPECT_EQ(folder.emu({"check"}), 0);
}

TEST_F(LibraryWindowTest, NoSetTakenOrTheWindowClosedPutsTheRemoteBack) {
    const emu::Memory before = folder.snapshot().memory;
    const struct {
        const char* name;
        std::vector<int> answers; // -1: the window is closed while the step is shown
        const char* says;
    } cases[] = {
        {"all tried",
         {SetStepDialog::NextSet, SetStepDialog::NextSet, SetStepDialog::NextSet},
         "已试完全部 3 组代码。"},
        {"stopped", {SetStepDialog::NextSet, SetStepDialog::Stop}, "已停止。"},
        {"closed", {-1}, "已停止。"},
    };
    for (const auto& c : cases) {
        createShown();
        messages.clear();
        chooseAcme();
        for (const int answer : c.answers)
            dialogs.expectDialog([this, answer](QDialog&) {
                if (answer >= 0)
                    return answer;
                window->close();
                return static_cast<int>(SetStepDialog::NextSet);
            });
        messages.expect(Answer::Ok);
        window->setUpByMaker();
        EXPECT_EQ(lastMessage(),
                  QString::fromUtf8(c.says) + QStringLiteral("\nPOWER/TV键已恢复为搜索前的状态。"))
            << c.name;
        EXPECT_TRUE(folder.snapshot().memory == before) << c.name;
        EXPECT_TRUE(showsTheRemote()) << c.name;
        QCoreApplication::processEvents();
        EXPECT_EQ(window->isVisible(), std::string(c.name) != "closed") << c.name;
        window.reset();
    }
}

// The cable pulled while the owner is at a set ends the search as 停止 does; once the remote is
// back the Power key is put back.
TEST_F(LibraryWindowTest, LosingTheRemoteDuringASearchStopsIt) {
    const emu::Memory before = folder.snapshot().memory;
    createShown();
    chooseAcme();
    messages.expect(Answer::Retry, [this] { folder.setAttached(true); });
    dialogs.expectDialog([this](QDialog&) {
        folder.setAttached(false);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->controls().ykqbox->isVisible(); }, 3000));
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->controls().ykqbox->isVisible(); }, 3000));
        return static_cast<int>(SetStepDialog::NextSet);
    });
    messages.expect(Answer::Ok);
    window->setUpByMaker();
    EXPECT_EQ(lastMessage(), QStringLiteral("已停止。\nPOWER/TV键已恢复为搜索前的状态。"));
    EXPECT_TRUE(folder.snapshot().memory == before);
    EXPECT_TRUE(showsTheRemote());
}

// A write that fails anywhere in a search answered "no" to every set: the remote ends as it was
// (the put-back is tried once more), sound, and the window shows it.
TEST_F(LibraryWindowTest, AFailedWriteAnywhereEndsWithTheRemoteAsItWas) {
    const emu::Memory before = folder.snapshot().memory;
    unsigned points = 0;
    for (unsigned skip = 0; skip < 60; ++skip, ++points) {
        SCOPED_TRACE("write " + std::to_string(skip + 1) + " fails");
        createShown();
        messages.clear();
        folder.failNext(emu::Operation::WriteData, 1, skip);
        chooseAcme();
        for (int i = 0; i < 3; ++i)
            answerStep(SetStepDialog::NextSet);
        messages.expect(Answer::Ok);
        window->setUpByMaker();
        dialogs.dropAnswers();
        EXPECT_TRUE(folder.snapshot().memory == before) << lastMessage().toStdString();
        EXPECT_TRUE(showsTheRemote());
        window.reset();
        std::string status;
        folder.emu({"status"}, &status);
        if (status.find("failures: writedatav20") != std::string::npos)
            break;
    }
    EXPECT_GE(points, 6u);
}

TEST_F(LibraryWindowTest, TheLibrarysFoldersAreListedAddedAndRemoved) {
    const auto more = library.codes().parent_path() / "more";
    std::filesystem::create_directories(more / "TVs" / "Zeta");
    std::ofstream(more / "TVs" / "Zeta" / "Zeta_1.ir")
        << testsupport::flipperFile({testsupport::necButton("Power", 1, 2)});
    LibraryDialog dialog;
    ASSERT_EQ(dialog.list()->count(), 1);
    EXPECT_TRUE(dialog.list()->item(0)->text().endsWith(QStringLiteral(" — 3 组代码")));
    dialogs.expectFile(QString::fromStdString(more.string()));
    dialog.addFolder();
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.summary()->text(), QStringLiteral("共 4 组代码，其中编码互不相同的有 4 组。"));
    messages.expect(Answer::Ok);
    dialogs.expectFile(QString::fromStdString(more.string()));
    dialog.addFolder();
    EXPECT_TRUE(lastMessage().endsWith(QStringLiteral("已经在代码库中。")));
    dialog.list()->setCurrentRow(0);
    dialog.removeFolder();
    dialog.list()->setCurrentRow(0);
    dialog.removeFolder();
    EXPECT_EQ(dialog.list()->count(), 0);
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("libraryIntro"))
                    ->text()
                    .startsWith(QStringLiteral("代码库中还没有代码文件。")));
}

// B and B2 send one Power code: once the TV responds to it, Mute holds B's Mute and the owner is
// asked about it; the answer tells which set the side is learned from.
TEST_F(LibraryWindowTest, AnotherKeyTellsSetsOfOnePowerCodeApart) {
    const struct {
        int answer;
        const char* taken;
        int mute;
    } cases[] = {
        {KeyStepDialog::Responded, "已从代码组“Acme B（Acme_B.ir）”学习了 2 个按键：", 0x0B},
        {KeyStepDialog::NotResponded, "已从代码组“Acme B2（Acme_B2.ir）”学习了 3 个按键：", 0x0C},
        {KeyStepDialog::Enough, "已从代码组“Acme B（Acme_B.ir）”学习了 2 个按键：", 0x0B},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.taken);
        createShown();
        messages.clear();
        chooseAcme();
        answerStep(SetStepDialog::Responded, QStringLiteral("第 1 组，共 3 组"));
        dialogs.expectDialog([this, &c](QDialog& d) {
            EXPECT_EQ(d.objectName(), QStringLiteral("keyStepDialog"));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("questionLabel"))->text(),
                      QStringLiteral("请按一下静音键。电视有反应吗？"));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("stepLabel"))->text(),
                      QStringLiteral("有 2 组代码发送这个电源编码，再试一个键来区分它们。"));
            EXPECT_EQ(d.findChild<QLabel*>(QStringLiteral("setLabel"))->text(),
                      QStringLiteral("Acme B（Acme_B.ir）"));
            EXPECT_EQ(commandOnDevice("02"), 0x0B); // the key holds what it is asked about
            return c.answer;
        });
        dialogs.expectAccepted();
        messages.expect(Answer::Ok);
        window->setUpByMaker();
        EXPECT_TRUE(lastMessage().startsWith(QString::fromUtf8(c.taken))) << lastMessage().toStdString();
        EXPECT_EQ(commandOnDevice("02"), c.mute);
        EXPECT_TRUE(showsTheRemote());
        EXPECT_EQ(folder.emu({"check"}), 0);
        window.reset();
    }
}

// The matching declined after Mute told the sets apart: the keys tried hold the set taken's codes,
// and the message names them.
TEST_F(LibraryWindowTest, DecliningTheMatchingLeavesTheKeysTriedWithTheSetTaken) {
    folder.reset("factory"); // no learned key before the search
    createShown();
    ASSERT_FALSE(window->controls().delstudykey->isEnabled());
    chooseAcme();
    answerStep(SetStepDialog::Responded);
    dialogs.expectDialog([](QDialog&) { return static_cast<int>(KeyStepDialog::NotResponded); });
    dialogs.expectDialog([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    messages.expect(Answer::Ok);
    window->setUpByMaker();
    EXPECT_EQ(lastMessage(),
              QStringLiteral("只有按键 POWER/TV、TV/静音 学习了代码组“Acme B2（Acme_B2.ir）”的编码。"));
    EXPECT_EQ(commandOnDevice("00"), 0x0A);
    EXPECT_EQ(commandOnDevice("02"), 0x0C); // B2's Mute, not B's that the TV did not respond to
    EXPECT_TRUE(showsTheRemote());
    EXPECT_TRUE(window->controls().delstudykey->isEnabled()); // learned keys can be deleted
    EXPECT_TRUE(window->controls().delallstudykey->isEnabled());
}

// The window closed while the owner is asked about Mute, whichever write fails before or after:
// no set is taken, and the Power key and Mute are put back exactly.
TEST_F(LibraryWindowTest, ClosingAtTheSecondKeyPutsBothKeysBack) {
    const emu::Memory before = folder.snapshot().memory;
    const auto closeAtTheSecondKey = [this] {
        createShown();
        messages.clear();
        chooseAcme();
        answerStep(SetStepDialog::Responded);
        dialogs.expectDialog([this](QDialog&) {
            window->close();
            return static_cast<int>(KeyStepDialog::Responded);
        });
        messages.expect(Answer::Ok);
        window->setUpByMaker();
    };
    // Without a failure the message names both keys.
    closeAtTheSecondKey();
    EXPECT_EQ(lastMessage(), QStringLiteral("已停止。\n按键 POWER/TV、TV/静音 已恢复为搜索前的状态。"));
    EXPECT_TRUE(folder.snapshot().memory == before);
    window.reset();
    unsigned points = 0;
    for (unsigned skip = 0; skip < 60; ++skip, ++points) {
        SCOPED_TRACE("write " + std::to_string(skip + 1) + " fails");
        folder.failNext(emu::Operation::WriteData, 1, skip);
        closeAtTheSecondKey();
        dialogs.dropAnswers();
        EXPECT_TRUE(folder.snapshot().memory == before) << lastMessage().toStdString();
        EXPECT_TRUE(lastMessage().contains(QStringLiteral("已恢复为搜索前的状态。")))
            << lastMessage().toStdString();
        window.reset();
        std::string status;
        folder.emu({"status"}, &status);
        if (status.find("failures: writedatav20") != std::string::npos)
            break;
    }
    EXPECT_GE(points, 6u);
}

} // namespace
