// learn-all on the virtual remote: a code file's buttons matched to one side's keys, the dry run,
// and a stop part-way that leaves the remote sound and says which keys were done.
#include "ctlrun.h"
#include "devicefolder.h"
#include "testsignals.h"
#include "textmatch.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// A television's code file as collections keep them: raw signals under their button names. Two of
// its codes are no preset's, so learning them writes code blocks and the index too.
std::string televisionFile() {
    const std::pair<const char*, std::vector<int>> buttons[] = {
        {"Power", necFrame(0x20, 0x08)},   {"Vol_up", pulseDistance(3400, 1700, 420, 430, 1290, 0x2A5C3, 20)},
        {"VOL-", necFrame(0x20, 0x03)},    {"Mute", pulseDistance(3400, 1700, 420, 430, 1290, 0x15A3C, 20)},
        {"Ch_next", necFrame(0x20, 0x00)}, {"5", necFrame(0x20, 0x15)},
        {"Sleep", necFrame(0x20, 0x44)},   {"POWER", necFrame(0x20, 0x0A)},
        {"Ok", necFrame(0x20, 0x40)},
    };
    std::string text = "Filetype: IR signals file\nVersion: 1\n";
    for (const auto& [name, timings] : buttons)
        text += "# \nname: " + std::string(name) +
                "\ntype: raw\nfrequency: 38000\nduty_cycle: 0.330000\ndata: " + timingList(timings, " ") +
                "\n";
    text += "# \nname: Menu\ntype: parsed\nprotocol: NEC42\naddress: 07 00 00 00\ncommand: 07 00 00 00\n";
    return scratchFile("television.ir", text);
}

TEST(CtlLearnAll, TheMappingIsShownFirstAndADryRunWritesNothing) {
    DeviceFolder folder("factory");
    const emu::Memory before = folder.snapshot().memory;
    const std::string file = televisionFile();
    const auto dry = runCtl({"learn-all", file, "--side", "tv", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    for (const std::string& line : std::vector<std::string>{
             "Power -> 00 (TV/Power)\n", "Vol_up -> 06 (TV/Vol+)\n", "VOL- -> 12 (TV/Vol-)\n",
             "Mute -> 02 (TV/Mute)\n", "Ok -> 10 (TV/OK)\n", "unmatched: Ch_next, 5, Sleep, POWER\n",
             "not learnable: " + file + ":58: parsed signal 'Menu': its protocol NEC42 is not one",
             "5 keys would be learned; nothing written"})
        EXPECT_TRUE(has(dry.out, line)) << line << " not in\n" << dry.out;
    EXPECT_EQ(folder.snapshot().memory, before);

    const auto all = runCtl({"learn-all", televisionFile(), "--side", "tv"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_TRUE(has(all.out, "learned 5 keys from ")) << all.out;
    const std::string keys = runCtl({"keys"}).out;
    for (const char* learned : {"00 TV/Power: learned", "06 TV/Vol+: learned", "10 TV/OK: learned"})
        EXPECT_TRUE(has(keys, learned)) << learned;
    EXPECT_EQ(folder.emu({"check"}), 0);
    EXPECT_EQ(runCtl({"learn-all", televisionFile(), "--side", "dvd"}).status, 2);
}

// Whichever write fails, the keys before it stay learned, the rest untouched, the remote sound.
TEST(CtlLearnAll, AFailedWriteStopsThereWithTheRemoteSound) {
    DeviceFolder folder("factory");
    const std::string file = televisionFile();
    unsigned points = 0;
    for (unsigned skip = 0; skip < 40; ++skip, ++points) {
        SCOPED_TRACE("write " + std::to_string(skip + 1) + " fails");
        folder.reset("factory");
        folder.failNext(emu::Operation::WriteData, 1, skip);
        const auto run = runCtl({"learn-all", file, "--side", "tv"});
        EXPECT_EQ(folder.emu({"check"}), 0);
        if (run.status == 0)
            break;
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(has(run.err, "stopped at key ")) << run.err;
    }
    // A slot each for five keys, and once the code blocks and the index of the one stored code the
    // two keys of no preset share.
    EXPECT_EQ(points, 7u);
}

} // namespace
