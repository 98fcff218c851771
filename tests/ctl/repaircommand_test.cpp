// repair on a virtual remote whose layout was damaged by hand: the plan it prints, what it fixes,
// what it leaves, and a remote that never gets worse whichever of its writes fails.
#include "ctlrun.h"
#include "devicefolder.h"
#include "textmatch.h"

#include "device/layoutio.h"
#include "model/memorylayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

using testsupport::runCtl;

namespace {

void poke(testsupport::DeviceFolder& folder, const std::function<void(emu::Memory&)>& change) {
    folder.store().transact([&](emu::Device& d) {
        change(d.memory);
        return unsigned{emu::MemoryChanged};
    });
}

std::set<std::string> violations(testsupport::DeviceFolder& folder) {
    std::string out;
    folder.emu({"check"}, &out);
    std::set<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line != "layout sound" && line.rfind("warning:", 0) != 0)
            lines.insert(line);
    return lines;
}

// The learned remote with one of each fault repair mends: key 04 refers past the index (leaving
// entry 0 to no key), key 11 refers to a free entry, entry 5 is in use for no key, blocks 200-203
// are marked in use for no entry, and block 4 of entry 1 is marked free.
void damage(testsupport::DeviceFolder& folder) {
    folder.reset("learned");
    const model::DeviceLayout l = device::readDeviceLayout().layout;
    const unsigned index = l.blockMapAddress + (l.codeBlockCount + 7) / 8;
    poke(folder, [&](emu::Memory& m) {
        m[model::slotAddress(l, 4) + 3] = 40;
        m[model::slotAddress(l, 9) + 2] = 0x80;
        m[model::slotAddress(l, 9) + 3] = 9;
        const unsigned char entry5[] = {0xAB, 0xCD, 0xEF, 100, 0x80, 2};
        std::copy(std::begin(entry5), std::end(entry5), m.begin() + index + 6 * 5);
        m[l.blockMapAddress + 25] = 0xF0;
        m[l.blockMapAddress] = 0xF0;
    });
}

const char* kPlan = "empty key 04 (slot 4): it refers to index entry 40, past the index's 32 entries\n"
                    "empty key 11 (slot 9): it refers to index entry 9, which is free\n"
                    "free index entry 0: no key refers to it\n"
                    "free index entry 5: no key refers to it\n"
                    "block map: mark block(s) 0-2, 200-203 free, no entry in use holds them\n"
                    "block map: mark block(s) 4 in use, an entry in use holds them\n";

TEST(CtlRepair, PrintsThePlanFixesWhatNeedsNoGuessAndKeepsSoundKeys) {
    testsupport::DeviceFolder folder;
    damage(folder);
    const auto damaged = violations(folder);
    ASSERT_EQ(damaged.size(), 6u);
    const emu::Memory before = folder.snapshot().memory;
    const auto dry = runCtl({"repair", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, std::string(kPlan) + "dry run: nothing written\n");
    EXPECT_EQ(folder.snapshot().memory, before);

    const auto repaired = runCtl({"repair"});
    EXPECT_EQ(repaired.status, 0) << repaired.err;
    EXPECT_EQ(repaired.out, std::string(kPlan) + "repaired: layout sound\n");
    EXPECT_EQ(runCtl({"check"}).out, "layout sound\n");
    const std::string keys = runCtl({"keys"}).out;
    EXPECT_TRUE(has(keys, "04 TV/Up: empty\n")) << keys;
    EXPECT_TRUE(has(keys, "10 TV/OK: learned, stored code 3A2B1C (entry 1, 2 blocks, shared with 05)"))
        << keys;
    EXPECT_EQ(runCtl({"repair"}).out, "nothing to repair\n");
}

TEST(CtlRepair, LeavesWhatNeedsAGuessAndSaysSo) {
    testsupport::DeviceFolder folder("learned");
    const model::DeviceLayout l = device::readDeviceLayout().layout;
    const unsigned index = l.blockMapAddress + (l.codeBlockCount + 7) / 8;
    // Entry 1, used by keys 05 and 10, now overlaps entry 0 at block 2.
    poke(folder, [&](emu::Memory& m) { m[index + 6 + 3] = 2; });
    const auto result = runCtl({"repair"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(has(result.out, "left as it is: index entry 1 overlaps index entry 0 at block 2"))
        << result.out;
    EXPECT_TRUE(has(result.err, "the rest is left as it is")) << result.err;
}

// Each write of the repair fails in turn: the remote is never worse than before, and a second
// repair finishes the work.
TEST(CtlRepair, EveryFailedWriteLeavesNoNewViolationAndRepairCanFinish) {
    testsupport::DeviceFolder folder;
    damage(folder);
    std::filesystem::remove(folder.path() / "exchanges.log");
    folder.emu({"trace", "on"});
    ASSERT_EQ(runCtl({"repair"}).status, 0);
    const std::size_t writes = folder.exchanges("writedatav20");
    ASSERT_EQ(writes, 3u); // two key flags, then the map with its index
    for (std::size_t n = 1; n <= writes; ++n) {
        for (const unsigned count : {1u, 1000u}) {
            damage(folder);
            const auto before = violations(folder);
            folder.failNext(emu::Operation::WriteData, count, static_cast<unsigned>(n - 1));
            const auto failed = runCtl({"repair"});
            EXPECT_EQ(failed.status, 1) << "write " << n;
            EXPECT_TRUE(has(failed.err, "could not be written")) << failed.err;
            for (const std::string& violation : violations(folder))
                EXPECT_TRUE(before.count(violation))
                    << "write " << n << " left a new violation: " << violation;
            folder.emu({"fail", "clear"});
            EXPECT_EQ(runCtl({"repair"}).status, 0) << "write " << n;
            EXPECT_TRUE(violations(folder).empty()) << "write " << n;
        }
    }
}

} // namespace
