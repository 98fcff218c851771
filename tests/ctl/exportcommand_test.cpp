// export on the virtual remote: each format as other tools read it, the round trip through learn
// onto a fresh remote, and the refusals.
#include "ctlrun.h"
#include "devicefolder.h"
#include "testsignals.h"
#include "textmatch.h"

#include "ir/frames.h"
#include "ir/timings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace testsupport;

namespace {

std::string scratch(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("qtm418ctl-export-" + name)).string();
}

struct Sent {
    std::string label;
    ir::Signal signal;
};

// Key number -> its name and what it sends, from export --format json.
std::map<std::string, Sent> sentByKey(const std::vector<std::string>& keys = {}) {
    std::vector<std::string> words{"export"};
    words.insert(words.end(), keys.begin(), keys.end());
    words.insert(words.end(), {"--format", "json"});
    const auto json = runCtl(words);
    EXPECT_EQ(json.status, 0) << json.err;
    std::map<std::string, Sent> sent;
    std::istringstream lines(json.out);
    for (std::string line; std::getline(lines, line);) {
        const auto parsed = ir::parseCaptureLine(line);
        const auto key = line.find("\"key\": \"");
        EXPECT_TRUE(parsed && key != std::string::npos) << line;
        if (parsed && key != std::string::npos)
            sent[line.substr(key + 8, 2)] = {parsed->source.substr(parsed->source.find('#') + 1),
                                             parsed->signal};
    }
    return sent;
}

bool sameSignal(const ir::Signal& a, const ir::Signal& b) {
    if (a.carrierHz != b.carrierHz || a.timings.size() != b.timings.size())
        return false;
    for (std::size_t i = 0; i < a.timings.size(); ++i)
        if (!ir::sameDuration(b.timings[i], a.timings[i]))
            return false;
    return true;
}

TEST(CtlExport, AFlipperFileLearnedOntoAFreshRemoteSendsTheSameKeys) {
    testsupport::DeviceFolder folder("factory");
    std::vector<int> wholeFrames = necFrame(0x04, 0x09);
    wholeFrames.push_back(40000);
    for (const int t : necFrame(0x04, 0x09))
        wholeFrames.push_back(t);
    const std::pair<const char*, std::vector<int>> learned[] = {
        {"04", pulseDistance(9000, 4500, 560, 560, 1690, 0xF708FB04, 32)}, // NEC, a preset
        {"06", wholeFrames}, // NEC repeating its whole frame: only raw timings say so
        {"05", pulseDistance(3400, 1700, 420, 430, 1290, 0x2A5C3, 20)}, // no preset: stored
        {"10", pulseDistance(3400, 1700, 420, 430, 1290, 0x15A3C, 20)},
    };
    for (const auto& [key, timings] : learned)
        ASSERT_EQ(runCtl({"learn", key, "--from",
                          scratchFile(std::string(key) + ".json", "[" + timingList(timings) + "]")})
                      .status,
                  0)
            << key;
    const auto before = sentByKey();
    ASSERT_EQ(before.size(), std::size(learned));
    const std::string file = scratch("round-trip.ir");
    ASSERT_EQ(runCtl({"export", "--format", "flipper", "-o", file}).status, 0);
    std::ifstream written(file);
    const std::string text{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(has(text, "name: TV/Up\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\n")) << text;
    EXPECT_TRUE(has(text, "name: TV/Vol+\ntype: raw\n")) << text;
    folder.reset("factory");
    for (const auto& [key, sent] : before) {
        const auto relearned = runCtl({"learn", key, "--from", file, "--name", sent.label});
        EXPECT_EQ(relearned.status, 0) << key << ": " << relearned.err;
    }
    const auto after = sentByKey();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [key, sent] : before)
        EXPECT_TRUE(sameSignal(sent.signal, after.at(key).signal)) << key;
    EXPECT_EQ(folder.emu({"check"}), 0);
}

// Each format as its readers expect it, for a preset key named on the command line.
TEST(CtlExport, EachFormatHasItsShape) {
    testsupport::DeviceFolder folder("learned");
    const ir::Signal power = sentByKey({"00"}).at("00").signal;
    ASSERT_GT(power.timings.size(), 60u);
    struct Case {
        const char* format;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"flipper",
         {"Filetype: IR signals file\nVersion: 1\n",
          "name: TV/Power\ntype: parsed\nprotocol: NEC\naddress: 20 00 00 00\ncommand: 08 00 00 00\n"}},
        {"pronto", {"# 00 TV/Power\n0000 006D "}},
        {"lirc",
         {"begin remote\n", "flags RAW_CODES\n", "frequency 38000\n", "name TV/Power\n", "end remote\n"}},
    };
    for (const Case& c : cases) {
        const auto out = runCtl({"export", "00", "--format", c.format});
        EXPECT_EQ(out.status, 0) << c.format << ": " << out.err;
        for (const std::string& part : c.parts)
            EXPECT_TRUE(has(out.out, part)) << c.format << " lacks " << part << " in\n" << out.out;
    }
    // A single Pronto code reads back as the same press.
    const std::string pronto = scratch("power.pronto");
    ASSERT_EQ(runCtl({"export", "00", "--format", "pronto", "-o", pronto}).status, 0);
    ASSERT_EQ(runCtl({"learn", "01", "--from", pronto}).status, 0);
    const ir::Signal relearned = sentByKey({"01"}).at("01").signal;
    ASSERT_GE(relearned.timings.size(), power.timings.size() - 1);
    for (std::size_t i = 0; i + 1 < power.timings.size(); ++i)
        EXPECT_TRUE(ir::sameDuration(relearned.timings[i], power.timings[i])) << i;
}

TEST(CtlExport, NothingToExportOrABadRequestIsRefused) {
    testsupport::DeviceFolder folder("learned");
    struct Case {
        std::vector<std::string> words;
        int status;
        const char* says;
    };
    const Case cases[] = {
        {{"export", "03", "--format", "json"}, 1, "key 03 sends no code"},
        {{"export", "--format", "xml"}, 2, "--format must be flipper, pronto, lirc or json"},
        {{"export"}, 2, "--format is needed"},
        {{"export", "00", "--format", "json", "-o", "/nonexistent-folder/keys.json"}, 1, "cannot be written"},
    };
    for (const Case& c : cases) {
        const auto out = runCtl(c.words);
        EXPECT_EQ(out.status, c.status) << c.says;
        EXPECT_TRUE(has(out.err, c.says)) << out.err;
        EXPECT_TRUE(out.out.empty()) << c.says;
    }
    // Its learned keys hold codes that play nothing, as a factory remote holds none.
    for (const char* profile : {"learned", "factory"}) {
        folder.reset(profile);
        EXPECT_EQ(runCtl({"export", "--format", "flipper"}).status, 1) << profile;
    }
}

} // namespace
