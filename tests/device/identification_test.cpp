#include "device/identification.h"
#include "devicefolder.h"

#include <gtest/gtest.h>

using namespace device;

namespace {

const std::string kSite = kMakerWebSite;
const std::string kUnsupported = "自学习软件不支持改遥控器，请到" + kSite + "网站下载最新的该款自学习软件！";
const std::string kOldFirmwareModel = "遥控器固件程序版本比较低，请到" + kSite + "网站下载最新的固件程序版本！";
const std::string kSoftwareOld = "自学习软件版本比较低，请到" + kSite + "下载最新的该款自学习软件！";
const std::string kFirmwareOldMajor = "遥控器固件程序版本比较低，请到" + kSite + "下载最新的固件程序版本！";
const std::string kFirmwareOldMinor = "遥控器固件版本比较低，请到" + kSite + "下载最新的固件程序版本！";

// A basic-information answer as the firmware gives it: 30 identity characters, the two version
// bytes at characters 65-68, the model at 71-74, zeros to the end of the 1024-byte buffer.
std::string basicInfo(const std::string& version, const std::string& model) {
    std::string text = "51544D343138A1B2C3D4E5F6A7B8C9";
    text += std::string(34, '0');
    text += version + "00" + model;
    text += std::string(22, '0');
    text.resize(1024, '\0');
    return text;
}

} // namespace

TEST(VersionText, OnlyTheFirstFourCharactersCount) {
    EXPECT_FALSE(checkVersionText("1020"));
    EXPECT_FALSE(checkVersionText("1020anything at all"));
    EXPECT_FALSE(checkVersionText(std::string("1020") + std::string(246, '\0')));
    for (const char* bad : {"", "102", " 1020", "1019 QTM", "0120"}) {
        const auto notice = checkVersionText(bad);
        ASSERT_TRUE(notice) << bad;
        EXPECT_EQ(notice->style, MessageStyle::Plain);
        EXPECT_EQ(notice->text, kUnsupported);
    }
}

TEST(BasicInformation, AcceptsExactlyModel100RVersion1Point3) {
    const Identification id = checkBasicInformation(basicInfo("0103", "100R"));
    EXPECT_EQ(id.outcome, IdentifyOutcome::Accepted);
    EXPECT_EQ(id.identity, "51544D343138A1B2C3D4E5F6A7B8C9");
    EXPECT_TRUE(id.showFirmwareVersion);
    EXPECT_FALSE(id.notice);
}

TEST(BasicInformation, TheSixTestsRefuseInTheirOrder) {
    struct Case {
        const char* version;
        const char* model;
        std::string message;
    };
    const Case cases[] = {
        {"0103", "8888", kOldFirmwareModel},  // old firmware, whatever the version
        {"0500", "8888", kOldFirmwareModel},
        {"0103", "100r", kUnsupported},       // the model comparison minds letter case
        {"0103", "200R", kUnsupported},
        {"0200", "100R", kSoftwareOld},       // major above 1 wins over minor below 3
        {"0003", "100R", kFirmwareOldMajor},
        {"0104", "100R", kSoftwareOld},
        {"0102", "100R", kFirmwareOldMinor},
        {"0A03", "100R", kSoftwareOld},       // the bytes are hex: 0A is ten
    };
    for (const Case& c : cases) {
        const Identification id = checkBasicInformation(basicInfo(c.version, c.model));
        EXPECT_EQ(id.outcome, IdentifyOutcome::Refused) << c.version << ' ' << c.model;
        ASSERT_TRUE(id.notice);
        EXPECT_EQ(id.notice->style, MessageStyle::Plain);
        EXPECT_EQ(id.notice->text, c.message) << c.version << ' ' << c.model;
        EXPECT_EQ(id.identity.size(), 30u);
        EXPECT_TRUE(id.showFirmwareVersion);
    }
}

TEST(BasicInformation, AFailedReadIsReportedBoxedAndRefusesNothing) {
    for (const std::string& text : {std::string(), std::string(67, '0')}) {
        const Identification id = checkBasicInformation(text);
        EXPECT_EQ(id.outcome, IdentifyOutcome::NoBasicInformation);
        ASSERT_TRUE(id.notice);
        EXPECT_EQ(id.notice->style, MessageStyle::Boxed);
        EXPECT_EQ(id.notice->text, "未检测到遥控器，请检查USB连接线");
        EXPECT_TRUE(id.identity.empty());
        EXPECT_FALSE(id.showFirmwareVersion);
    }
}

TEST(BasicInformation, VersionDigitsThatAreNotHexAreReportedNotCrashedOn) {
    for (const char* version : {"O103", "01G3", "01 3"}) {
        const Identification id = checkBasicInformation(basicInfo(version, "8888"));
        EXPECT_EQ(id.outcome, IdentifyOutcome::UnreadableVersion) << version;
        ASSERT_TRUE(id.notice);
        EXPECT_EQ(id.notice->style, MessageStyle::Boxed);
        EXPECT_NE(id.notice->text.find(version), std::string::npos);
        // The identity was taken before the version was looked at.
        EXPECT_EQ(id.identity.size(), 30u);
        EXPECT_TRUE(id.showFirmwareVersion);
    }
}

TEST(IdentifyDevice, EachProfileOfTheVirtualRemoteMeetsItsCheck) {
    struct Case {
        const char* profile;
        IdentifyOutcome outcome;
        std::string message;
    };
    const Case cases[] = {
        {"factory", IdentifyOutcome::Accepted, ""},
        {"old-firmware", IdentifyOutcome::Refused, kOldFirmwareModel},
        {"model-lowercase", IdentifyOutcome::Refused, kUnsupported},
        {"version-02-00", IdentifyOutcome::Refused, kSoftwareOld},
        {"version-00-03", IdentifyOutcome::Refused, kFirmwareOldMajor},
        {"version-01-04", IdentifyOutcome::Refused, kSoftwareOld},
        {"version-01-02", IdentifyOutcome::Refused, kFirmwareOldMinor},
        {"version-text", IdentifyOutcome::Refused, kUnsupported},
        {"bad-version-digits", IdentifyOutcome::UnreadableVersion, ""},
    };
    testsupport::DeviceFolder folder;
    for (const Case& c : cases) {
        folder.reset(c.profile);
        const Identification id = identifyDevice();
        EXPECT_EQ(id.outcome, c.outcome) << c.profile;
        if (!c.message.empty()) {
            ASSERT_TRUE(id.notice) << c.profile;
            EXPECT_EQ(id.notice->text, c.message) << c.profile;
        }
    }
}

TEST(IdentifyDevice, AFailedVersionReadRefusesWithoutReadingFurther) {
    testsupport::DeviceFolder folder;
    folder.failNext(emu::Operation::ReadVersion);
    folder.failNext(emu::Operation::RBasicInfo); // would be consumed by a read that must not happen
    folder.failNext(emu::Operation::ReadData);
    const Identification id = identifyDevice();
    EXPECT_EQ(id.outcome, IdentifyOutcome::Refused);
    ASSERT_TRUE(id.notice);
    EXPECT_EQ(id.notice->text, kUnsupported);
    EXPECT_TRUE(id.identity.empty());
    EXPECT_EQ(folder.snapshot().settings.failures.count(emu::Operation::ReadData), 1u);
}

TEST(IdentifyDevice, AFailedIdentificationReadOpensTheWindowEmpty) {
    testsupport::DeviceFolder folder;
    folder.failNext(emu::Operation::ReadData);
    const Identification id = identifyDevice();
    EXPECT_EQ(id.outcome, IdentifyOutcome::NoBasicInformation);
    EXPECT_TRUE(id.identity.empty());
}
