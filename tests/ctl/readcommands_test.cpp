// info, keys and check on the virtual remote, and the statuses of bad command lines.
#include "ctlrun.h"
#include "devicefolder.h"
#include "textmatch.h"

#include "model/portablefiles.h"

#include <gtest/gtest.h>

using testsupport::runCtl;

namespace {

TEST(CtlRead, InfoSummarisesTheLearnedRemote) {
    testsupport::DeviceFolder folder("learned");
    const auto text = runCtl({"info"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(has(text.out, "model:     100R\nfirmware:  1.3\n")) << text.out;
    // Run once more through the bridge with the maker's stand-ins, it says so.
    const bool throughMaker = !model::environmentPath("QTM418_MAKER_DIR").empty();
    EXPECT_TRUE(has(text.out, throughMaker ? "remote:    a QTM-418 through the maker's library in "
                                           : "remote:    the virtual QTM-418\n"))
        << text.out;
    EXPECT_TRUE(has(text.out, "49 (4 learned, 5 downloaded, 40 empty)")) << text.out;
    EXPECT_TRUE(has(text.out, "index:     32 entries, 2 used, 30 free")) << text.out;
    EXPECT_TRUE(has(text.out, "blocks:    400 code blocks, 5 used, 395 free")) << text.out;
    const auto json = runCtl({"info", "--json"});
    EXPECT_TRUE(has(json.out, "\"learned\": 4, \"downloaded\": 5")) << json.out;
    EXPECT_TRUE(has(json.out, throughMaker ? "{\"remote\": \"maker\", \"makerFolder\": "
                                           : "{\"remote\": \"virtual\", "))
        << json.out;
    EXPECT_TRUE(has(json.out, "\"codeBlocksUsed\": 5, \"presets\": 14}")) << json.out;
}

TEST(CtlRead, KeysShowStateCodeSharingAndWhatAKeySends) {
    testsupport::DeviceFolder folder("learned");
    const auto text = runCtl({"keys"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(has(text.out, "00 TV/Power: downloaded, preset 010000, sends NEC address 32 command 8\n"));
    EXPECT_TRUE(has(text.out, "03 TV/TV-AV: empty\n"));
    EXPECT_TRUE(has(text.out, "05 TV/Menu: learned, stored code 3A2B1C (entry 1, 2 blocks, shared with 10)"));
    const auto json = runCtl({"keys", "--json"});
    EXPECT_TRUE(has(json.out,
                    "{\"key\": \"10\", \"name\": \"TV/OK\", \"state\": \"learned\", \"identity\": "
                    "\"3A2B1C\", \"stored\": true, \"entry\": 1, \"blocks\": 2, \"sharedWith\": [\"05\"]"))
        << json.out;
    EXPECT_TRUE(has(json.out, "\"sends\": {\"protocol\": \"NEC\", \"address\": 32, \"command\": 8}"));
}

TEST(CtlRead, CheckReportsLikeTheVirtualRemotesToolAndFailsOnAViolation) {
    testsupport::DeviceFolder folder("learned");
    std::string emu;
    for (const char* profile : {"learned", "corrupt-code-area", "corrupt-hex"}) {
        folder.reset(profile);
        const int emuStatus = folder.emu({"check"}, &emu);
        const auto ctl = runCtl({"check"});
        EXPECT_EQ(ctl.status, emuStatus) << profile;
        EXPECT_EQ(ctl.out, emu) << profile;
    }
    EXPECT_EQ(runCtl({"check", "--json"}).out.rfind("{\"sound\": false, \"violations\": [\"", 0), 0u);
}

TEST(CtlRead, NoRemoteAndBadCommandLinesEndWithStatusTwo) {
    testsupport::DeviceFolder folder("learned");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frobnicate"},
        {"keys", "--xml"},
        {"delete"},
        {"delete", "04", "05"},
        {"learn", "04"},
        {"learn", "04", "--from"},
        {"delete", "TV/Nothing", "--yes"},
    };
    for (const auto& words : bad) {
        const auto result = runCtl(words);
        EXPECT_EQ(result.status, 2) << (words.empty() ? "" : words[0]);
        EXPECT_FALSE(result.err.empty());
    }
    folder.setAttached(false);
    for (const char* command : {"info", "keys", "check", "clear"}) {
        const auto result = runCtl({command});
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_EQ(result.err, "qtm418ctl: no remote is attached; check the USB cable\n") << command;
    }
    EXPECT_EQ(runCtl({"help"}).status, 0);
}

} // namespace
