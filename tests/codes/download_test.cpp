// A code collection downloaded from a server on this computer: put in place without GitHub's top
// folder, replacing an older copy; and every way it can fail (the server, the connection, the
// archive, an entry or link that would land outside, the disk, a cancel) leaving the older copy
// exactly as it was and nothing else behind.
#include "archives.h"
#include "codes/download.h"
#include "codes/downloadtransfer.h"
#include "codes/downloadunpack.h"
#include "httpserver.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using codes::DownloadFault;
using testsupport::ArchiveEntry;
using testsupport::ArchiveForm;
using testsupport::makeArchive;
using testsupport::Reply;
using Kind = ArchiveEntry::Kind;

const std::string kCodes =
    "Filetype: IR signals file\nVersion: 1\n#\nname: Power\ntype: parsed\nprotocol: NEC\n"
    "address: 04 00 00 00\ncommand: 08 00 00 00\n";

// Windows lets a program make no symbolic links without an administrator's rights: a link is
// unpacked as a copy of the file it leads to.
#if defined(_WIN32)
constexpr bool kLinksAreCopies = true;
#else
constexpr bool kLinksAreCopies = false;
#endif

// What a folder holds: each file's path with its contents, each link's with "-> target".
std::map<std::string, std::string> held(const fs::path& folder) {
    std::map<std::string, std::string> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error);
         !error && it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().lexically_relative(folder).generic_string();
        if (it->is_symlink())
            found[name] = "-> " + fs::read_symlink(it->path()).generic_string();
        else if (it->is_regular_file()) {
            std::ostringstream text;
            text << std::ifstream(it->path(), std::ios::binary).rdbuf();
            found[name] = text.str();
        }
    }
    return found;
}

class DownloadTest : public testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("qtm418-download-" + std::to_string(std::random_device()()));
        fs::create_directories(codeFolder() / "Acme");
        std::ofstream(codeFolder() / "Acme" / "old.ir") << "old";
    }
    void TearDown() override { fs::remove_all(home_); }

    fs::path codeFolder() const { return home_ / "codes"; }

    std::variant<codes::Downloaded, codes::DownloadProblem> download(const std::string& address,
                                                                     const codes::DownloadNote& note = {}) {
        const codes::Collection acme{"Acme", {}, address, codes::Licence::Unknown, 0};
        return codes::downloadCollection(acme, codeFolder(), note, cancelled_);
    }

    // The older copy as it was, and nothing beside it: no archive, no half-unpacked folder.
    void expectUntouched(const std::string& why) {
        EXPECT_EQ(held(codeFolder()), (std::map<std::string, std::string>{{"Acme/old.ir", "old"}})) << why;
        EXPECT_EQ(std::distance(fs::directory_iterator(codeFolder()), fs::directory_iterator()), 1) << why;
        EXPECT_FALSE(fs::exists(home_ / "evil.ir")) << why;
    }

    fs::path home_;
    testsupport::HttpServer server_;
    std::atomic<bool> cancelled_{false};
};

TEST_F(DownloadTest, TheCollectionReplacesItsOlderCopyWithoutTheTopFolder) {
    const struct {
        const char* name;
        ArchiveForm form;
        std::vector<ArchiveEntry> entries;
        std::map<std::string, std::string> installed;
    } cases[] = {
        {"GitHub's zip",
         ArchiveForm::Zip,
         {{"Acme-main/", "", Kind::Folder},
          {"Acme-main/TVs/LG/LG_1.ir", kCodes},
          {"Acme-main/README.md", "read me"},
          {"Acme-main/latest.ir", "", Kind::Symlink, "TVs/LG/LG_1.ir"}},
         {{"Acme/TVs/LG/LG_1.ir", kCodes},
          {"Acme/README.md", "read me"},
          {"Acme/latest.ir", kLinksAreCopies ? kCodes : "-> TVs/LG/LG_1.ir"}}},
        // A copy where there are no links: of the file at the end of the chain; a folder's left out.
        {"links through links and to a folder",
         ArchiveForm::TarGz,
         {{"Acme-main/TVs/LG_1.ir", kCodes},
          {"Acme-main/latest.ir", "", Kind::Symlink, "TVs/newest.ir"},
          {"Acme-main/TVs/newest.ir", "", Kind::Symlink, "../TVs/./LG_1.ir"},
          {"Acme-main/Televisions", "", Kind::Symlink, "TVs"}},
         kLinksAreCopies ? std::map<std::string, std::string>{{"Acme/TVs/LG_1.ir", kCodes},
                                                              {"Acme/TVs/newest.ir", kCodes},
                                                              {"Acme/latest.ir", kCodes}}
                         : std::map<std::string, std::string>{{"Acme/TVs/LG_1.ir", kCodes},
                                                              {"Acme/TVs/newest.ir", "-> ../TVs/./LG_1.ir"},
                                                              {"Acme/latest.ir", "-> TVs/newest.ir"},
                                                              {"Acme/Televisions", "-> TVs"}}},
        {"GitHub's tar.gz with a hard link",
         ArchiveForm::TarGz,
         {{"Acme-master/codes/LG/TV/4,-1.csv", "functionname,protocol,device,subdevice,function\n"},
          {"Acme-master/codes/LG/TV/copy.csv", "", Kind::Hardlink, "Acme-master/codes/LG/TV/4,-1.csv"}},
         {{"Acme/codes/LG/TV/4,-1.csv", "functionname,protocol,device,subdevice,function\n"},
          {"Acme/codes/LG/TV/copy.csv", "functionname,protocol,device,subdevice,function\n"}}},
        {"no top folder",
         ArchiveForm::Zip,
         {{"a.ir", kCodes}, {"b/c.ir", "c"}},
         {{"Acme/a.ir", kCodes}, {"Acme/b/c.ir", "c"}}},
    };
    for (const auto& c : cases) {
        const std::string archive = makeArchive(c.form, c.entries);
        server_.serve("/acme", {200, archive});
        std::vector<codes::DownloadStage> stages;
        const auto result = download(server_.address("/acme"), [&](const codes::DownloadProgress& p) {
            if (stages.empty() || stages.back() != p.stage)
                stages.push_back(p.stage);
        });
        ASSERT_TRUE(std::holds_alternative<codes::Downloaded>(result))
            << c.name << ": " << codes::describe(std::get<codes::DownloadProblem>(result));
        const auto& done = std::get<codes::Downloaded>(result);
        EXPECT_EQ(done.folder, codeFolder() / "Acme") << c.name;
        EXPECT_EQ(done.bytes, archive.size()) << c.name;
        EXPECT_TRUE(done.replaced) << c.name;
        EXPECT_EQ(held(codeFolder()), c.installed) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(codeFolder()), fs::directory_iterator()), 1) << c.name;
        EXPECT_EQ(stages, (std::vector{codes::DownloadStage::Fetching, codes::DownloadStage::Unpacking}))
            << c.name;
    }
}

TEST_F(DownloadTest, AFailedDownloadLeavesTheOlderCopyAndNothingElse) {
    const std::string good = makeArchive(ArchiveForm::Zip, {{"Acme-main/TVs/LG_1.ir", kCodes}});
    const auto tarGz = [](std::vector<ArchiveEntry> e) { return makeArchive(ArchiveForm::TarGz, e); };
    const auto zip = [](std::vector<ArchiveEntry> e) { return makeArchive(ArchiveForm::Zip, e); };
    const struct {
        const char* name;
        Reply reply;
        DownloadFault fault;
        std::string text; // the entry named, where one is
    } cases[] = {
        {"404", {404, "gone"}, DownloadFault::HttpStatus, ""},
        {"cut mid-body", {200, good, Reply::Way::CutHalfway}, DownloadFault::ConnectionCut, ""},
        {"not an archive", {200, "<html>sign in</html>"}, DownloadFault::DamagedArchive, ""},
        {"truncated zip", {200, good.substr(0, good.size() - 10)}, DownloadFault::DamagedArchive, ""},
        {"only folders", {200, zip({{"Acme-main/", "", Kind::Folder}})}, DownloadFault::EmptyArchive, ""},
        {"../ entry",
         {200, zip({{"Acme-main/TVs/LG_1.ir", kCodes}, {"Acme-main/../../evil.ir", "x"}})},
         DownloadFault::EntryClimbsOut,
         "Acme-main/../../evil.ir"},
        // With forward slashes, as libarchive writes a name on Windows too.
        {"absolute entry",
         {200, tarGz({{"Acme-main/a.ir", kCodes},
                      {(fs::temp_directory_path() / "qtm418-evil.ir").generic_string(), "x"}})},
         DownloadFault::EntryClimbsOut,
         (fs::temp_directory_path() / "qtm418-evil.ir").generic_string()},
        {"link out by ../",
         {200, zip({{"Acme-main/a.ir", kCodes}, {"Acme-main/out", "", Kind::Symlink, "../../.."}})},
         DownloadFault::LinkPointsOutside,
         "Acme-main/out"},
        {"absolute link",
         {200, tarGz({{"Acme-main/a.ir", kCodes}, {"Acme-main/passwd", "", Kind::Symlink, "/etc/passwd"}})},
         DownloadFault::LinkPointsOutside,
         "Acme-main/passwd"},
        {"link to the top folder's parent",
         {200, tarGz({{"Acme-main/a.ir", kCodes}, {"Acme-main/up", "", Kind::Symlink, ".."}})},
         DownloadFault::LinkPointsOutside,
         "Acme-main/up"},
        {"link out through another link",
         {200, tarGz({{"T/a/b/x.ir", kCodes},
                      {"T/a/b/up", "", Kind::Symlink, ".."},
                      {"T/a/y", "", Kind::Symlink, "b/up/../.."}})},
         DownloadFault::LinkPointsOutside,
         "T/a/y"},
        {"hard link out",
         {200, tarGz({{"Acme-main/a.ir", kCodes}, {"Acme-main/h", "", Kind::Hardlink, "../../evil.ir"}})},
         DownloadFault::LinkPointsOutside,
         "Acme-main/h"},
    };
    for (const auto& c : cases) {
        server_.serve("/acme", c.reply);
        const auto result = download(server_.address("/acme"));
        ASSERT_TRUE(std::holds_alternative<codes::DownloadProblem>(result)) << c.name;
        const auto& problem = std::get<codes::DownloadProblem>(result);
        EXPECT_EQ(problem.fault, c.fault) << c.name << ": " << codes::describe(problem);
        if (!c.text.empty()) {
            EXPECT_EQ(problem.text, c.text) << c.name;
        }
        expectUntouched(c.name);
    }
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "qtm418-evil.ir"));
}

TEST_F(DownloadTest, NoServerOrNoSecureLinkIsSaidAsSuch) {
    const std::string https = "https" + server_.address("/acme").substr(4);
    const struct {
        std::string address;
        DownloadFault fault;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(testsupport::unusedPort()) + "/acme",
         DownloadFault::NoConnection},
        // The test's server speaks no TLS: the handshake fails.
        {https, DownloadFault::SecureLinkFailed},
        {"http://example.com/acme.zip", DownloadFault::AddressRefused},
    };
    for (const auto& c : cases) {
        const auto result = download(c.address);
        ASSERT_TRUE(std::holds_alternative<codes::DownloadProblem>(result)) << c.address;
        EXPECT_EQ(std::get<codes::DownloadProblem>(result).fault, c.fault)
            << c.address << ": " << codes::describe(std::get<codes::DownloadProblem>(result));
        expectUntouched(c.address);
    }
}

TEST_F(DownloadTest, AStalledServerOrAnOversizedArchiveIsGivenUp) {
    const std::string archive = makeArchive(ArchiveForm::Zip, {{"Acme-main/a.ir", kCodes}});
    const struct {
        const char* name;
        Reply::Way way;
        codes::TransferLimits limits;
        DownloadFault fault;
    } cases[] = {
        {"stalled", Reply::Way::StallHalfway, {1u << 20, 5, 1}, DownloadFault::Stalled},
        {"too large", Reply::Way::Whole, {archive.size() - 1, 5, 60}, DownloadFault::TooLarge},
    };
    for (const auto& c : cases) {
        server_.serve("/acme", {200, archive, c.way});
        const auto problem =
            codes::fetchToFile(server_.address("/acme"), home_ / "archive", {}, cancelled_, c.limits);
        ASSERT_TRUE(problem.has_value()) << c.name;
        EXPECT_EQ(problem->fault, c.fault) << c.name << ": " << codes::describe(*problem);
    }
}

TEST_F(DownloadTest, ACancelInTheMiddleLeavesTheOlderCopy) {
    std::string noise(256 * 1024, '\0');
    std::mt19937 random(7);
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::string archive =
        makeArchive(ArchiveForm::Zip, {{"Acme-main/a.ir", kCodes}, {"Acme-main/b.bin", noise}});
    const struct {
        const char* name;
        Reply::Way way;
        codes::DownloadStage cancelAt;
    } cases[] = {
        {"while the server stalls", Reply::Way::StallHalfway, codes::DownloadStage::Fetching},
        {"while unpacking", Reply::Way::Whole, codes::DownloadStage::Unpacking},
    };
    for (const auto& c : cases) {
        cancelled_ = false;
        server_.serve("/acme", {200, archive, c.way});
        const auto result = download(server_.address("/acme"), [&](const codes::DownloadProgress& p) {
            if (p.stage == c.cancelAt && (p.done > 0 || p.files > 0))
                cancelled_ = true;
        });
        ASSERT_TRUE(std::holds_alternative<codes::DownloadProblem>(result)) << c.name;
        EXPECT_EQ(std::get<codes::DownloadProblem>(result).fault, DownloadFault::Cancelled) << c.name;
        expectUntouched(c.name);
    }
}

TEST_F(DownloadTest, AnUnwritableFolderOrAFullDiskIsSaidAndUndone) {
    // Root writes into any folder, so a folder that is a file stands for one that cannot be written.
    const fs::path file = home_ / "a-file";
    std::ofstream(file) << "x";
    server_.serve("/acme", {200, makeArchive(ArchiveForm::Zip, {{"Acme-main/a.ir", kCodes}})});
    const codes::Collection acme{"Acme", {}, server_.address("/acme"), codes::Licence::Unknown, 0};
    const auto refused = codes::downloadCollection(acme, file / "codes", {}, cancelled_);
    ASSERT_TRUE(std::holds_alternative<codes::DownloadProblem>(refused));
    EXPECT_EQ(std::get<codes::DownloadProblem>(refused).fault, DownloadFault::CannotWrite);
    EXPECT_EQ(std::get<codes::DownloadProblem>(refused).text, (file / "codes").string());

#if defined(_WIN32)
    GTEST_SKIP() << "Windows has no limit on a file's size to stand for a full disk; the Linux build "
                    "checks that half";
#else
    // A file-size limit fails writes as a full disk does: first the archive itself, then a file
    // unpacked from a small archive.
    std::string noise(200 * 1024, '\0');
    std::mt19937 random(11);
    for (char& c : noise)
        c = static_cast<char>(random());
    const struct {
        const char* name;
        std::string archive;
        std::string fullAt; // the start of the file's name that could not be written
    } cases[] = {
        {"the archive", makeArchive(ArchiveForm::Zip, {{"Acme-main/noise.bin", noise}}), ".Acme.download-"},
        {"an unpacked file",
         makeArchive(ArchiveForm::Zip, {{"Acme-main/zeros.bin", std::string(200 * 1024, '\0')}}),
         "zeros.bin"},
    };
    const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& c : cases) {
        server_.serve("/acme", {200, c.archive});
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        const auto result = download(server_.address("/acme"));
        setrlimit(RLIMIT_FSIZE, &before);
        ASSERT_TRUE(std::holds_alternative<codes::DownloadProblem>(result)) << c.name;
        const auto& problem = std::get<codes::DownloadProblem>(result);
        EXPECT_EQ(problem.fault, DownloadFault::DiskFull) << c.name << ": " << codes::describe(problem);
        EXPECT_NE(fs::path(problem.text).filename().string().rfind(c.fullAt, 0), std::string::npos)
            << c.name << ": " << problem.text;
        expectUntouched(c.name);
    }
    std::signal(SIGXFSZ, ignored);
#endif
}

TEST(DownloadNames, EntriesLinksAndAddressesAreJudgedByTheirNames) {
    const struct {
        const char* entry;
        bool inside;
    } entries[] = {
        {"a/b.ir", true},        {"./a//b.ir", true}, {"a/../b.ir", true},
        {"a/../../b.ir", false}, {"..", false},       {"/etc/x", false},
        {"\\windows\\x", false}, {"C:x", false},      {"a\\..\\..\\x", false},
    };
    for (const auto& e : entries)
        EXPECT_EQ(codes::entryParts(e.entry).has_value(), e.inside) << e.entry;
    EXPECT_TRUE(codes::linkStaysInside("a/b/link", "../c.ir"));
    EXPECT_FALSE(codes::linkStaysInside("a/link", "../../c.ir"));
    EXPECT_FALSE(codes::linkStaysInside("a/link", "/c.ir"));

    // Where links lead, through the archive's other links as Linux would follow them.
    const std::map<std::string, std::string> others = {
        {"a/b/up", ".."}, {"a/here", "."}, {"a/loop", "loop2"}, {"a/loop2", "loop"}, {"a/root", "/"}};
    const struct {
        const char* link;
        const char* target;
        const char* leadsTo; // parts joined by "/"; nullptr when outside, at a root or a loop
    } links[] = {
        {"a/l", "b/c.ir", "a/b/c.ir"},  {"a/l", "b\\..\\c.ir", "a/c.ir"},
        {"a/l", "b/up/c.ir", "a/c.ir"}, {"a/l", "b/up/..", ""},
        {"a/l", "b/up/../..", nullptr}, {"a/l", "here/here/b/up/c.ir", "a/c.ir"},
        {"l", "..", nullptr},           {"a/l", "loop", nullptr},
        {"a/l", "root/etc", nullptr},   {"a/l", "", nullptr},
        {"a/l", "C:\\x", nullptr},
    };
    for (const auto& l : links) {
        const auto leads = codes::linkLeadsTo(l.link, l.target, others);
        std::string joined;
        for (const std::string& part : leads.value_or(std::vector<std::string>{}))
            joined += (joined.empty() ? "" : "/") + part;
        EXPECT_EQ(leads.has_value(), l.leadsTo != nullptr) << l.link << " -> " << l.target << ": " << joined;
        if (leads && l.leadsTo) {
            EXPECT_EQ(joined, l.leadsTo) << l.link << " -> " << l.target;
        }
    }

    const struct {
        const char* address;
        const char* name; // "" when refused
        codes::Licence licence;
    } addresses[] = {
        {"https://codeload.github.com/Lucaslhm/Flipper-IRDB/zip/refs/heads/main", "Flipper-IRDB",
         codes::Licence::Cc0},
        {"https://github.com/probonopd/irdb/archive/refs/heads/master.tar.gz", "IRDB", codes::Licence::Irdb},
        {"https://github.com/someone/My-Codes/archive/refs/heads/main.zip", "My-Codes",
         codes::Licence::Unknown},
        {"https://example.com/files/tv%20codes.tar.gz?x=1", "tv_20codes", codes::Licence::Unknown},
        {"https://example.com/../.hidden.zip", "hidden", codes::Licence::Unknown},
        {"http://127.0.0.1:8080/codes.tgz", "codes", codes::Licence::Unknown},
        {"http://example.com/codes.zip", "", codes::Licence::Unknown},
        {"ftp://example.com/codes.zip", "", codes::Licence::Unknown},
        {"codes.zip", "", codes::Licence::Unknown},
    };
    for (const auto& a : addresses) {
        const auto at = codes::collectionAt(a.address);
        if (*a.name == 0) {
            EXPECT_TRUE(std::holds_alternative<codes::DownloadProblem>(at)) << a.address;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<codes::Collection>(at)) << a.address;
        EXPECT_EQ(std::get<codes::Collection>(at).name, a.name) << a.address;
        EXPECT_EQ(std::get<codes::Collection>(at).licence, a.licence) << a.address;
        EXPECT_EQ(std::get<codes::Collection>(at).archive, a.address) << a.address;
    }
    ASSERT_NE(codes::findCollection("flipper-irdb"), nullptr);
    EXPECT_TRUE(codes::licenceNeedsConsent(codes::findCollection("IRDB")->licence));
    EXPECT_EQ(codes::findCollection("nothing"), nullptr);
    for (const codes::Collection& known : codes::knownCollections())
        EXPECT_EQ(known.archive.rfind("https://codeload.github.com/", 0), 0u) << known.name;
}

} // namespace
