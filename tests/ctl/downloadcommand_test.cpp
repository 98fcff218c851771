// qtm418ctl library download: the known collections listed, one fetched from a server on this
// computer into the user's code folder and indexed, its progress bar, IRDB's conditions asked
// about first, and a 404 or Ctrl+C leaving the library as it was.
#include "archives.h"
#include "codes/ownerslibrary.h"
#include "ctlrun.h"
#include "httpserver.h"
#include "scratchlibrary.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;
using testsupport::runCtl;

class DownloadCommandTest : public testing::Test {
protected:
    fs::path own() const { return codes::standardLibraryFolders().back(); }
    std::string acme() {
        using testsupport::necButton;
        return testsupport::makeArchive(
            testsupport::ArchiveForm::Zip,
            {{"Acme-main/TVs/Acme/Acme_A.ir", testsupport::flipperFile({necButton("Power", 0x20, 0x0A)})},
             {"Acme-main/TVs/Acme/Acme_B.ir", testsupport::flipperFile({necButton("Power", 0x20, 0x0B)})}});
    }

    testsupport::ScratchLibrary library_;
    testsupport::HttpServer server_;
};

TEST_F(DownloadCommandTest, ACollectionIsFetchedIndexedAndFound) {
    auto r = runCtl({"library", "download"});
    EXPECT_EQ(r.status, 0);
    for (const char* line :
         {"  Flipper-IRDB: about 25.0 MB, licence CC0 1.0, free for any use; "
          "https://github.com/Lucaslhm/Flipper-IRDB\n",
          "  IRDB: about 3.0 MB, licence IRDB's own, with conditions (shown before downloading); ",
          "  SmartIR: about 5.0 MB, licence MIT"})
        EXPECT_NE(r.out.find(line), std::string::npos) << r.out;

    server_.serve("/Acme.zip", {200, acme()});
    r = runCtl({"library", "download", server_.address("/Acme.zip"), "--progress"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("downloaded Acme (", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("into " + (own() / "Acme").string() + "\n2 code sets indexed from it\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.err.find("download Acme [" + std::string(24, '=') + "] 100%"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(own() / "Acme" / "TVs" / "Acme" / "Acme_A.ir"));

    r = runCtl({"library", "search", "acme"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Acme A"), std::string::npos) << r.out;

    // Once more: the copy is replaced, not added to.
    r = runCtl({"library", "download", server_.address("/Acme.zip")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("updated Acme (", 0), 0u) << r.out;
    EXPECT_EQ(std::distance(fs::directory_iterator(own()), fs::directory_iterator()), 1);
}

TEST_F(DownloadCommandTest, RefusalsAndFailuresLeaveTheLibraryAsItWas) {
    const struct {
        std::vector<std::string> words;
        std::string answers;
        int status;
        std::string says;
    } cases[] = {
        {{"library", "download", "IRDB"}, "n\n", 1, "qtm418ctl: not downloaded\n"},
        {{"library", "download", "nothing"}, "", 2, "no collection called 'nothing'"},
        {{"library", "download", "http://example.com/a.zip"}, "", 2, "it must start with https://"},
        {{"library", "download", server_.address("/missing.zip")},
         "",
         1,
         "download of missing: the server answered 404 (not found) for " + server_.address("/missing.zip") +
             "; the library is as it was\n"},
    };
    for (const auto& c : cases) {
        const auto r = runCtl(c.words, c.answers);
        EXPECT_EQ(r.status, c.status) << c.words[2];
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    // IRDB's conditions were shown before the question; nothing was fetched from anywhere.
    EXPECT_NE(runCtl({"library", "download", "IRDB"}, "\n").err.find("Contains/accesses irdb by Simon Peter"),
              std::string::npos);
    EXPECT_EQ(server_.requests(), 1);
    EXPECT_FALSE(fs::exists(own()) && !fs::is_empty(own()));
}

TEST_F(DownloadCommandTest, CtrlCCancelsTheDownload) {
    server_.serve("/Acme.zip", {200, acme(), testsupport::Reply::Way::StallHalfway});
    std::thread pressCtrlC([this] {
        for (int i = 0; i < 500 && server_.requests() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::raise(SIGINT);
    });
    const auto r = runCtl({"library", "download", server_.address("/Acme.zip")});
    pressCtrlC.join();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "qtm418ctl: download of Acme cancelled; the library is as it was\n");
    EXPECT_FALSE(fs::exists(own() / "Acme"));
}

} // namespace
