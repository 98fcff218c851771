// learn from a lircd.conf on the virtual remote: an NEC or RC5 remote's code lands on the remote's
// preset, any other is stored, and held, each key sends its remote's repeat.
#include "ctlrun.h"
#include "devicefolder.h"
#include "testsignals.h"

#include "ir/frames.h"

#include <gtest/gtest.h>

#include <sstream>

using testsupport::runCtl;

namespace {

const std::string kPulses = "  header 9000 4500\n  one 560 1690\n  zero 560 560\n  ptrail 560\n";

std::string remote(const std::string& name, const std::string& parameters, const std::string& code) {
    return "begin remote\n  name " + name + "\n" + parameters + "  begin codes\n    " + code +
           "\n  end codes\nend remote\n";
}

// The durations of the "sent:" line of `transmit --hold`.
std::vector<int> sentDurations(const std::string& transmitted) {
    const auto at = transmitted.find("sent:");
    std::istringstream in(at == std::string::npos ? "" : transmitted.substr(at + 5));
    std::vector<int> sent;
    for (int d; in >> d;)
        sent.push_back(d);
    return sent;
}

TEST(CtlLearnLircd, HeldAKeySendsItsRemotesRepeat) {
    testsupport::DeviceFolder folder("factory");
    const struct {
        const char* what;
        std::string file;
        const char* name;
        const char* sends; // in the key listing
        const char* hold;  // milliseconds
        std::size_t frames;
        std::vector<int> repeat;
    } cases[] = {
        // 108 ms from frame to frame: the frame at 0, repeat codes at 108, 216, 324 and 432 ms.
        {"NEC with a repeat code",
         remote("lg-tv",
                "  bits 16\n  flags SPACE_ENC|CONST_LENGTH\n  pre_data_bits 16\n  pre_data 0x20DF\n"
                "  repeat 9000 2250\n  gap 108000\n" +
                    kPulses,
                "KEY_POWER 0x10EF"),
         "",
         "NEC address 4 command 8",
         "500",
         5,
         {9000, 2250, 560}},
        {"RC5, the frame again",
         remote("philips",
                "  bits 13\n  flags RC5|CONST_LENGTH\n  one 889 889\n  zero 889 889\n  plead 889\n"
                "  gap 113792\n  toggle_bit_mask 0x800\n  frequency 36000\n",
                "KEY_POWER 0x180C"),
         "",
         "RC5 address 0 command 12",
         "300",
         3,
         {889, 889, 1778, 889, 889, 889,  889, 889, 889,  889, 889, 889,
          889, 889, 889,  889, 889, 1778, 889, 889, 1778, 889, 889}},
        // One of two remotes, chosen by its name: a code of no preset, stored.
        {"another remote's repeat code",
         remote("philips", "  bits 13\n  flags RC5\n  one 889 889\n  zero 889 889\n  gap 90000\n",
                "KEY_POWER 1") +
             remote("custom",
                    "  bits 8\n  header 3000 1500\n  one 500 1500\n  zero 500 500\n  ptrail 500\n"
                    "  repeat 3000 3000\n  gap 50000\n",
                    "KEY_POWER 0xA5"),
         "custom/KEY_POWER",
         "raw",
         "400",
         7,
         {3000, 3000, 500}},
    };
    for (const auto& c : cases) {
        folder.reset("factory");
        std::vector<std::string> words = {"learn", "TV/Power", "--from",
                                          testsupport::scratchFile("lircd.conf", c.file)};
        if (*c.name)
            words.insert(words.end(), {"--name", c.name});
        const auto learned = runCtl(words);
        ASSERT_EQ(learned.status, 0) << c.what << ": " << learned.err;
        EXPECT_NE(runCtl({"keys"}).out.find("00 TV/Power: learned, "), std::string::npos) << c.what;
        EXPECT_NE(runCtl({"keys"}).out.find(std::string("sends ") + c.sends), std::string::npos) << c.what;
        std::string out;
        ASSERT_EQ(folder.emu({"transmit", "00", "--hold", c.hold}, &out), 0) << out;
        const std::vector<ir::Frame> frames = ir::splitFrames(sentDurations(out));
        ASSERT_EQ(frames.size(), c.frames) << c.what << "\n" << out;
        for (std::size_t f = 1; f < frames.size(); ++f) {
            ASSERT_EQ(frames[f].durations.size(), c.repeat.size()) << c.what << ", frame " << f;
            for (std::size_t i = 0; i < c.repeat.size(); ++i)
                EXPECT_TRUE(ir::sameDuration(frames[f].durations[i], c.repeat[i]))
                    << c.what << ", frame " << f << ": " << frames[f].durations[i] << " for " << c.repeat[i];
        }
    }
}

TEST(CtlLearnLircd, AnInputDeviceMapIsRefusedAndNothingWritten) {
    testsupport::DeviceFolder folder("learned");
    const emu::Memory before = folder.snapshot().memory;
    const std::string file = testsupport::scratchFile(
        "devinput.conf",
        remote("devinput", "  bits 16\n  one 0 0\n  zero 0 0\n  gap 132799\n", "KEY_0 0x000B"));
    const auto result = runCtl({"learn", "04", "--from", file});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.rfind("qtm418ctl: " + file + ":4: remote 'devinput' gives no timing", 0), 0u)
        << result.err;
    EXPECT_EQ(folder.snapshot().memory, before);
}

} // namespace
