// Whatever write of a menu operation fails, plainly or with the cable pulled at it, the window
// ends showing exactly what the remote holds (each key's picture and tip), keeps the keypad
// locked while the remote is away, and never reports plain success over a failed write.
#include "windowtest.h"

#include "app/keytexts.h"
#include "app/makerdialog.h"
#include "app/setstepdialog.h"
#include "codes/ownerslibrary.h"
#include "device/keylisting.h"
#include "device/memorybackup.h"
#include "device/openremote.h"
#include "irsignals.h"
#include "kestrio/layoutdump.h"
#include "model/backupfile.h"
#include "model/keytable.h"
#include "scratchlibrary.h"

#include <QLineEdit>

#include <fstream>

using platform::Answer;

namespace {

// TV/Up (key 04 holds a stored code of its own on the "learned" remote) and TV/Power.
const char* kTvFile =
    "Filetype: IR signals file\nVersion: 1\n#\n"
    "name: Up\ntype: parsed\nprotocol: Samsung32\naddress: 07 00 00 00\ncommand: 60 00 00 00\n#\n"
    "name: Power\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 08 00 00 00\n";

class WindowTruthTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        using testsupport::flipperFile, testsupport::necButton;
        library.write("TVs/Acme/Acme_A.ir",
                      flipperFile({necButton("Power", 0x20, 0x0A), necButton("Up", 0x20, 0x0B)}));
        library.write("TVs/Acme/Acme_B.ir",
                      flipperFile({necButton("Power", 0x20, 0x1A), necButton("Up", 0x20, 0x1B)}));
        // Two sets of one Power code that Mute tells apart.
        library.write("TVs/Zeta/Zeta_1.ir",
                      flipperFile({necButton("Power", 0x30, 0x01), necButton("Mute", 0x30, 0x02)}));
        library.write("TVs/Zeta/Zeta_2.ir",
                      flipperFile({necButton("Power", 0x30, 0x01), necButton("Mute", 0x30, 0x03)}));
        ASSERT_EQ(codes::addOwnersFolder(library.codes()).outcome, codes::FolderChange::Done);
        // Boxes that depend on where the fault strikes, the link monitor's among them, are
        // answered going ahead; what they said is checked below.
        messages.goAheadWhenUnscripted();
    }

    QString scratch(const QString& name, const std::string& text) {
        const QString path = fixedFiles.filePath(name);
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        return path;
    }

    // Every key's picture and (once read) tip are what the remote holds, as `qtm418ctl keys` reads it.
    ::testing::AssertionResult showsWhatTheRemoteHolds(bool tips = true) {
        const model::LayoutRead held = emu::dumpDevice(folder.snapshot()).layout;
        const auto reports = device::listKeys(held.layout, held.keyTable);
        for (IBtn* k : window->controls().keys) {
            const std::string code = k->Code().toStdString();
            const KeyPictures* set = &window->skin().normalKeyPictures;
            for (const auto look : model::keyLooks(held.keyTable, code))
                set = look == model::KeyLook::Learned ? &window->skin().learnedKeyPictures
                                                      : &window->skin().occupiedKeyPictures;
            const auto index = model::keyPictureIndex(code);
            // The same picture, whether drawn from the skin at start-up or since.
            if (index && k->Picture().toImage() != (*set)[static_cast<std::size_t>(*index)].toImage())
                return ::testing::AssertionFailure()
                       << "key " << code << " is drawn otherwise than it is held";
            for (const device::KeyReport& report : reports)
                if (tips && report.keyNumber == code && k->toolTip() != keytexts::keyTip(report))
                    return ::testing::AssertionFailure()
                           << "key " << code << "'s tip reads " << k->toolTip().toStdString() << ", not "
                           << keytexts::keyTip(report).toStdString();
        }
        return ::testing::AssertionSuccess();
    }

    bool keypadShown() const { return window->controls().ykqbox->isVisible(); }
    bool failurePending() { return folder.snapshot().settings.failures.count(emu::Operation::WriteData) > 0; }

    // What the operation said, without the link monitor's question.
    QString said() const {
        QStringList all;
        for (const auto& box : messages.shown())
            if (box.text != QStringLiteral("未检测到遥控器，请重新连接遥控器！"))
                all << box.text;
        return all.join(QLatin1Char('|'));
    }

    void chooseMaker(const QString& maker) {
        dialogs.expectDialog([maker](QDialog& d) {
            auto& makers = static_cast<MakerDialog&>(d);
            makers.chooseSide("tv");
            makers.searchBox()->setText(maker);
            return QDialog::Accepted;
        });
    }

    testsupport::ScratchLibrary library;
};

struct MenuOperation {
    const char* name;
    const char* profile;
    std::function<void(WindowTruthTest&)> run;
    // The operation puts the remote back as it was when it does not go through: a write that
    // failed and was made good by the put-back needs no word.
    bool putsBack = false;
};
void PrintTo(const MenuOperation& op, std::ostream* out) { *out << op.name; }

class EveryWrite : public WindowTruthTest, public ::testing::WithParamInterface<MenuOperation> {
public:
    void learnKeyFromFile() {
        dialogs.expectFile(scratch("up.ir", kTvFile));
        dialogs.expectDialog(chooseRow(0));
        choose(keyMenu("04"), "learnFromFile");
    }
    void deleteKey() { choose(keyMenu("04"), "deleteKey"); }
    void learnSide() {
        dialogs.expectFile(scratch("tv.ir", kTvFile));
        dialogs.expectDialog(chooseRow(0));
        dialogs.expectAccepted();
        choose(windowMenu(), "learnSide");
    }
    void restore() {
        dialogs.expectFile(backupFile);
        choose(windowMenu(), "restore");
    }
    void setUpByMaker(bool responds) {
        chooseMaker(QStringLiteral("acme"));
        if (responds) {
            dialogs.expectDialog([](QDialog&) { return static_cast<int>(SetStepDialog::NextSet); });
            dialogs.expectDialog([](QDialog&) { return static_cast<int>(SetStepDialog::Responded); });
            dialogs.expectAccepted();
        } else {
            for (int i = 0; i < 2; ++i)
                dialogs.expectDialog([](QDialog&) { return static_cast<int>(SetStepDialog::NextSet); });
        }
        choose(windowMenu(), "setUpByMaker");
    }
    // The TV responds to the Power code both Zeta sets send, and not to Zeta 1's Mute.
    void setUpByMakerWithAnotherKey() {
        chooseMaker(QStringLiteral("zeta"));
        dialogs.expectDialog([](QDialog&) { return static_cast<int>(SetStepDialog::Responded); });
        dialogs.expectDialog([](QDialog&) { return static_cast<int>(KeyStepDialog::NotResponded); });
        dialogs.expectAccepted();
        choose(windowMenu(), "setUpByMaker");
    }

    QString backupFile;
};

TEST_P(EveryWrite, FailedOrCutLeavesTheWindowShowingTheRemote) {
    const MenuOperation& op = GetParam();
    // A backup of the remote with learned keys, restored onto one fresh from the factory.
    folder.reset("learned");
    const auto taken = device::takeBackup(device::openRemote(false).remote, [](std::size_t, std::size_t) {});
    backupFile = scratch("learned.qtm418", model::formatBackup(*taken.backup));
    for (const bool unplug : {false, true}) {
        unsigned n = 0;
        for (; n < 200; ++n) {
            SCOPED_TRACE(std::string(op.name) + (unplug ? ": cable pulled at write " : ": write ") +
                         std::to_string(n + 1) + " fails");
            window.reset();
            folder.reset(op.profile);
            messages.clear();
            createShown();
            const emu::Memory before = folder.snapshot().memory;
            folder.failNext(emu::Operation::WriteData, 1, n, unplug);
            op.run(*this);
            dialogs.dropAnswers();
            const bool struck = !failurePending();
            if (unplug && struck) {
                EXPECT_TRUE(!keypadShown() || showsWhatTheRemoteHolds(false))
                    << "the keypad shows a remote that is away";
                folder.setAttached(true);
                EXPECT_TRUE(QTest::qWaitFor([this] { return keypadShown(); }, 5000))
                    << "not read again once back";
            }
            EXPECT_TRUE(QTest::qWaitFor([this] { return bool(showsWhatTheRemoteHolds()); }, 3000))
                << showsWhatTheRemoteHolds().message() << "; said: " << said().toStdString();
            if (!struck)
                break;
            const bool madeGood = op.putsBack && folder.snapshot().memory == before;
            EXPECT_TRUE(madeGood || said().contains(QStringLiteral("失败")) ||
                        said().contains(QStringLiteral("断开")) || said().contains(QStringLiteral("无法")))
                << "a failed write went unsaid: " << said().toStdString();
        }
        EXPECT_GT(n, 0u) << "the operation wrote nothing";
        EXPECT_LT(n, 200u) << "the operation never got past its failures";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menus, EveryWrite,
    ::testing::Values(
        MenuOperation{"LearnOneKey", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).learnKeyFromFile(); }},
        MenuOperation{"DeleteOneKey", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).deleteKey(); }},
        MenuOperation{"LearnASide", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).learnSide(); }},
        MenuOperation{"Restore", "factory",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).restore(); }},
        MenuOperation{"SetUpByMakerAnsweredYes", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).setUpByMaker(true); }},
        MenuOperation{"SetUpByMakerAnsweredNo", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).setUpByMaker(false); }, true},
        MenuOperation{"SetUpByMakerAskedAnotherKey", "learned",
                      [](WindowTruthTest& t) { static_cast<EveryWrite&>(t).setUpByMakerWithAnotherKey(); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The write that frees a re-learned or deleted key's old room fails: the key is as asked, and the
// message says so and that the room is not free yet.
TEST_F(WindowTruthTest, AnOldCodesRoomLeftInUseIsSaidBesideTheSuccess) {
    const struct {
        const char* name;
        std::function<void()> run;
        const char* success;
    } cases[] = {
        {"learned from a file",
         [this] {
             dialogs.expectFile(scratch("up.ir", kTvFile));
             dialogs.expectDialog(chooseRow(0));
             choose(keyMenu("04"), "learnFromFile");
         },
         "已接收到遥控器编码！"},
        {"learned by a click in learning mode",
         [this] {
             ASSERT_EQ(folder.emu(testsupport::sendArguments(testsupport::necTimings(0x21, 0x43))), 0);
             window->toggleLearning();
             click(key("04"));
             ASSERT_TRUE(QTest::qWaitFor([this] { return window->state().captureThread.isNull(); }, 10000));
         },
         "已接收到遥控器编码！"},
        {"deleted", [this] { choose(keyMenu("04"), "deleteKey"); }, "删除操作成功！"},
    };
    const QString note = QStringLiteral("\n但释放原编码所占的空间时写入遥控器失败（地址 ");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool seen = false;
        // The freeing is the last write: fail each in turn until it is the one that fails.
        for (unsigned n = 0; n < 8 && !seen; ++n) {
            window.reset();
            folder.reset("learned");
            messages.clear();
            createShown();
            folder.failNext(emu::Operation::WriteData, 1, n);
            c.run();
            seen = said().contains(QString::fromUtf8(c.success) + note);
        }
        ASSERT_TRUE(seen) << said().toStdString();
        std::string check;
        folder.emu({"check"}, &check);
        EXPECT_NE(check.find("no slot refers to it"), std::string::npos) << check;
        EXPECT_TRUE(QTest::qWaitFor([this] { return bool(showsWhatTheRemoteHolds()); }, 3000))
            << showsWhatTheRemoteHolds().message();
    }
}

} // namespace
