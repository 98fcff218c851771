#include "devicefolder.h"
#include "kestrio/layoutbuilder.h"
#include "kestrio/layoutdump.h"
#include "kestrio/profiles.h"
#include "model/layoutcheck.h"

#include <gtest/gtest.h>

using namespace emu;

namespace {

bool mentions(const std::vector<std::string>& problems, const std::string& text) {
    for (const auto& p : problems)
        if (p.find(text) != std::string::npos)
            return true;
    return false;
}

// The check as qtm418-emu runs it: on what the remote's reads answer.
model::LayoutFindings inspect(const Device& device) { return model::inspectLayout(memoryReader(device)); }
std::vector<std::string> described(const std::vector<model::LayoutFinding>& findings) {
    std::vector<std::string> lines;
    for (const model::LayoutFinding& finding : findings)
        lines.push_back(model::describe(finding));
    return lines;
}
std::vector<std::string> violations(const Device& device) { return described(inspect(device).violations); }

Device withPlan(const std::function<void(LayoutPlan&)>& edit) {
    Device d = makeProfile("learned").value();
    LayoutPlan plan = factoryLayout();
    edit(plan);
    writeLayout(d.memory, plan);
    return d;
}

} // namespace

TEST(LayoutCheck, EverySoundProfilePasses) {
    for (const char* name : {"factory", "learned", "pointer-edges", "blocks-13", "no-slots", "no-presets",
                             "slot-states", "short-key-list", "long-key-list", "big-index"}) {
        EXPECT_EQ(violations(makeProfile(name).value()), std::vector<std::string>{}) << name;
    }
}

TEST(LayoutCheck, EveryCorruptProfileFailsSayingWhy) {
    EXPECT_TRUE(mentions(violations(makeProfile("corrupt-pointer").value()), "key slot table"));
    EXPECT_TRUE(mentions(violations(makeProfile("corrupt-header").value()), "layout header"));
    EXPECT_TRUE(mentions(violations(makeProfile("corrupt-counts").value()), "key slot table"));
    EXPECT_TRUE(mentions(violations(makeProfile("corrupt-code-area").value()), "code area"));
    EXPECT_TRUE(mentions(violations(makeProfile("corrupt-hex").value()), "not as hex"));
}

TEST(LayoutCheck, FindsLeaksOverlapsAndDanglingReferences) {
    const Device leak = withPlan([](LayoutPlan& p) { p.strayBlocks = {7, 8, 9, 20}; });
    const auto leaks = violations(leak);
    EXPECT_TRUE(mentions(leaks, "leak: blocks 7-9"));
    EXPECT_TRUE(mentions(leaks, "leak: block 20 "));

    const Device overlap = withPlan([](LayoutPlan& p) {
        p.index[0] = {{1, 2, 3}, 0, 4, true};
        p.index[1] = {{4, 5, 6}, 3, 2, true};
    });
    EXPECT_TRUE(mentions(violations(overlap), "index entry 1 overlaps index entry 0 at block 3"));

    const Device pastEnd = withPlan([](LayoutPlan& p) { p.index[2] = {{1, 2, 3}, 398, 4, true}; });
    EXPECT_TRUE(mentions(violations(pastEnd), "index entry 2 (blocks 398+4) reaches past"));

    const Device dangling = withPlan([](LayoutPlan& p) {
        p.slots[4].flags = 0xC0;
        p.slots[4].byte2 = 0x80;
        p.slots[4].reference = {0x05, 0xFF, 0xFF};
    });
    EXPECT_TRUE(mentions(violations(dangling), "slot 4 (key 04) refers to index entry 5, which is free"));

    // An entry in use that no slot refers to loses room but breaks nothing: a warning only.
    const Device orphan = withPlan([](LayoutPlan& p) {
        p.index[3] = {{1, 2, 3}, 40, 2, true};
        p.codeData.emplace_back(40, std::vector<std::uint8_t>(16, 0xEE));
    });
    const auto findings = inspect(orphan);
    EXPECT_TRUE(findings.violations.empty()) << model::describe(findings.violations.front());
    EXPECT_TRUE(mentions(described(findings.warnings), "index entry 3 is in use but no slot refers to it"));

    Device unmarked = withPlan([](LayoutPlan& p) { p.index[0] = {{1, 2, 3}, 10, 2, true}; });
    unmarked.memory[0x1A00 + 1] = 0x00; // blocks 8-15 marked free
    EXPECT_TRUE(
        mentions(violations(unmarked), "index entry 0 owns block 10, which the block map marks free"));
}

TEST(LayoutDump, ShowsTheLearnedProfileAsTheKeyTableWould) {
    const LayoutDump dump = dumpDevice(makeProfile("learned").value());
    ASSERT_FALSE(dump.layout.failure);
    EXPECT_EQ(dump.model, "100R");
    EXPECT_EQ(dump.versionMajor + dump.versionMinor, "0103");
    ASSERT_GE(dump.index.size(), 2u);
    EXPECT_TRUE(dump.index[1].inUse);
    EXPECT_EQ(dump.index[1].identity, "3A2B1C");
    EXPECT_EQ(dump.index[1].firstBlock, 3u);
    EXPECT_EQ(dump.index[1].blockCount, 2u);
    EXPECT_FALSE(dump.index[2].inUse);

    const std::string text = dumpText(dump);
    EXPECT_NE(text.find("04|2|1|00FFFF"), std::string::npos);
    EXPECT_NE(text.find("identity 3A2B1C  first block 3  blocks 2  in use"), std::string::npos);
    const std::string json = dumpJson(dump);
    EXPECT_NE(json.find("\"entry\": \"10|2|1|01FFFF\""), std::string::npos);
    EXPECT_NE(json.find("\"codeBlockCount\": 400"), std::string::npos);
    EXPECT_NE(json.find("\"presets\": [\"010000\", \"020000\""), std::string::npos);
}

TEST(LayoutDump, SaysWhenTheConfiguratorCouldNotReadTheLayout) {
    const LayoutDump dump = dumpDevice(makeProfile("corrupt-counts").value());
    EXPECT_TRUE(dump.layout.failure);
    EXPECT_NE(dumpText(dump).find("unreadable"), std::string::npos);
    EXPECT_NE(dumpJson(dump).find("\"layout\": null"), std::string::npos);
}

TEST(LayoutDump, EscapesTheVersionTextInJson) {
    Device d = makeProfile("factory").value();
    d.settings.versionText = "1020 \"quoted\" \\ back\x01";
    const std::string json = dumpJson(dumpDevice(d));
    EXPECT_NE(json.find(R"("versionText": "1020 \"quoted\" \\ back\u0001")"), std::string::npos);
}

TEST(EmuCheckCommand, ExitsNonZeroOnlyForAnUnsoundLayout) {
    testsupport::DeviceFolder folder("learned");
    std::string out;
    EXPECT_EQ(folder.emu({"check"}, &out), 0);
    EXPECT_EQ(out, "layout sound\n");
    folder.reset("corrupt-code-area");
    EXPECT_EQ(folder.emu({"check"}, &out), 1);
    EXPECT_NE(out.find("code area"), std::string::npos);
    EXPECT_EQ(folder.emu({"dump", "--json"}, &out), 0);
    EXPECT_EQ(folder.emu({"dump", "--xml"}), 2);
}
