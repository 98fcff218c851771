// backup and restore on the virtual remote: the memory round trip, the files and remotes refused
// with nothing written, verification, and restores cut short at every write.
#include "ctlrun.h"
#include "devicefolder.h"
#include "textmatch.h"

#include "model/backupfile.h"
#include "model/portablefiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

using testsupport::runCtl;

namespace {

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

// The memory outside the identification block, which restore never writes.
emu::Memory userMemory(testsupport::DeviceFolder& folder) {
    emu::Memory m = folder.snapshot().memory;
    std::fill(m.begin() + 0xB000, m.begin() + 0xB000 + model::kIdentificationBlockBytes, 0);
    return m;
}

// Whether each 8-byte block in which `after` differs from `before` is among `reported`, the
// blocks a restore says it wrote ("... blocks written: 7FA8, 8000-8038; ...").
bool reportsEveryChangedBlock(const emu::Memory& before, const emu::Memory& after,
                              const std::string& message) {
    const auto from = message.find("blocks written: ");
    std::vector<std::pair<unsigned long, unsigned long>> ranges;
    if (from != std::string::npos) {
        std::istringstream list(message.substr(from + 16, message.find(';', from) - from - 16));
        for (std::string range; std::getline(list >> std::ws, range, ',');) {
            const unsigned long first = std::stoul(range.substr(0, 4), nullptr, 16);
            ranges.emplace_back(first,
                                range.size() > 5 ? std::stoul(range.substr(5, 4), nullptr, 16) : first);
        }
    }
    for (std::size_t block = 0; block < before.size(); block += 8) {
        if (std::equal(before.begin() + block, before.begin() + block + 8, after.begin() + block))
            continue;
        if (std::none_of(ranges.begin(), ranges.end(),
                         [block](const auto& r) { return block >= r.first && block <= r.second; }))
            return false;
    }
    return true;
}

TEST(CtlBackup, RestoreGivesBackTheSameMemory) {
    testsupport::DeviceFolder folder("learned");
    // A name outside ASCII, as an owner's Chinese file name: it arrives and prints as UTF-8.
    const auto file = folder.path() / model::textPath("遥控器备份 learned.qtm418");
    const std::string name = model::pathText(file);
    const emu::Memory learned = folder.snapshot().memory;
    const auto saved = runCtl({"backup", name});
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_TRUE(has(saved.out, "(model 100R, firmware 1.3) to " + name)) << saved.out;
    EXPECT_EQ(readText(file).rfind("QTM418-BACKUP 1\nidentity: 51544D343138", 0), 0u);

    // The same remote after its keys changed: every byte comes back.
    ASSERT_EQ(runCtl({"clear", "--yes"}).status, 0);
    const auto restored = runCtl({"restore", name});
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_TRUE(has(restored.out, "the whole memory verified")) << restored.out;
    EXPECT_EQ(folder.snapshot().memory, learned);

    // A fresh remote (another identity) and remotes of other layouts: all but their own
    // identification block.
    const emu::Memory wanted = userMemory(folder);
    for (const char* profile : {"factory", "big-index", "blocks-13", "corrupt-pointer"}) {
        folder.reset(profile);
        const auto refused = runCtl({"restore", name});
        EXPECT_EQ(refused.status, 1) << profile;
        EXPECT_TRUE(has(refused.err, "holds the memory of another remote")) << refused.err;
        const auto forced = runCtl({"restore", name, "--force"});
        EXPECT_EQ(forced.status, 0) << profile << ": " << forced.err;
        EXPECT_EQ(userMemory(folder), wanted) << profile;
        EXPECT_EQ(runCtl({"check"}).out, "layout sound\n") << profile;
    }
}

TEST(CtlBackup, DamagedFilesAndOtherModelsAreRefusedWithNothingWritten) {
    testsupport::DeviceFolder folder("learned");
    const auto file = folder.path() / "copy.qtm418";
    ASSERT_EQ(runCtl({"backup", file.string()}).status, 0);
    const std::string good = readText(file);
    auto edited = [&](std::size_t at, const std::string& with) {
        std::string text = good;
        text.replace(at, with.size(), with);
        return text;
    };
    const std::size_t memoryLine50 = good.find("\n0620 ") + 1;
    model::MemoryBackup otherModel = std::get<model::MemoryBackup>(model::parseBackup(good));
    otherModel.model = "200R";
    const struct {
        const char* what;
        std::string text;
        int status;
        std::string message;
    } cases[] = {
        {"empty", "", 2, ":1: not a qtm418ctl backup"},
        {"garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11), 2, ":1: not a qtm418ctl backup"},
        {"newer format", edited(0, "QTM418-BACKUP 2"), 2, ":1: backup format '2' is not known"},
        {"truncated", good.substr(0, memoryLine50), 2, ":56: the file ends before the memory at 0620"},
        {"no checksum", good.substr(0, good.find("crc32")), 2, ":2055: the file ends before its checksum"},
        {"one digit changed", edited(memoryLine50 + 7, "F"), 2, ":2055: the checksum does not match"},
        {"not hex", edited(memoryLine50 + 7, "x"), 2, ":56: 'x' at 0621 is not a hex digit"},
        {"huge size", edited(good.find("memory: "), "memory: 99999999999999999999\n"), 2,
         ":6: a backup holds 65536 bytes of memory, not 9999999999999999"},
        {"missing field", edited(good.find("firmware"), "firmwear"), 2, ":4: expected 'firmware: '"},
        {"text after", good + "more\n", 2, ":2056: unexpected text after the checksum"},
        {"other model", model::formatBackup(otherModel), 1, "a model 200R remote, not of this model 100R"},
    };
    const emu::Memory before = folder.snapshot().memory;
    for (const auto& c : cases) {
        writeText(file, c.text);
        const auto result = runCtl({"restore", file.string(), "--force"});
        EXPECT_EQ(result.status, c.status) << c.what;
        EXPECT_TRUE(has(result.err, c.message)) << c.what << ": " << result.err;
        EXPECT_TRUE(has(result.err, "nothing written")) << c.what << ": " << result.err;
    }
    EXPECT_EQ(runCtl({"restore", (folder.path() / "absent").string()}).status, 2);
    EXPECT_EQ(folder.snapshot().memory, before);
}

// A copy with a sound checksum whose layout is broken (the preset table made to run past the end
// of memory) is refused naming the fault, and written only with --force, which says what follows.
TEST(CtlBackup, ACopyWhoseLayoutIsNotSoundIsWrittenOnlyWhenForced) {
    testsupport::DeviceFolder folder("learned");
    const auto file = folder.path() / "copy.qtm418";
    ASSERT_EQ(runCtl({"backup", file.string()}).status, 0);
    auto backup = std::get<model::MemoryBackup>(model::parseBackup(readText(file)));
    backup.memoryText.replace(2 * 0x1601, 2, "FF");
    writeText(file, model::formatBackup(backup));
    const emu::Memory before = folder.snapshot().memory;
    const auto refused = runCtl({"restore", file.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(has(refused.err, "holds a memory whose layout is not sound (")) << refused.err;
    EXPECT_TRUE(has(refused.err, "runs past the end of memory")) << refused.err;
    EXPECT_TRUE(has(refused.err, "--force writes it anyway; nothing written")) << refused.err;
    EXPECT_EQ(folder.snapshot().memory, before);

    const auto forced = runCtl({"restore", file.string(), "--force"});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_TRUE(has(forced.err, "the remote will fail 'qtm418ctl check' once it is restored")) << forced.err;
    EXPECT_EQ(runCtl({"check"}).status, 1);
}

// A copy as a Windows editor or a mail program leaves it: CRLF line endings, blanks at the ends
// of lines and blank lines after the checksum. It reads as the file written, and a changed digit
// is still found, with messages free of the carriage returns.
TEST(BackupFile, WindowsLineEndingsAndTrailingBlanksReadAsTheSameFile) {
    model::MemoryBackup written{"51544D343138A1B2C3D4E5F6A7B8C9", "100R", "1.3", "2024-05-01T09:30:00Z",
                                std::string(2 * 0x10000, '0')};
    written.memoryText.replace(2 * 0x1000, 8, "0A1B2C3D");
    const std::string text = model::formatBackup(written);
    const auto endedBy = [](std::string lines, const std::string& ending) {
        for (std::size_t at = lines.find('\n'); at != std::string::npos;
             at = lines.find('\n', at + ending.size()))
            lines.replace(at, 1, ending);
        return lines;
    };
    const auto edited = [](std::string lines, const std::string& from, const std::string& to) {
        return lines.replace(lines.find(from), from.size(), to);
    };
    const struct {
        const char* what;
        std::string text;
    } same[] = {
        {"CRLF", endedBy(text, "\r\n")},
        {"blanks", endedBy(text, " \t\n")},
        {"both, blank lines after", endedBy(text, "  \r\n") + "\r\n \n"},
    };
    for (const auto& c : same) {
        const auto read = model::parseBackup(c.text);
        ASSERT_TRUE(std::holds_alternative<model::MemoryBackup>(read))
            << c.what << ": " << model::describe(std::get<model::BackupProblem>(read));
        EXPECT_EQ(std::get<model::MemoryBackup>(read), written) << c.what;
    }
    const std::string crlf = endedBy(text, "\r\n");
    const struct {
        const char* what;
        std::string text;
        unsigned line;
        std::string message;
    } refused[] = {
        {"newer format", edited(crlf, "BACKUP 1", "BACKUP 2"), 1,
         "backup format '2' is not known; this program reads format 1"},
        {"a digit changed", edited(crlf, "0A1B2C3D", "0A1B2C3E"), 2055,
         "the checksum does not match the contents, line endings and trailing blanks aside; the file is "
         "damaged"},
        {"a carriage return inside a line", edited(crlf, "\n0000 00", "\n0000 0\r"), 7,
         "character 0D at 0000 is not a hex digit"},
    };
    for (const auto& c : refused) {
        const auto read = model::parseBackup(c.text);
        ASSERT_TRUE(std::holds_alternative<model::BackupProblem>(read)) << c.what;
        EXPECT_EQ(std::get<model::BackupProblem>(read).line, c.line) << c.what;
        EXPECT_EQ(model::describe(std::get<model::BackupProblem>(read)), c.message) << c.what;
    }
}

TEST(CtlBackup, ReadFailuresWriteNoFileAndAFailedVerificationNamesTheBlocks) {
    testsupport::DeviceFolder folder("learned");
    const auto file = folder.path() / "copy.qtm418";
    folder.failNext(emu::Operation::ReadData, 1, 10);
    const auto failed = runCtl({"backup", file.string()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(has(failed.err, "the remote's memory could not be read at ")) << failed.err;
    EXPECT_TRUE(has(failed.err, "; no backup written\n")) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(file));
    folder.setAttached(false);
    EXPECT_EQ(runCtl({"backup", file.string()}).status, 2);
    folder.setAttached(true);

    const auto progress = runCtl({"backup", file.string(), "--progress"});
    ASSERT_EQ(progress.status, 0);
    EXPECT_TRUE(has(progress.err, "\rbackup: reading  50%")) << progress.err;
    EXPECT_EQ(progress.err.back(), '\r'); // the line is cleared before the command's own message
    EXPECT_EQ(runCtl({"backup", file.string()}).err, "");

    // This remote answers one byte of its header with other characters than hex digits, so
    // that byte never reads back as written.
    folder.reset("corrupt-hex");
    const auto unverified = runCtl({"restore", file.string(), "--force"});
    EXPECT_EQ(unverified.status, 1);
    EXPECT_EQ(unverified.err,
              "qtm418ctl: verification failed: the remote's blocks 1000 differ from " + file.string() + "\n");
}

// Each write of a restore fails in turn, one write lost or the cable pulled for good: the layout
// stays sound, the message names the blocks written, and a second restore finishes.
TEST(CtlBackup, EveryFailedWriteOfARestoreLeavesTheRemoteSound) {
    testsupport::DeviceFolder folder;
    // Learned keys put onto a new remote, a new remote's memory over learned keys whose codes it
    // frees, and copies of layouts that lie elsewhere in memory.
    for (const auto& [from, onto] : {std::pair{"learned", "factory"}, std::pair{"factory", "learned"},
                                     std::pair{"learned", "big-index"}, std::pair{"blocks-13", "learned"}}) {
        folder.reset(from);
        const auto file = folder.path() / "copy.qtm418";
        ASSERT_EQ(runCtl({"backup", file.string()}).status, 0);
        const emu::Memory wanted = userMemory(folder);
        folder.reset(onto);
        std::filesystem::remove(folder.path() / "exchanges.log");
        folder.emu({"trace", "on"});
        ASSERT_EQ(runCtl({"restore", file.string(), "--force"}).status, 0);
        const std::size_t writes = folder.exchanges("writedatav20");
        ASSERT_GT(writes, 5u);
        for (std::size_t n = 1; n <= writes; ++n) {
            // One write lost, or the cable pulled during it, which loses every write from there on.
            for (const unsigned count : {1u, 0u}) {
                folder.reset(onto);
                const emu::Memory before = folder.snapshot().memory;
                folder.failNext(emu::Operation::WriteData, std::max(count, 1u), static_cast<unsigned>(n - 1),
                                count == 0);
                const auto failed = runCtl({"restore", file.string(), "--force"});
                EXPECT_EQ(failed.status, count == 0 ? 2 : 1) << from << " write " << n;
                EXPECT_TRUE(
                    has(failed.err, n == 1 ? "nothing was written; restore again" : "; blocks written: "))
                    << failed.err;
                if (count == 0) {
                    EXPECT_TRUE(has(failed.err, "the remote went away during the restore; ")) << failed.err;
                    EXPECT_TRUE(reportsEveryChangedBlock(before, folder.snapshot().memory, failed.err))
                        << failed.err;
                    folder.setAttached(true);
                }
                std::string check;
                EXPECT_EQ(folder.emu({"check"}, &check), 0) << from << " write " << n << "\n" << check;
                // Plugged in again, the owner restores once more and has the copy.
                if (count == 0) {
                    EXPECT_EQ(runCtl({"restore", file.string(), "--force"}).status, 0)
                        << from << " write " << n;
                    EXPECT_EQ(userMemory(folder), wanted) << from << " write " << n;
                }
            }
        }
    }
}

} // namespace
