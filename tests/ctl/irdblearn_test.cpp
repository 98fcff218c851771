// learn from IRDB CSV rows on the virtual remote: a key of the remote's own protocols lands on its
// preset, another is stored, and held either sends its protocol's repeat.
#include "ctlrun.h"
#include "devicefolder.h"

#include "ir/frames.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using testsupport::runCtl;

namespace {

// The frames the key sends held `millis`, as `qtm418-emu transmit --json --hold` lists them.
std::vector<ir::Frame> heldFrames(testsupport::DeviceFolder& folder, const std::string& key,
                                  const char* millis) {
    std::string out;
    EXPECT_EQ(folder.emu({"transmit", key, "--json", "--hold", millis}, &out), 0) << out;
    const auto from = out.find("\"sent\": [");
    const auto to = out.find(']', from);
    if (from == std::string::npos || to == std::string::npos)
        return {};
    const auto timings = ir::parseTimingList(out.substr(from + 9, to - from - 9));
    return timings ? ir::splitFrames(*timings) : std::vector<ir::Frame>{};
}

TEST(CtlIrdbLearn, HeldTheKeySendsItsProtocolsRepeat) {
    testsupport::DeviceFolder folder("factory");
    const auto file = std::filesystem::temp_directory_path() / "qtm418ctl-irdb.csv";
    std::ofstream(file) << "functionname,protocol,device,subdevice,function\n"
                           "Power,NEC,4,-1,8\n"
                           "Mute,Aiwa,118,0,21\n";
    const struct {
        const char* name;
        const char* sends; // in the key's line of the listing
        std::vector<int> repeat;
        std::size_t leastHeld; // frames in half a second
    } cases[] = {
        // NEC's ditto every 108 ms, as the preset sends it.
        {"Power", "sends NEC address 4 command 8", {9000, 2250, 560}, 5},
        // Aiwa's ditto every (16,-8,1,-165) x 550 us, stored as the row renders it.
        {"Mute", "", {8800, 4400, 550}, 4},
    };
    for (const auto& c : cases) {
        folder.reset("factory");
        const auto learned = runCtl({"learn", "CBL/5", "--from", file.string(), "--name", c.name});
        ASSERT_EQ(learned.status, 0) << c.name << ": " << learned.err;
        const std::string keys = runCtl({"keys"}).out;
        const auto line = keys.find("51 CBL/5: ");
        ASSERT_NE(line, std::string::npos) << keys;
        EXPECT_NE(keys.substr(line, keys.find('\n', line) - line).find(c.sends), std::string::npos) << keys;
        const auto frames = heldFrames(folder, "51", "500");
        ASSERT_GE(frames.size(), c.leastHeld) << c.name;
        for (std::size_t i = 1; i < frames.size(); ++i) {
            ASSERT_EQ(frames[i].durations.size(), c.repeat.size()) << c.name << " frame " << i;
            for (std::size_t k = 0; k < c.repeat.size(); ++k)
                EXPECT_TRUE(ir::sameDuration(frames[i].durations[k], c.repeat[k]))
                    << c.name << " frame " << i;
        }
        EXPECT_EQ(runCtl({"check"}).out, "layout sound\n");
    }
}

} // namespace
