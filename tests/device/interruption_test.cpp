// Every write of every change to the remote's memory, interrupted: the write fails, or the program
// dies right after it (every later write lost). Either way the remote must stay sound, and the
// program's key table and index must still match what a fresh start reads.
#include "devicefolder.h"
#include "kestrio/layoutbuilder.h"
#include "kestrio/profiles.h"
#include "keytablemeaning.h"

#include "device/commitwrite.h"
#include "device/keyclearing.h"
#include "device/layoutio.h"
#include "model/commitplan.h"
#include "model/keydeletion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iostream>

namespace {

using Flow = std::function<void(model::LayoutRead&)>;

constexpr unsigned kEveryLaterWrite = 1000;

// A code of `blocks` 8-byte blocks under `identity`.
model::ConverterAnswer code(const std::string& identity, unsigned blocks) {
    return {identity, "0011223344556677", "8899AABBCCDDEEFF", std::string(16 * blocks, 'A')};
}

Flow learn(const std::string& key, model::ConverterAnswer answer) {
    return [key, answer](model::LayoutRead& read) {
        const auto decision = model::planCommit(read.layout, read.keyTable, key, answer);
        ASSERT_TRUE(std::holds_alternative<model::CommitPlan>(decision));
        device::storeLearnedCode(read.layout, read.keyTable, std::get<model::CommitPlan>(decision));
    };
}

Flow remove(const std::string& key) {
    return [key](model::LayoutRead& read) {
        device::clearKeySlot(read.layout, read.keyTable, *model::findKeyEntry(read.keyTable, key, true),
                             "08");
    };
}

Flow clearAll() {
    return [](model::LayoutRead& read) { device::clearLearnedKeys(read.layout, read.keyTable, "08"); };
}

// Keys 00-05; key 04 holds a 4-block code, key 05 another; the 8-block code area is full.
emu::Device fullRemote(emu::Device device) {
    emu::LayoutPlan plan = emu::factoryLayout();
    plan.keyNumbers = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05};
    plan.slotCount = 6;
    plan.slots.assign(6, emu::SlotPlan{});
    plan.codeBlockCount = 8;
    plan.index.assign(2, emu::IndexEntryPlan{});
    for (std::uint8_t e = 0; e < 2; ++e) {
        plan.index[e] = {{0x41, 0x42, static_cast<std::uint8_t>(0x43 + e)}, 4u * e, 4, true};
        plan.codeData.emplace_back(4 * e, std::vector<std::uint8_t>(32, 0xEE));
        plan.slots[4 + e] = {0xC0, 0x00, 0x80, {e, 0xFF, 0xFF}, {}};
    }
    emu::writeLayout(device.memory, plan);
    return device;
}

struct Case {
    const char* name;
    bool fullRemote; // else the "learned" remote: 04 alone on entry 0, 05 and 10 sharing entry 1
    Flow flow;
};

class Interruption : public ::testing::Test {
protected:
    void start(const Case& c) {
        folder.reset("learned");
        if (c.fullRemote) {
            ASSERT_TRUE(folder.store().replace(fullRemote(folder.snapshot())));
        }
    }

    // The layout as the window keeps it after reading it at start-up.
    model::LayoutRead readAsTheWindowDoes() {
        model::LayoutRead read = device::readDeviceLayout();
        EXPECT_FALSE(read.failure) << *read.failure;
        model::reclaimOrphans(read.layout, read.keyTable);
        return read;
    }

    std::size_t writesOf(const Case& c) {
        start(c);
        std::filesystem::remove(folder.path() / "exchanges.log");
        folder.emu({"trace", "on"});
        model::LayoutRead read = readAsTheWindowDoes();
        c.flow(read);
        return folder.exchanges("writedatav20");
    }

    void expectSound(const std::string& where) {
        std::string out;
        EXPECT_EQ(folder.emu({"check"}, &out), 0) << where << "\n" << out;
    }

    testsupport::DeviceFolder folder;
};

TEST_F(Interruption, EveryWriteOfEveryChangeLeavesTheRemoteSoundAndTheProgramInStep) {
    const Case cases[] = {
        {"learn a new code", false, learn("06", code("7A7B7C", 3))},
        {"learn a code the remote stores", false, learn("06", code("3A2B1C", 2))},
        {"re-learn a key", false, learn("04", code("7A7B7C", 2))},
        {"re-learn into the old code's room", true, learn("04", code("7A7B7C", 4))},
        {"delete a key sharing its code", false, remove("05")},
        {"delete a key with its own code", false, remove("04")},
        {"clear all keys", false, clearAll()},
    };
    std::size_t points = 0;
    for (const Case& c : cases) {
        const std::size_t writes = writesOf(c);
        ASSERT_GT(writes, 0u) << c.name;
        for (std::size_t n = 1; n <= writes; ++n) {
            const std::string failed = std::string(c.name) + ": write " + std::to_string(n) + " fails";
            start(c);
            folder.failNext(emu::Operation::WriteData, 1, static_cast<unsigned>(n - 1));
            model::LayoutRead kept = readAsTheWindowDoes();
            c.flow(kept);
            expectSound(failed);
            const model::LayoutRead fresh = readAsTheWindowDoes();
            EXPECT_EQ(testsupport::meaning(kept.keyTable), testsupport::meaning(fresh.keyTable)) << failed;
            EXPECT_EQ(kept.layout.codeIndexText, fresh.layout.codeIndexText) << failed;
            EXPECT_EQ(kept.layout.blockMap, fresh.layout.blockMap) << failed;

            const std::string died =
                std::string(c.name) + ": the program dies after write " + std::to_string(n);
            start(c);
            folder.failNext(emu::Operation::WriteData, kEveryLaterWrite, static_cast<unsigned>(n));
            model::LayoutRead lost = readAsTheWindowDoes();
            c.flow(lost);
            expectSound(died);
            EXPECT_TRUE(readAsTheWindowDoes().layout.complete) << died;
            points += 2;
        }
    }
    std::cout << "interruption points covered: " << points << '\n';
    RecordProperty("interruption_points", static_cast<int>(points));
}

} // namespace
