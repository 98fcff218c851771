// The write that frees an old code's room fails after the change itself took effect: each
// command says so, with the address, and ends 1 (2 when the cable came out with it).
#include "ctlrun.h"
#include "devicefolder.h"
#include "testsignals.h"
#include "textmatch.h"

#include <gtest/gtest.h>

using testsupport::runCtl;

namespace {

TEST(CtlRoomNotFreed, EveryChangeSaysItsOldCodesRoomWasNotFreed) {
    const std::string first = testsupport::scratchFile(
        "room-a.json",
        "[" + testsupport::timingList(testsupport::pulseDistance(3000, 3000, 500, 500, 1500, 0x2D, 8)) + "]");
    const std::string second = testsupport::scratchFile(
        "room-b.json",
        "[" + testsupport::timingList(testsupport::pulseDistance(3000, 3000, 500, 500, 1500, 0x5A, 8)) + "]");
    const struct {
        const char* name;
        std::vector<std::string> command;
        unsigned skip;
        bool unplug;
        int status;
        const char* done;
        const char* keyAfter;
    } cases[] = {
        {"relearn",
         {"learn", "04", "--from", second},
         3,
         false,
         1,
         "key 04 (TV/Up) learned",
         "04 TV/Up: learned"},
        {"delete", {"delete", "04", "--yes"}, 1, true, 2, "key 04 (TV/Up) deleted", "04 TV/Up: empty"},
        {"clear", {"clear", "--yes"}, 7, false, 1, "cleared keys", "04 TV/Up: empty"},
    };
    for (const auto& c : cases) {
        testsupport::DeviceFolder folder("learned");
        if (std::string(c.name) == "relearn") {
            ASSERT_EQ(runCtl({"learn", "04", "--from", first}).status, 0);
        }
        folder.failNext(emu::Operation::WriteData, 1, c.skip, c.unplug);
        const auto result = runCtl(c.command);
        EXPECT_EQ(result.status, c.status) << c.name << ": " << result.err;
        EXPECT_TRUE(has(result.err, c.done)) << c.name << ": " << result.err;
        EXPECT_TRUE(has(result.err,
                        ", but the remote could not be written at 1A00 to free the old code's room; "
                        "the next change frees it, or 'qtm418ctl repair'"))
            << c.name << ": " << result.err;
        EXPECT_EQ(has(result.err, "the remote went away"), c.unplug) << c.name;
        folder.setAttached(true);
        EXPECT_TRUE(has(runCtl({"keys"}).out, c.keyAfter)) << c.name;
        const auto check = runCtl({"check"});
        EXPECT_EQ(check.status, 0) << c.name << ": " << check.out;
        EXPECT_TRUE(has(check.out, "warning:")) << c.name << ": " << check.out;
        EXPECT_EQ(runCtl({"repair"}).status, 0) << c.name;
        EXPECT_EQ(runCtl({"check"}).out, "layout sound\n") << c.name;
    }
}

} // namespace
