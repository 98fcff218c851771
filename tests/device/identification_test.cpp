#include "device/identification.h"
#include "devicefolder.h"
#include "identitymessages.h"

#include <gtest/gtest.h>

using namespace model;
using namespace testsupport;

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
        const Identification id = device::identifyDevice();
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
    const Identification id = device::identifyDevice();
    EXPECT_EQ(id.outcome, IdentifyOutcome::Refused);
    ASSERT_TRUE(id.notice);
    EXPECT_EQ(id.notice->text, kUnsupported);
    EXPECT_TRUE(id.identity.empty());
    EXPECT_EQ(folder.snapshot().settings.failures.count(emu::Operation::ReadData), 1u);
}

TEST(IdentifyDevice, AFailedIdentificationReadOpensTheWindowEmpty) {
    testsupport::DeviceFolder folder;
    folder.failNext(emu::Operation::ReadData);
    const Identification id = device::identifyDevice();
    EXPECT_EQ(id.outcome, IdentifyOutcome::NoBasicInformation);
    EXPECT_TRUE(id.identity.empty());
}
