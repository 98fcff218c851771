#include "device/identification.h"
#include "environment.h"
#include "kestrio/firmware.h"
#include "libraryimages.h"
#include "windowtest.h"

#include "bridge/bridge.h"

#include <QTest>

using platform::Answer;
using platform::Buttons;
using platform::MessageStyle;

namespace {

const QString kNoRemote = QStringLiteral("未检测到遥控器，请检查USB连接线");

QString withSite(const char* before, const char* after) {
    return QString::fromUtf8(before) + QString::fromLatin1(model::kMakerWebSite) + QString::fromUtf8(after);
}

} // namespace

TEST_F(WindowTest, AFactoryRemoteIsNamedOnTheWindowWithoutAnyMessage) {
    Tmaincodelearn& w = create();
    EXPECT_FALSE(w.state().startupRefused);
    EXPECT_EQ(label("lab_ykqtype"), "QTM-418");
    EXPECT_EQ(label("lab_gjbb"), " 2.0");
    EXPECT_EQ(w.state().deviceIdentity, emu::identityText(folder.snapshot()));
    EXPECT_TRUE(messages.shown().empty());

    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("lab_usbstate"))->toolTip(), "配置的是虚拟遥控器");

    w.show();
    EXPECT_EQ(label("lab_softver"), "V 2.2");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "QTM-418");
}

TEST_F(WindowTest, CancelWhileWaitingForTheRemoteEndsStartUp) {
    folder.setAttached(false);
    messages.expect(Answer::Cancel);
    Tmaincodelearn& w = create();
    const auto box = onlyMessage();
    EXPECT_EQ(box.text, kNoRemote);
    EXPECT_EQ(box.caption, "提示");
    EXPECT_EQ(box.buttons, Buttons::RetryCancel);
    EXPECT_TRUE(w.state().startupRefused);
    EXPECT_TRUE(w.state().deviceIdentity.empty());
    EXPECT_EQ(label("lab_gjbb"), "");

    w.show();
    QTRY_VERIFY(!w.isVisible());
}

// The maker's converter without the maker's device library: never mixed with ours, never passed
// over for the virtual remote. The file and the reason come first, then the wait for a remote.
TEST_F(WindowTest, MakersFilesThatCannotServeAreNamedAndNoRemoteIsAttached) {
    const std::filesystem::path maker = std::filesystem::path(fixedFiles.path().toStdString()) / "maker";
    std::filesystem::create_directories(maker);
    testsupport::writeBytes(maker / "ConLCode.dll", testsupport::imageHead(testsupport::kMachineX86));
    struct ChooseAgainAfter {
        ~ChooseAgainAfter() { bridge::chooseAgain(); }
    } again;
    const testsupport::ScopedEnvironment named("QTM418_MAKER_DIR", maker);
    bridge::chooseAgain();
    messages.expect(Answer::Ok);
    messages.expect(Answer::Cancel);
    Tmaincodelearn& w = create();
    ASSERT_EQ(messages.shown().size(), 2u);
    const auto& problem = messages.shown()[0];
    EXPECT_EQ(problem.style, MessageStyle::Boxed);
    EXPECT_EQ(problem.buttons, Buttons::Ok);
    EXPECT_TRUE(problem.text.startsWith("厂家的设备库 ")) << problem.text.toStdString();
    EXPECT_TRUE(
        problem.text.endsWith("kestrio.dll 不存在：厂家的 kestrio.dll 和 ConLCode.dll 必须一起使用。"))
        << problem.text.toStdString();
    EXPECT_EQ(messages.shown()[1].text, kNoRemote);
    EXPECT_TRUE(w.state().startupRefused);
    EXPECT_TRUE(
        w.findChild<QLabel*>(QStringLiteral("lab_usbstate"))->toolTip().startsWith("通过厂家的设备库"));
}

TEST_F(WindowTest, RetryAfterPluggingTheRemoteInGoesOn) {
    folder.setAttached(false);
    messages.expect(Answer::Retry); // still unplugged: asked again
    messages.expect(Answer::Retry, [this] { folder.setAttached(true); });
    Tmaincodelearn& w = create();
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_FALSE(w.state().startupRefused);
    EXPECT_EQ(label("lab_ykqtype"), "QTM-418");
}

TEST_F(WindowTest, EachUnsupportedRemoteIsRefusedWithItsOwnPlainMessage) {
    struct Case {
        const char* profile;
        QString message;
    };
    const Case cases[] = {
        {"old-firmware", withSite("遥控器固件程序版本比较低，请到", "网站下载最新的固件程序版本！")},
        {"model-lowercase", withSite("自学习软件不支持改遥控器，请到", "网站下载最新的该款自学习软件！")},
        {"version-02-00", withSite("自学习软件版本比较低，请到", "下载最新的该款自学习软件！")},
        {"version-00-03", withSite("遥控器固件程序版本比较低，请到", "下载最新的固件程序版本！")},
        {"version-01-04", withSite("自学习软件版本比较低，请到", "下载最新的该款自学习软件！")},
        {"version-01-02", withSite("遥控器固件版本比较低，请到", "下载最新的固件程序版本！")},
        {"version-text", withSite("自学习软件不支持改遥控器，请到", "网站下载最新的该款自学习软件！")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        folder.reset(c.profile);
        testsupport::ScriptedMessages boxes;
        boxes.expect(Answer::Ok);
        Tmaincodelearn w;
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].style, MessageStyle::Plain);
        EXPECT_EQ(boxes.shown()[0].caption, "QTM-418");
        EXPECT_EQ(boxes.shown()[0].buttons, Buttons::Ok);
        EXPECT_EQ(boxes.shown()[0].text, c.message);
        EXPECT_TRUE(w.state().startupRefused);
        EXPECT_EQ(w.findChild<QLabel*>("lab_ykqtype")->text(), " ");
        w.show();
        QTRY_VERIFY(!w.isVisible());
    }
    platform::setMessageBoxes(&messages);
}

TEST_F(WindowTest, UnreadableVersionDigitsAreReportedAndTheWindowOpensEmpty) {
    folder.reset("bad-version-digits");
    messages.expect(Answer::Ok);
    Tmaincodelearn& w = create();
    const auto box = onlyMessage();
    EXPECT_EQ(box.style, MessageStyle::Boxed);
    EXPECT_EQ(box.caption, "提示");
    EXPECT_TRUE(box.text.contains("O103"));
    EXPECT_FALSE(w.state().startupRefused);
    EXPECT_EQ(label("lab_gjbb"), " 2.0");
    EXPECT_EQ(label("lab_ykqtype"), " ");
    EXPECT_FALSE(w.state().deviceIdentity.empty());
}

TEST_F(WindowTest, AFailedIdentificationReadIsBoxedAndTheWindowStillOpens) {
    folder.failNext(emu::Operation::ReadData);
    messages.expect(Answer::Ok);
    Tmaincodelearn& w = create();
    const auto box = onlyMessage();
    EXPECT_EQ(box.text, kNoRemote);
    EXPECT_EQ(box.style, MessageStyle::Boxed);
    EXPECT_EQ(box.buttons, Buttons::Ok);
    EXPECT_FALSE(w.state().startupRefused);
    EXPECT_TRUE(w.state().deviceIdentity.empty());
    w.show();
    EXPECT_TRUE(w.isVisible());
}
