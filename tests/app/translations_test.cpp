// The window's texts in the desktop's language: exactly the Chinese it is written in on a C
// desktop, English on an English one, installed as the program installs them at start.
#include "windowtest.h"

#include "app/devicetexts.h"
#include "app/keytexts.h"
#include "app/translations.h"
#include "identitymessages.h"
#include "model/devicemessages.h"
#include "model/keynames.h"
#include "model/keypadlayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

using platform::Answer;

namespace {

// A sample of what the user reads: the window's title, two buttons' tooltips, a boxed message
// with its caption, and the link label the monitor fills in.
struct Seen {
    QString title;
    QString helpTip;
    QString updateTip;
    QString message;
    QString caption;
    QString linkLabel;
};

class TranslationsTest : public WindowTest {
protected:
    void TearDown() override {
        installTranslations(QLocale::c());
        WindowTest::TearDown();
    }

    Seen seen() {
        createShown();
        shell.outcome = platform::OpenOutcome::Missing;
        messages.expect(Answer::Ok);
        click(window->controls().helpibtn);
        const testsupport::ShownMessage box = onlyMessage();
        const QLabel* link = window->controls().lab_usbstate;
        EXPECT_TRUE(QTest::qWaitFor([link] { return !link->text().isEmpty(); }));
        return {window->windowTitle(),
                window->controls().helpibtn->toolTip(),
                window->controls().updateibtn->toolTip(),
                box.text,
                box.caption,
                link->text()};
    }
};

void expectSeen(const Seen& seen, const Seen& expected) {
    EXPECT_EQ(seen.title, expected.title);
    EXPECT_EQ(seen.helpTip, expected.helpTip);
    EXPECT_EQ(seen.updateTip, expected.updateTip);
    EXPECT_EQ(seen.message, expected.message);
    EXPECT_EQ(seen.caption, expected.caption);
    EXPECT_EQ(seen.linkLabel, expected.linkLabel);
}

TEST_F(TranslationsTest, ACDesktopSeesTheChineseTexts) {
    installTranslations(QLocale::c());
    expectSeen(seen(), {"自学习", "帮助", "升级软件", "找不到帮助文件！", "提示", " 遥控器连接正常"});
}

TEST_F(TranslationsTest, AnEnglishDesktopSeesEnglish) {
    installTranslations(QLocale(QLocale::English, QLocale::UnitedStates));
    expectSeen(seen(), {"Self-learning", "Help", "Update software", "The help file was not found.", "Notice",
                        " Remote connected"});
}

TEST_F(TranslationsTest, AnotherLanguageSeesTheChineseTexts) {
    installTranslations(QLocale(QLocale::German, QLocale::Germany));
    expectSeen(seen(), {"自学习", "帮助", "升级软件", "找不到帮助文件！", "提示", " 遥控器连接正常"});
}

// The boxed message as the toolkit draws it: its caption and its buttons, read while it is open.
QStringList shownBox(platform::Buttons buttons) {
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen << box->windowTitle();
        for (QAbstractButton* button : box->buttons())
            seen << button->text();
        box->buttons().front()->click();
    });
    platform::showMessage(nullptr, platform::MessageStyle::Boxed, buttons, QStringLiteral("…"));
    seen.sort();
    return seen;
}

TEST(MessageBoxTexts, CaptionAndButtonsSpeakTheDesktopsLanguage) {
    using platform::Buttons;
    const struct {
        QLocale locale;
        Buttons buttons;
        QStringList seen; // sorted
    } cases[] = {
        {QLocale::c(), Buttons::Ok, {"提示", "确定"}},
        {QLocale::c(), Buttons::YesNo, {"否(&N)", "提示", "是(&Y)"}},
        {QLocale::c(), Buttons::RetryCancel, {"取消", "提示", "重试(&R)"}},
        {QLocale(QLocale::English, QLocale::UnitedStates), Buttons::Ok, {"Notice", "OK"}},
        {QLocale(QLocale::English, QLocale::UnitedStates), Buttons::YesNo, {"&No", "&Yes", "Notice"}},
        {QLocale(QLocale::English, QLocale::UnitedStates), Buttons::OkCancel, {"Cancel", "Notice", "OK"}},
    };
    for (const auto& c : cases) {
        installTranslations(c.locale);
        EXPECT_EQ(shownBox(c.buttons), c.seen) << c.locale.name().toStdString();
    }
    installTranslations(QLocale::c());
}

// The remote's checks word their notices without the toolkit; each is found by its Chinese, with
// the web site or the firmware's characters carried over, and a text not among them stays.
TEST_F(TranslationsTest, DeviceNoticesAreFoundByTheirChinese) {
    using namespace testsupport;
    // An identification block whose version characters "O103" are no hex number.
    std::string unreadableVersion = "51544D343138A1B2C3D4E5F6A7B8C9" + std::string(34, '0') + "O10300100R";
    unreadableVersion.resize(1024, '0');
    const QString site = QString::fromStdString(kSite);
    const std::string elsewhere = "遥控器固件程序版本比较低，请到别处网站下载最新的固件程序版本！";
    const std::pair<std::string, QString> cases[] = {
        {model::kNoRemoteMessage, "Remote not found — check the USB cable"},
        {kUnsupported,
         "This program does not support this remote. Download the latest version of the program from the " +
             site + " website."},
        {kSoftwareOld,
         "This program is too old for this remote. Download the latest version of the program from " + site +
             "."},
        {kOldFirmwareModel,
         "The remote's firmware is too old. Download the latest firmware from the " + site + " website."},
        {kFirmwareOldMajor,
         "The remote's firmware is too old. Download the latest firmware from " + site + "."},
        {kFirmwareOldMinor,
         "The remote's firmware is too old. Download the latest firmware from " + site + "."},
        {model::checkBasicInformation(unreadableVersion).notice.value().text,
         "The remote's version number (O103) is not recognised. Unplug the USB cable, plug it in again and "
         "restart the program."},
        {elsewhere, QString::fromStdString(elsewhere)},
    };
    installTranslations(QLocale(QLocale::English, QLocale::UnitedKingdom));
    for (const auto& [chinese, english] : cases)
        EXPECT_EQ(devicetexts::translated(chinese), english) << chinese;
    installTranslations(QLocale::c());
    for (const auto& [chinese, english] : cases)
        EXPECT_EQ(devicetexts::translated(chinese), QString::fromStdString(chinese));
}

// Messages name a key by its button's name; in English every name with Chinese words in it reads
// as the key's English label does.
TEST_F(TranslationsTest, KeyNamesWithChineseWordsReadAsTheirLabelsInEnglish) {
    const auto hasChinese = [](const QString& text) {
        return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
    };
    int chineseNames = 0;
    for (const auto& row : model::kKeyButtons) {
        const QString path = QString::fromUtf8(row.path.data(), static_cast<qsizetype>(row.path.size()));
        installTranslations(QLocale::c());
        EXPECT_EQ(keytexts::pathText(path), path);
        if (!hasChinese(path))
            continue;
        ++chineseNames;
        installTranslations(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(keytexts::pathText(path), QString::fromStdString(model::keyLabel(row.code))) << row.code;
    }
    EXPECT_EQ(chineseNames, 22);
}

} // namespace
