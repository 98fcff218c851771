#include "device/startupread.h"
#include "devicefolder.h"

#include <gtest/gtest.h>

using model::IdentifyOutcome;

// The memory is read ahead only for a remote accepted with nothing to ask or tell first.
TEST(ReadAtStartup, ReadsOnlyAsFarAsNothingNeedsAsking) {
    struct Case {
        const char* profile;
        bool attached;
        std::optional<IdentifyOutcome> outcome;
        bool layoutRead;
    };
    const Case cases[] = {
        {"factory", false, std::nullopt, false},
        {"factory", true, IdentifyOutcome::Accepted, true},
        {"old-firmware", true, IdentifyOutcome::Refused, false},
        {"bad-version-digits", true, IdentifyOutcome::UnreadableVersion, false},
    };
    testsupport::DeviceFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.profile) + (c.attached ? " attached" : " detached"));
        folder.reset(c.profile);
        folder.setAttached(c.attached);
        const device::StartupRead read = device::readAtStartup();
        EXPECT_EQ(read.attached, c.attached);
        EXPECT_EQ(read.identification.has_value(), c.outcome.has_value());
        if (read.identification && c.outcome) {
            EXPECT_EQ(read.identification->outcome, *c.outcome);
        }
        ASSERT_EQ(read.layout.has_value(), c.layoutRead);
        if (read.layout) {
            EXPECT_FALSE(read.layout->failure);
            EXPECT_FALSE(read.layout->keyTable.empty());
        }
    }
}
