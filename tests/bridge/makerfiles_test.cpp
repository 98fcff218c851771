// Which maker's files the program finds and whether they may serve, before anything loads them:
// the two together or neither, 32-bit Windows libraries only, the folder QTM418_MAKER_DIR names
// standing alone.
#include "bridge/hostprocess.h"
#include "bridge/libraryfile.h"
#include "bridge/makerchoice.h"
#include "bridge/makerfiles.h"

#include "environment.h"
#include "libraryimages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace bridge;

using testsupport::imageHead;
using testsupport::writeBytes;

constexpr std::uint16_t kX86 = testsupport::kMachineX86;
constexpr std::uint16_t kX64 = testsupport::kMachineX64;
constexpr std::uint16_t kArm64 = testsupport::kMachineArm64;

class MakerFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        root_ = fs::temp_directory_path() / ("qtm418-maker-" + std::to_string(random()));
        fs::create_directories(root_ / "program" / "maker");
        fs::create_directories(root_ / "user");
        fs::create_directories(root_ / "named");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path root_;
};

TEST(LibraryFile, OnlyA32BitWindowsLibraryPasses) {
    const std::string x86 = imageHead(kX86, true);
    std::string farHeader = x86;
    farHeader[0x3E] = 0x7F; // the PE header said to be far beyond the file
    const struct {
        const char* what;
        std::string head;
        std::optional<Refusal> expected;
    } cases[] = {
        {"a 32-bit library", x86, std::nullopt},
        {"a 64-bit library", imageHead(kX64, true), Refusal::Needs32Bit},
        {"an ARM library", imageHead(kArm64, true), Refusal::OtherMachine},
        {"a program, not a library", imageHead(kX86, false), Refusal::NotALibrary},
        {"text", "this is not a library at all", Refusal::NotALibrary},
        {"empty", "", Refusal::NotALibrary},
        {"cut before the PE header", x86.substr(0, 0x82), Refusal::NotALibrary},
        {"a PE header pointer out of reach", farHeader, Refusal::NotALibrary},
        {"MZ alone", "MZ", Refusal::NotALibrary},
    };
    for (const auto& c : cases)
        EXPECT_EQ(libraryHeadProblem(c.head), c.expected) << c.what;
}

TEST_F(MakerFolder, NeitherFileMeansTheVirtualRemote) {
    writeBytes(root_ / "program" / "maker" / "readme.txt", "the maker's files go here");
    EXPECT_FALSE(findMakerFiles({root_ / "program" / "maker", root_ / "user", root_ / "nowhere"}));
}

TEST_F(MakerFolder, BothFilesServeAndTheirNamesAreMatchedAsWindowsDoes) {
    writeBytes(root_ / "user" / "KESTRIO.DLL", imageHead(kX86, true));
    writeBytes(root_ / "user" / "conlcode.dll", imageHead(kX86, true));
    const auto files = findMakerFiles({root_ / "program" / "maker", root_ / "user"});
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder, root_ / "user");
    EXPECT_EQ(files->deviceLibrary.filename(), "KESTRIO.DLL");
    EXPECT_EQ(files->converter.filename(), "conlcode.dll");
    EXPECT_FALSE(checkMakerFiles(*files));
}

TEST_F(MakerFolder, TheFirstFolderHoldingEitherFileDecides) {
    // One file beside the program hides a good pair in the user's folder: never mixed.
    writeBytes(root_ / "program" / "maker" / "ConLCode.dll", imageHead(kX86, true));
    writeBytes(root_ / "user" / "kestrio.dll", imageHead(kX86, true));
    writeBytes(root_ / "user" / "ConLCode.dll", imageHead(kX86, true));
    const auto files = findMakerFiles({root_ / "program" / "maker", root_ / "user"});
    ASSERT_TRUE(files);
    EXPECT_EQ(files->folder, root_ / "program" / "maker");
    const auto problem = checkMakerFiles(*files);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->file, MakerFile::DeviceLibrary);
    EXPECT_EQ(problem->reason, Refusal::Missing);
    EXPECT_EQ(problem->path, root_ / "program" / "maker" / "kestrio.dll");
}

TEST_F(MakerFolder, EachFileAloneOrUnfitIsNamed) {
    const fs::path folder = root_ / "program" / "maker";
    const struct {
        const char* what;
        std::string deviceLibrary; // empty: not there
        std::string converter;
        MakerFile file;
        Refusal reason;
    } cases[] = {
        {"the converter alone", "", imageHead(kX86, true), MakerFile::DeviceLibrary, Refusal::Missing},
        {"the device library alone", imageHead(kX86, true), "", MakerFile::Converter, Refusal::Missing},
        {"a 64-bit device library", imageHead(kX64, true), imageHead(kX86, true), MakerFile::DeviceLibrary,
         Refusal::Needs32Bit},
        {"a damaged converter", imageHead(kX86, true), "MZ garbage", MakerFile::Converter,
         Refusal::NotALibrary},
    };
    for (const auto& c : cases) {
        fs::remove(folder / "kestrio.dll");
        fs::remove(folder / "ConLCode.dll");
        if (!c.deviceLibrary.empty())
            writeBytes(folder / "kestrio.dll", c.deviceLibrary);
        if (!c.converter.empty())
            writeBytes(folder / "ConLCode.dll", c.converter);
        const auto files = findMakerFiles({folder});
        ASSERT_TRUE(files) << c.what;
        const auto problem = checkMakerFiles(*files);
        ASSERT_TRUE(problem) << c.what;
        EXPECT_EQ(problem->file, c.file) << c.what;
        EXPECT_EQ(problem->reason, c.reason) << c.what;
    }
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The owner's choice waits beside the folder until the next start puts it in place whole.
TEST_F(MakerFolder, AChoiceOfFilesIsCheckedFirstAndTakesEffectWhole) {
    const fs::path folder = root_ / "user";
    writeBytes(folder / "kestrio.dll", imageHead(kX86, true) + "old");
    writeBytes(folder / "ConLCode.dll", imageHead(kX86, true) + "old");
    const fs::path offered = root_ / "offered";
    const struct {
        const char* what;
        std::string deviceLibrary; // empty: not there
        std::string converter;
        std::optional<Refusal> refused;
    } cases[] = {
        {"no converter", imageHead(kX86, true), "", Refusal::Missing},
        {"a 64-bit converter", imageHead(kX86, true), imageHead(kX64, true), Refusal::Needs32Bit},
        {"nothing at all", "", "", Refusal::Missing},
        {"a good pair", imageHead(kX86, true) + "new library", imageHead(kX86, true) + "new converter",
         std::nullopt},
    };
    for (const auto& c : cases) {
        fs::remove_all(offered);
        fs::create_directories(offered);
        if (!c.deviceLibrary.empty())
            writeBytes(offered / "KESTRIO.DLL", c.deviceLibrary);
        if (!c.converter.empty())
            writeBytes(offered / "conlcode.dll", c.converter);
        const auto problem = chooseMakerFiles(offered, folder);
        EXPECT_EQ(problem.has_value(), c.refused.has_value()) << c.what;
        if (problem && c.refused) {
            EXPECT_EQ(problem->kind, ChoiceProblem::Kind::Files) << c.what;
            ASSERT_TRUE(problem->files) << c.what;
            EXPECT_EQ(problem->files->reason, *c.refused) << c.what;
        }
        EXPECT_EQ(pendingChoice(folder), c.refused ? PendingChoice::None : PendingChoice::Maker) << c.what;
    }
    // Until the next start the folder serves as it did.
    EXPECT_EQ(readBytes(folder / "kestrio.dll"), imageHead(kX86, true) + "old");
    applyPendingChoice(folder);
    EXPECT_EQ(pendingChoice(folder), PendingChoice::None);
    EXPECT_EQ(readBytes(folder / "kestrio.dll"), imageHead(kX86, true) + "new library");
    EXPECT_EQ(readBytes(folder / "ConLCode.dll"), imageHead(kX86, true) + "new converter");
    EXPECT_EQ(std::distance(fs::directory_iterator(root_), fs::directory_iterator()), 4)
        << "nothing prepared is left beside the folder";

    ASSERT_FALSE(chooseVirtualRemote(folder));
    EXPECT_EQ(pendingChoice(folder), PendingChoice::Virtual);
    EXPECT_TRUE(findMakerFiles({folder})) << "the maker's files serve until the next start";
    applyPendingChoice(folder);
    EXPECT_FALSE(findMakerFiles({folder}));
    EXPECT_EQ(pendingChoice(folder), PendingChoice::None);
}

TEST_F(MakerFolder, TheFolderAChoiceChangesIsTheOneServing) {
    const std::vector<fs::path> folders{root_ / "program" / "maker", root_ / "user"};
    auto changed = folderToChange(folders);
    ASSERT_TRUE(std::holds_alternative<fs::path>(changed));
    EXPECT_EQ(std::get<fs::path>(changed), root_ / "user") << "with no files, the user's own";

    // The installer's files beside the program would hide any the program put in the user's folder.
    writeBytes(root_ / "program" / "maker" / "kestrio.dll", imageHead(kX86, true));
    changed = folderToChange(folders);
    ASSERT_TRUE(std::holds_alternative<ChoiceProblem>(changed));
    EXPECT_EQ(std::get<ChoiceProblem>(changed).kind, ChoiceProblem::Kind::Installed);
    EXPECT_EQ(std::get<ChoiceProblem>(changed).path, root_ / "program" / "maker");
}

#if !defined(_WIN32)
// Under wine the host needs wine's 32-bit loader and a kernel that runs it; either missing is
// told before the host is started, not left to look like a host that ended by itself.
TEST_F(MakerFolder, AWineThatCannotRunTheHostIsToldWhy) {
    const fs::path withWine64 = root_ / "named";
    writeBytes(withWine64 / "wine64", "");
    const fs::path notAProgram = root_ / "user" / "wine";
    writeBytes(notAProgram, "neither a script nor a program");
    fs::permissions(notAProgram, fs::perms::owner_all);
    const struct {
        const char* what;
        fs::path loader;
        std::string says; // empty: nothing to tell
    } cases[] = {
        {"a loader that runs", "/bin/true", ""},
        {"only 64-bit wine", withWine64 / "wine", "32-bit wine (wine32:i386) is not installed"},
        {"wine laid out otherwise", root_ / "program" / "wine", ""},
        {"a loader the kernel refuses", notAProgram, "this computer runs no 32-bit programs"},
    };
    for (const auto& c : cases) {
        const std::string said = wine32Problem(c.loader);
        EXPECT_EQ(said.empty(), c.says.empty()) << c.what << ": " << said;
        EXPECT_NE(said.find(c.says), std::string::npos) << c.what << ": " << said;
    }
}
#endif

TEST_F(MakerFolder, TheNamedFolderIsTheOnlyOneLookedIn) {
    {
        testsupport::ScopedEnvironment named("QTM418_MAKER_DIR", root_ / "named");
        EXPECT_EQ(makerFolders(root_ / "program"), std::vector<fs::path>{root_ / "named"});
    }
    testsupport::ScopedEnvironment unnamed("QTM418_MAKER_DIR", std::nullopt);
#if defined(_WIN32)
    testsupport::ScopedEnvironment user("LOCALAPPDATA", root_ / "user");
#else
    testsupport::ScopedEnvironment user("XDG_DATA_HOME", root_ / "user");
#endif
    EXPECT_EQ(makerFolders(root_ / "program"),
              (std::vector<fs::path>{root_ / "program" / "maker", root_ / "user" / "qtm418" / "maker"}));
    EXPECT_EQ(userMakerFolder(), root_ / "user" / "qtm418" / "maker");
}

} // namespace
