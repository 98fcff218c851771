// The same code given in two formats learns into keys that send the same, pressed and held.
#include "codepackets.h"
#include "ctlrun.h"
#include "devicefolder.h"
#include "ir/frames.h"
#include "ir/json.h"
#include "irsignals.h"
#include "testsignals.h"

#include <gtest/gtest.h>

using testsupport::runCtl;

namespace {

std::string flipper(const char* protocol, const char* address, const char* command) {
    return std::string("Filetype: IR signals file\nVersion: 1\n#\nname: K\ntype: parsed\nprotocol: ") +
           protocol + "\naddress: " + address + "\ncommand: " + command + "\n";
}

// What key 51 sends, pressed and held, after it learned `text`.
std::string learnedAndSent(testsupport::DeviceFolder& folder, const std::string& name,
                           const std::string& text) {
    folder.reset("factory");
    const auto learned = runCtl({"learn", "CBL/5", "--from", testsupport::scratchFile(name, text)});
    EXPECT_EQ(learned.status, 0) << name << ": " << learned.err;
    std::string sent;
    EXPECT_EQ(folder.emu({"transmit", "51", "--json", "--hold", "400"}, &sent), 0) << name;
    return sent;
}

TEST(CtlFormatPairs, OneCodeInTwoFormatsLearnsIntoKeysThatSendTheSame) {
    testsupport::DeviceFolder folder("factory");
    const std::string necPacket =
        testsupport::broadlinkPacket(testsupport::broadlinkUnits(testsupport::necTimings(4, 8)), 0, 'a');
    const struct {
        const char* name;
        std::string first, second;
    } cases[] = {
        {"900A and Flipper NEC", "900A 006C 0000 0001 04FB 08F7\n",
         flipper("NEC", "04 00 00 00", "08 00 00 00")},
        {"5000 and Flipper RC5", "5000 0073 0000 0001 0005 0021\n",
         flipper("RC5", "05 00 00 00", "21 00 00 00")},
        {"6000 and Flipper RC6", "6000 0073 0000 0001 0004 000C\n",
         flipper("RC6", "04 00 00 00", "0C 00 00 00")},
        {"Broadlink and Flipper NEC", necPacket + "\n", flipper("NEC", "04 00 00 00", "08 00 00 00")},
        {"SmartIR and Pronto 900A", "{\"commands\": {\"on\": \"" + necPacket + "\"}}",
         "900A 006C 0000 0001 04FB 08F7\n"},
        {"IRDB row and Pronto 900A", "functionname,protocol,device,subdevice,function\nPower,NEC1,4,-1,8\n",
         "900A 006C 0000 0001 04FB 08F7\n"},
        {"lircd.conf and Flipper NEC",
         "begin remote\n name tv\n bits 16\n flags SPACE_ENC|CONST_LENGTH\n header 9000 4500\n one 560 1690\n"
         " zero 560 560\n ptrail 560\n repeat 9000 2250\n pre_data_bits 16\n pre_data 0x20DF\n gap 108000\n"
         " begin codes\n  KEY_POWER 0x10EF\n end codes\nend remote\n",
         flipper("NEC", "04 00 00 00", "08 00 00 00")},
        {"sendir and Pronto", "sendir,1:1,1,38029,1,1,341,170,21,21,21,64,21,1500\n",
         "0000 006D 0004 0000 0155 00AA 0015 0015 0015 0040 0015 05DC\n"},
    };
    for (const auto& c : cases) {
        const auto a = std::get<ir::JsonValue>(ir::parseJson(learnedAndSent(folder, "a", c.first)));
        const auto b = std::get<ir::JsonValue>(ir::parseJson(learnedAndSent(folder, "b", c.second)));
        for (const char* field : {"identity", "kind"})
            EXPECT_EQ(a.member(field)->text, b.member(field)->text) << c.name << ": " << field;
        // Durations measured in one format and computed in the other differ by their rounding:
        // the same as the fidelity check counts the same.
        const auto& sentA = a.member("sent")->items;
        const auto& sentB = b.member("sent")->items;
        ASSERT_EQ(sentA.size(), sentB.size()) << c.name;
        ASSERT_GT(sentA.size(), 4u) << c.name;
        for (std::size_t i = 0; i < sentA.size(); ++i)
            EXPECT_TRUE(
                ir::sameDuration(static_cast<int>(sentA[i].number), static_cast<int>(sentB[i].number)))
                << c.name << " at " << i << ": " << sentA[i].number << " and " << sentB[i].number;
    }
}

} // namespace
