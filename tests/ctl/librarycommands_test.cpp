// qtm418ctl library: folders added and removed in the configuration folder, the index in the cache
// folder, the search and one set shown, and every refusal with its status.
#include "ctlrun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;
using testsupport::runCtl;

const char* kTv = "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: parsed\nprotocol: NEC\n"
                  "address: 04 00 00 00\ncommand: 08 00 00 00\n#\nname: Mute\ntype: parsed\nprotocol: NEC\n"
                  "address: 04 00 00 00\ncommand: 09 00 00 00\n";

class LibraryCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("qtm418-ctl-library-" + std::to_string(std::random_device()()));
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            setenv(variable, (home_ / variable).c_str(), 1);
        fs::create_directories(home_ / "codes" / "TVs" / "LG");
        std::ofstream(home_ / "codes" / "TVs" / "LG" / "LG_OLED55.ir") << kTv;
        fs::create_directories(home_ / "codes" / "DVB-T" / "Humax");
        std::ofstream(home_ / "codes" / "DVB-T" / "Humax" / "Humax_HD.ir") << kTv;
        std::ofstream(home_ / "codes" / "DVB-T" / "Humax" / "broken.ir")
            << "Filetype: IR signals file\nVersion: 9\n";
    }
    void TearDown() override {
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
            unsetenv(variable);
        fs::remove_all(home_);
    }

    fs::path home_;
};

TEST_F(LibraryCommandsTest, FoldersAreAddedListedSearchedAndRemoved) {
    const std::string codes = (home_ / "codes").string();
    auto r = runCtl({"library", "search", "lg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("library add DIR"), std::string::npos) << r.err;

    r = runCtl({"library", "add", codes});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "added " + codes + ": 2 code sets\n");
    EXPECT_TRUE(fs::exists(home_ / "XDG_CONFIG_HOME" / "qtm418" / "library.json"));
    EXPECT_TRUE(fs::exists(home_ / "XDG_CACHE_HOME" / "qtm418" / "codeindex.db"));

    r = runCtl({"library", "list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(codes + ": 2 code sets\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not read: " + codes + "/DVB-T/Humax/broken.ir"), std::string::npos) << r.out;

    // The user's own code folder is in the library once it exists.
    fs::create_directories(home_ / "XDG_DATA_HOME" / "qtm418" / "codes");
    std::ofstream(home_ / "XDG_DATA_HOME" / "qtm418" / "codes" / "Sony_Bravia_tv.ir") << kTv;
    r = runCtl({"library", "list"});
    EXPECT_NE(r.out.find("qtm418/codes: 1 code sets (included while it exists)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("3 code sets, 2 sending different codes"), std::string::npos) << r.out;

    r = runCtl({"library", "search", "LG", "Electronics", "--side", "tv"});
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.find("LG OLED55  (TVs, tv, 2 buttons, 1 more sending the same)\n"), 12u) << r.out;
    const std::string id = r.out.substr(0, 10);
    EXPECT_EQ(runCtl({"library", "search", "humax", "--side", "cbl"}).status, 0);
    EXPECT_EQ(runCtl({"library", "search", "humax", "--side", "tv"}).status, 1);

    r = runCtl({"library", "search", "oled55", "--json"});
    EXPECT_EQ(r.out.rfind("[{\"set\": \"" + id + "\", \"maker\": \"LG\", \"model\": \"OLED55\"", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("\"power\": \"Power\", \"copies\": 2}]\n"), std::string::npos) << r.out;

    r = runCtl({"library", "show", id});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(
        r.out.find("maker: LG\nmodel: OLED55\ntype: TVs\nside: tv\nbuttons:\n  Power  (Power)\n  Mute\n"),
        std::string::npos)
        << r.out;

    EXPECT_EQ(runCtl({"library", "show", codes + "/TVs/LG/LG_OLED55.ir"}).out, r.out);

    r = runCtl({"library", "remove", codes});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runCtl({"library", "show", id}).status, 1);
    EXPECT_EQ(runCtl({"library", "search", "sony"}).status, 0);
}

// The index is one database in the cache folder, the file this program kept before removed; a file
// read in part is named with why, and an index found damaged is made anew with a note.
TEST_F(LibraryCommandsTest, TheIndexIsOneDatabaseMadeAnewWhenDamaged) {
    const std::string codes = (home_ / "codes").string();
    const fs::path cache = home_ / "XDG_CACHE_HOME" / "qtm418";
    fs::create_directories(cache);
    std::ofstream(cache / "codeindex") << "QTM418-CODE-INDEX 2\n";
    fs::create_directories(home_ / "codes" / "Humax" / "Cable Box");
    std::ofstream(home_ / "codes" / "Humax" / "Cable Box" / "1,-1.csv")
        << "functionname,protocol,device,subdevice,function\nPOWER,NEC1,1,-1,8\n,NEC1,1,-1,9\n";
    ASSERT_EQ(runCtl({"library", "add", codes}).status, 0);
    EXPECT_FALSE(fs::exists(cache / "codeindex"));
    EXPECT_TRUE(fs::exists(cache / "codeindex.db"));

    auto r = runCtl({"library", "list"});
    EXPECT_NE(
        r.out.find("partly read: " + codes +
                   "/Humax/Cable Box/1,-1.csv: 1 of 2 codes cannot be used: 1 without a name or protocol\n"),
        std::string::npos)
        << r.out;
    EXPECT_EQ(r.err, "");

    std::ofstream(cache / "codeindex.db", std::ios::trunc) << "a file that is no database at all";
    r = runCtl({"library", "search", "humax", "--side", "cbl"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("note: the library's index " + (cache / "codeindex.db").string() + " is damaged"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.out.find("Humax 1,-1  (Cable Box, cbl, 2 buttons)"), std::string::npos) << r.out;
    EXPECT_EQ(runCtl({"library", "search", "humax"}).err, "");
}

TEST_F(LibraryCommandsTest, RefusalsSayWhy) {
    const std::string codes = (home_ / "codes").string();
    ASSERT_EQ(runCtl({"library", "add", codes}).status, 0);
    const struct {
        std::vector<std::string> words;
        int status;
        const char* says;
    } cases[] = {
        {{"library", "add", codes}, 1, "already in the library"},
        {{"library", "add", codes + "/TVs/LG/LG_OLED55.ir"}, 1, "is not a folder"},
        {{"library", "remove", (home_ / "elsewhere").string()}, 1, "is not a folder of the library"},
        {{"library", "show", "0000000000"}, 1, "no code set '0000000000'"},
        {{"library", "search", "lg", "--side", "dvd"}, 2, "--side takes tv or cbl"},
        {{"library", "search"}, 2, "give the words"},
        {{"library", "frob"}, 2, "expected list, add DIR"},
        {{"library"}, 2, "library:"},
    };
    for (const auto& c : cases) {
        const auto r = runCtl(c.words);
        EXPECT_EQ(r.status, c.status) << c.words.back();
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    std::ofstream(home_ / "XDG_CONFIG_HOME" / "qtm418" / "library.json", std::ios::trunc)
        << "{\"folders\": 3}";
    const auto r = runCtl({"library", "list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("library.json"), std::string::npos) << r.err;
}

} // namespace
