// find and learn-all --set over a library written by the test: the maker's sets tried in order
// of how common their Power code is, sets of one Power code told apart by one more key, the side
// learned from the set taken, the remote put back exactly when none is, and a failed write
// anywhere leaving the remote sound.
#include "ctlrun.h"
#include "devicefolder.h"
#include "scratchlibrary.h"
#include "testsignals.h"
#include "textmatch.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace {

using namespace testsupport;

// What `keys` says of one key: "00 TV/Power: learned, ..., sends ...".
std::string keyLine(const std::string& number) {
    std::istringstream keys(runCtl({"keys"}).out);
    for (std::string line; std::getline(keys, line);)
        if (line.rfind(number + " ", 0) == 0)
            return line;
    return "";
}

// What a key holds, wherever in the code area its code lies.
std::string sends(const std::string& number) {
    return std::regex_replace(keyLine(number), std::regex(R"( \(entry [^)]*\))"), "");
}

class FindCommandTest : public testing::Test {
protected:
    void SetUp() override {
        const auto stored = pulseDistance(3400, 1700, 420, 430, 1290, 0x2A5C3, 20);
        // B and B2 share their Power code, so they come first; A's is a code of no preset.
        library_.write("TVs/Acme/Acme_A.ir",
                       flipperFile({rawButton("Power", stored), necButton("Mute", 0x20, 0x0D)}));
        library_.write("TVs/Acme/Acme_B.ir",
                       flipperFile({necButton("Power", 0x20, 0x0A), necButton("Mute", 0x20, 0x0B)}));
        library_.write("TVs/Acme/Acme_B2.ir",
                       flipperFile({necButton("Power", 0x20, 0x0A), necButton("Mute", 0x20, 0x0C),
                                    necButton("Vol_up", 0x20, 0x0E)}));
        library_.write("TVs/Other/Other_X.ir", flipperFile({necButton("Power", 0x30, 0x01)}));
        library_.write("DVB-T/Acme/Acme_Box.ir", flipperFile({necButton("Power", 0x40, 0x01)}));
        ASSERT_EQ(runCtl({"library", "add", library_.codes().string()}).status, 0);
        // Before the search the TV's Power key holds a code of its own, in the code area.
        ownPower_ = scratchFile("find-own-power.json",
                                "[" + timingList(pulseDistance(3000, 3000, 500, 500, 1500, 0x2D, 8)) + "]");
    }
    void learnOwnPower() { ASSERT_EQ(runCtl({"learn", "00", "--from", ownPower_}).status, 0); }

    ScratchLibrary library_;
    std::string ownPower_;
};

TEST_F(FindCommandTest, TheSetTakenGivesTheSide) {
    const struct {
        const char* answers;
        const char* taken;
        const char* mute;
    } cases[] = {
        {"y\n", "set 1 of 3", "sends NEC address 32 command 11"},
        {"n\ny\n", "set 2 of 3", "sends NEC address 32 command 12"},
        {"n\nn\nyes\n", "set 3 of 3", "sends NEC address 32 command 13"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        DeviceFolder folder("factory");
        learnOwnPower();
        const auto run = runCtl({"find", "--side", "tv", "--maker", "ACME"}, c.answers);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(has(run.out, "3 code sets of TVs by Acme; each is tried on key 00 (TV/Power)"))
            << run.out;
        EXPECT_TRUE(has(run.out, c.taken)) << run.out;
        EXPECT_TRUE(has(run.out, "Mute -> 02 (TV/Mute)")) << run.out;
        EXPECT_TRUE(has(run.out, "the TV side is set up from code set ")) << run.out;
        EXPECT_TRUE(has(keyLine("02"), c.mute)) << keyLine("02");
        EXPECT_EQ(folder.emu({"check"}), 0);
    }
    // The cable box's side tries its own sets on its own Power key, without asking when told.
    DeviceFolder folder("factory");
    const auto box = runCtl({"find", "--side", "cbl", "--maker", "acme", "--yes-to-first"});
    EXPECT_EQ(box.status, 0) << box.err;
    EXPECT_TRUE(has(box.out, "1 code sets of cable boxes by Acme; each is tried on key 01 (CBL/Power)"))
        << box.out;
    EXPECT_TRUE(has(keyLine("01"), "sends NEC address 64 command 1")) << keyLine("01");
}

TEST_F(FindCommandTest, NoSetTakenPutsTheRemoteBackAsItWas) {
    for (const char* answers : {"n\nn\nn\n", "n\nq\n", "", "maybe\nN\nQ\n"}) {
        SCOPED_TRACE(answers);
        DeviceFolder folder("factory");
        learnOwnPower();
        const emu::Memory before = folder.snapshot().memory;
        const auto run = runCtl({"find", "--side", "tv", "--maker", "acme"}, answers);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_TRUE(has(run.out, "key 00 (TV/Power) holds what it held before the search")) << run.out;
        EXPECT_TRUE(folder.snapshot().memory == before);
    }
}

TEST_F(FindCommandTest, RefusalsWriteNothing) {
    DeviceFolder folder("factory");
    const emu::Memory before = folder.snapshot().memory;
    const struct {
        std::vector<std::string> words;
        int status;
        const char* says;
    } cases[] = {
        {{"find", "--side", "tv", "--maker", "Nobody"}, 1, "no code set of TVs by 'Nobody'"},
        {{"find", "--side", "dvd", "--maker", "acme"}, 2, "--side must be tv or cbl"},
        {{"find", "--side", "tv"}, 2, "--maker"},
        {{"learn-all", "--set", "0000000000", "--side", "tv"}, 1, "no code set '0000000000'"},
        {{"learn-all", "x.ir", "--set", "0000000000", "--side", "tv"}, 2, "not both"},
    };
    for (const auto& c : cases) {
        const auto run = runCtl(c.words);
        EXPECT_EQ(run.status, c.status) << c.says;
        EXPECT_TRUE(has(run.err, c.says)) << run.err;
    }
    EXPECT_TRUE(folder.snapshot().memory == before);
}

TEST_F(FindCommandTest, LearnAllTakesALibrarySet) {
    DeviceFolder folder("factory");
    const std::string found = runCtl({"library", "search", "acme", "b2"}).out;
    const std::string id = found.substr(0, found.find(' '));
    const auto run = runCtl({"learn-all", "--set", id, "--side", "tv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(has(run.out, "learned 3 keys from ")) << run.out;
    EXPECT_TRUE(has(keyLine("06"), "sends NEC address 32 command 14")) << keyLine("06");
}

// A write that fails, or the cable pulled at it, at any point of a search: the remote stays sound,
// and its Power key holds what it held or a tried set's Power code (or none, said, when the
// failure struck the writes that put it back).
TEST_F(FindCommandTest, AFailedWriteAnywhereLeavesTheRemoteSound) {
    std::set<std::string> allowed;
    {
        DeviceFolder folder("factory");
        learnOwnPower();
        allowed.insert(sends("00"));
        for (const char* answers : {"y\n", "n\ny\n", "n\nn\ny\n"}) {
            runCtl({"find", "--side", "tv", "--maker", "acme"}, answers);
            allowed.insert(sends("00"));
        }
    }
    ASSERT_EQ(allowed.size(), 3u); // B and B2 send the same Power code
    for (const bool unplug : {false, true})
        for (const char* answers : {"n\nn\nn\n", "n\ny\n"}) {
            unsigned points = 0;
            for (unsigned skip = 0; skip < 80; ++skip, ++points) {
                SCOPED_TRACE(std::string(answers) + " write " + std::to_string(skip + 1) +
                             (unplug ? " unplugs" : " fails"));
                DeviceFolder folder("factory");
                learnOwnPower();
                folder.failNext(emu::Operation::WriteData, 1, skip, unplug);
                const auto run = runCtl({"find", "--side", "tv", "--maker", "acme"}, answers);
                folder.setAttached(true);
                EXPECT_EQ(folder.emu({"check"}), 0);
                const std::string power = sends("00");
                const bool putBackCut = has(run.err, "was put back; it may hold");
                EXPECT_TRUE(allowed.count(power) != 0 || (putBackCut && has(power, ": empty"))) << power;
                std::string status;
                folder.emu({"status"}, &status);
                if (has(status, "failures: writedatav20")) // the search ended before that write
                    break;
            }
            EXPECT_GE(points, 6u);
        }
}

// B and B2 send one Power code and differ in Mute: after the TV responds to it, Mute is tried with
// B's code, and the answer tells which set the side is learned from.
TEST_F(FindCommandTest, SetsOfOnePowerCodeAreToldApartByMute) {
    const struct {
        const char* answers;
        bool asked;
        const char* taken;
        const char* mute;
        bool volumeLearned; // only B2 has Vol_up
    } cases[] = {
        {"y\ny\n", true, "Acme_B.ir", "sends NEC address 32 command 11", false},
        {"y\nn\n", true, "Acme_B2.ir", "sends NEC address 32 command 12", true},
        {"y\nq\n", true, "Acme_B.ir", "sends NEC address 32 command 11", false},
        {"y\nwhat\nN\n", true, "Acme_B2.ir", "sends NEC address 32 command 12", true},
        {"y\n", true, "Acme_B.ir", "sends NEC address 32 command 11", false}, // the answers end: no more keys
        {"n\ny\n", false, "Acme_B2.ir", "sends NEC address 32 command 12",
         true}, // no set after B2 sends its Power
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        DeviceFolder folder("factory");
        learnOwnPower();
        const std::string volumeBefore = sends("06");
        const auto run = runCtl({"find", "--side", "tv", "--maker", "acme"}, c.answers);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(has(run.out, "2 code sets send this Power code; another key tells them apart\n"
                               "key 02 (TV/Mute) now sends 'Mute' of "),
                  c.asked)
            << run.out;
        EXPECT_EQ(has(run.err, "Point the remote at the TV and press 02 (TV/Mute).\nDid the TV respond? "),
                  c.asked)
            << run.err;
        EXPECT_TRUE(has(run.out, std::string("learning side tv from ")) && has(run.out, c.taken)) << run.out;
        EXPECT_TRUE(has(keyLine("02"), c.mute)) << keyLine("02");
        if (c.volumeLearned) {
            EXPECT_TRUE(has(keyLine("06"), "sends NEC address 32 command 14")) << keyLine("06");
        } else {
            EXPECT_EQ(sends("06"), volumeBefore);
        }
        EXPECT_EQ(folder.emu({"check"}), 0);
    }
    // Taken without asking, the first set is taken as it is.
    DeviceFolder folder("factory");
    const auto first = runCtl({"find", "--side", "tv", "--maker", "acme", "--yes-to-first"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_FALSE(has(first.out, "another key")) << first.out;
    EXPECT_TRUE(has(keyLine("02"), "sends NEC address 32 command 11")) << keyLine("02");
}

// A write that fails, or the cable pulled at it, anywhere in a search that tried Mute and took B2:
// the remote stays sound, and it ends as it was before or with B2's codes, never holding B's Mute,
// which the TV did not respond to, unless the put-back itself was cut and says so.
TEST_F(FindCommandTest, AFailedWriteWhileTellingSetsApartLeavesNoRefusedCode) {
    std::string beforeMute, beforePower;
    {
        DeviceFolder folder("factory");
        learnOwnPower();
        beforeMute = sends("02");
        beforePower = sends("00");
    }
    for (const bool unplug : {false, true}) {
        unsigned points = 0;
        bool putBackSeen = false;
        for (unsigned skip = 0; skip < 80; ++skip, ++points) {
            SCOPED_TRACE("write " + std::to_string(skip + 1) + (unplug ? " unplugs" : " fails"));
            DeviceFolder folder("factory");
            learnOwnPower();
            const emu::Memory before = folder.snapshot().memory;
            folder.failNext(emu::Operation::WriteData, 1, skip, unplug);
            const auto run = runCtl({"find", "--side", "tv", "--maker", "acme"}, "y\nn\n");
            folder.setAttached(true);
            EXPECT_EQ(folder.emu({"check"}), 0);
            const bool putBack = has(run.out, "key 00 (TV/Power) and key 02 (TV/Mute) hold what they held");
            const bool putBackCut = has(run.err, "were put back; each may hold");
            putBackSeen = putBackSeen || putBack;
            if (putBack) {
                EXPECT_TRUE(folder.snapshot().memory == before);
            }
            const std::string mute = sends("02");
            EXPECT_TRUE(mute == beforeMute || has(mute, "command 12") || putBackCut) << mute;
            EXPECT_TRUE(sends("00") == beforePower || has(sends("00"), "command 10") || putBackCut)
                << sends("00");
            if (run.status == 0) {
                EXPECT_TRUE(has(mute, "command 12") && has(keyLine("06"), "command 14")) << run.out;
            }
            std::string status;
            folder.emu({"status"}, &status);
            if (has(status, "failures: writedatav20")) // the search ended before that write
                break;
        }
        EXPECT_GE(points, 6u);
        // With the cable pulled there is no remote to put back.
        EXPECT_EQ(putBackSeen, !unplug) << "a failure while the keys tried held a code";
    }
}

} // namespace
