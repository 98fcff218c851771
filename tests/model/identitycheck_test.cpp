#include "identitymessages.h"
#include "model/identitycheck.h"

#include <gtest/gtest.h>

using namespace model;
using namespace testsupport;

namespace {

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
        {"0103", "8888", kOldFirmwareModel}, // old firmware, whatever the version
        {"0500", "8888", kOldFirmwareModel},
        {"0103", "100r", kUnsupported}, // the model comparison minds letter case
        {"0103", "200R", kUnsupported},
        {"0200", "100R", kSoftwareOld}, // major above 1 wins over minor below 3
        {"0003", "100R", kFirmwareOldMajor},
        {"0104", "100R", kSoftwareOld},
        {"0102", "100R", kFirmwareOldMinor},
        {"0A03", "100R", kSoftwareOld}, // the bytes are hex: 0A is ten
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

TEST(BasicInformation, AFailedOrShortReadIsReportedBoxedAndRefusesNothing) {
    // A text that stops before the end of the model code holds no identification to check.
    const std::string whole = basicInfo("0103", "100R");
    for (std::size_t length : {0, 67, 68, 69, 73}) {
        const std::string text = whole.substr(0, length);
        const Identification id = checkBasicInformation(text);
        EXPECT_EQ(id.outcome, IdentifyOutcome::NoBasicInformation) << length;
        ASSERT_TRUE(id.notice);
        EXPECT_EQ(id.notice->style, MessageStyle::Boxed);
        EXPECT_EQ(id.notice->text, "未检测到遥控器，请检查USB连接线");
        EXPECT_TRUE(id.identity.empty());
        EXPECT_FALSE(id.showFirmwareVersion) << length;
    }
}

TEST(BasicInformation, VersionDigitsThatAreNotHexAreReportedNotCrashedOn) {
    // The message quotes the firmware's characters; a byte that is not printable ASCII would make
    // it no UTF-8 at all, so it shows as "?".
    const struct {
        std::string version;
        std::string quoted;
    } cases[] = {
        {"O103", "（O103）"},
        {"01G3", "（01G3）"},
        {"01 3", "（01 3）"},
        {std::string{'\xD8', '0', '0', '3'}, "（?003）"},
        {std::string{'0', '\0', '0', '3'}, "（0?03）"},
    };
    for (const auto& [version, quoted] : cases) {
        const Identification id = checkBasicInformation(basicInfo(version, "8888"));
        EXPECT_EQ(id.outcome, IdentifyOutcome::UnreadableVersion) << quoted;
        ASSERT_TRUE(id.notice);
        EXPECT_EQ(id.notice->style, MessageStyle::Boxed);
        EXPECT_NE(id.notice->text.find(quoted), std::string::npos) << id.notice->text;
        // The identity was taken before the version was looked at.
        EXPECT_EQ(id.identity.size(), 30u);
        EXPECT_TRUE(id.showFirmwareVersion);
    }
}
