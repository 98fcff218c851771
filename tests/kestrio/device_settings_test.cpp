#include "kestrio/device.h"
#include "kestrio/firmware.h"
#include "kestrio/profiles.h"
#include "model/wire.h"

#include <gtest/gtest.h>

using namespace emu;

TEST(DeviceSettings, SurviveTheRoundTripThroughTheirFile) {
    DeviceSettings s;
    s.attached = false;
    s.profile = "version-01-04";
    s.model = "100r";
    s.versionText = "1020 with = signs = inside";
    s.latencyMicros = 250;
    s.memoryGeneration = 0xFFFFFFFFFFFFFFF0ull;
    s.failures[Operation::ReadData] = {2, 3};
    s.failures[Operation::LinkState] = {0, 1};
    s.textOverlay[0xB020] = "O1";

    const auto back = parseSettings(serializeSettings(s));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->attached);
    EXPECT_EQ(back->profile, s.profile);
    EXPECT_EQ(back->model, s.model);
    EXPECT_EQ(back->versionText, s.versionText);
    EXPECT_EQ(back->latencyMicros, 250u);
    EXPECT_EQ(back->memoryGeneration, s.memoryGeneration);
    ASSERT_EQ(back->failures.size(), 2u);
    EXPECT_EQ(back->failures.at(Operation::ReadData).skip, 2u);
    EXPECT_EQ(back->failures.at(Operation::ReadData).count, 3u);
    EXPECT_EQ(back->textOverlay.at(0xB020), "O1");
}

TEST(DeviceSettings, AVersionTextWithALineBreakCannotAddSettings) {
    DeviceSettings s;
    s.versionText = "1020\nattached=0";
    const auto back = parseSettings(serializeSettings(s));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->attached);
    EXPECT_EQ(back->versionText, "1020 attached=0");
}

TEST(DeviceSettings, DamagedFilesAreRefused) {
    EXPECT_FALSE(parseSettings(""));
    EXPECT_FALSE(parseSettings("attached=1\nlatency_us=fast\n"));
    EXPECT_FALSE(parseSettings("attached=1\nfail.nosuchop=0,1\n"));
    EXPECT_FALSE(parseSettings("attached=1\noverlay.1FFFF=AB\n"));
    EXPECT_FALSE(parseSettings("attached=1\nwhat is this\n"));
}

TEST(DeviceOperations, AreNamedAsTheLibraryExportsThem) {
    EXPECT_EQ(operationFromName("readdatav20"), Operation::ReadData);
    EXPECT_EQ(operationFromName("READDATAV20"), Operation::ReadData);
    EXPECT_EQ(operationFromName("link_state"), Operation::LinkState);
    EXPECT_EQ(operationFromName("RCollectCodeInfo"), Operation::CollectCode);
    EXPECT_FALSE(operationFromName("readdata"));
}

TEST(Firmware, RendersTheModelFieldAsCharactersAndEverythingElseAsHex) {
    Device d = makeProfile("factory").value();
    const std::string info = basicInformation(d);
    ASSERT_EQ(info.size(), 96u);
    EXPECT_EQ(info.substr(64, 4), "0103");
    EXPECT_EQ(info.substr(70, 4), "100R");
    EXPECT_EQ(info.substr(0, 12), "51544D343138"); // maker prefix of the identity
    EXPECT_EQ(identityText(d), info.substr(0, 30));

    // A read that starts inside the model field shows only the part it covers.
    EXPECT_EQ(readBlocks(d, wire::kIdentificationAddress + 32, 1)->substr(6, 4), "100R");
    d.settings.model = "8888";
    EXPECT_EQ(basicInformation(d).substr(70, 4), "8888");
}

TEST(Firmware, ReadsAndWritesStayInsideMemory) {
    Device d;
    EXPECT_TRUE(readBlocks(d, 0xFFF8, 1));
    EXPECT_FALSE(readBlocks(d, 0xFFF8, 2));
    EXPECT_FALSE(readBlocks(d, 0x0000, 0));
    EXPECT_FALSE(readBlocks(d, 0x10000, 1));
    EXPECT_FALSE(readBlocks(d, 0x0000, 8193));

    EXPECT_TRUE(writeHex(d, 0xFFFE, "A1b2"));
    EXPECT_EQ(d.memory[0xFFFE], 0xA1);
    EXPECT_EQ(d.memory[0xFFFF], 0xB2);
    EXPECT_EQ(readBlocks(d, 0xFFF8, 1)->substr(12), "A1B2");

    const Memory before = d.memory;
    EXPECT_FALSE(writeHex(d, 0xFFFF, "0102")); // one byte too many
    EXPECT_FALSE(writeHex(d, 0x0100, "123"));  // half a byte
    EXPECT_FALSE(writeHex(d, 0x0100, "12G4")); // not hex
    EXPECT_FALSE(writeHex(d, 0x0100, ""));
    EXPECT_EQ(d.memory, before);
}

TEST(Firmware, AddressHalvesAndBlockUnitsAreExactlyTwoHexDigits) {
    EXPECT_EQ(parseByteText("B0"), 0xB0u);
    EXPECT_EQ(parseByteText("3c"), 0x3Cu);
    EXPECT_FALSE(parseByteText("B"));
    EXPECT_FALSE(parseByteText("B00"));
    EXPECT_FALSE(parseByteText("G0"));
    EXPECT_FALSE(parseByteText(nullptr));
}

TEST(Profiles, EveryListedProfileCanBeMadeAndNamesItself) {
    ASSERT_FALSE(profiles().empty());
    for (const auto& info : profiles()) {
        const auto d = makeProfile(info.name);
        ASSERT_TRUE(d) << info.name;
        EXPECT_EQ(d->settings.profile, info.name);
        EXPECT_EQ(d->memory.size(), kMemorySize);
    }
    EXPECT_FALSE(makeProfile("no-such-remote"));
}

TEST(Profiles, IdentificationVariantsDifferOnlyWhereTheirNameSays) {
    const auto info = [](const char* name) { return basicInformation(makeProfile(name).value()); };
    EXPECT_EQ(info("old-firmware").substr(70, 4), "8888");
    EXPECT_EQ(info("model-lowercase").substr(70, 4), "100r");
    EXPECT_EQ(info("version-02-00").substr(64, 4), "0200");
    EXPECT_EQ(info("version-00-03").substr(64, 4), "0003");
    EXPECT_EQ(info("version-01-04").substr(64, 4), "0104");
    EXPECT_EQ(info("version-01-02").substr(64, 4), "0102");
    EXPECT_EQ(info("bad-version-digits").substr(64, 4), "O103");
    EXPECT_EQ(versionText(makeProfile("factory").value()).substr(0, 4), "1020");
    EXPECT_NE(versionText(makeProfile("version-text").value()).substr(0, 4), "1020");
}

TEST(Profiles, EachNewRemoteHasItsOwnIdentityAndSwappingChangesIt) {
    Device a = makeProfile("factory").value();
    const Device b = makeProfile("factory").value();
    EXPECT_NE(identityText(a), identityText(b));
    const std::string before = identityText(a);
    const Memory memoryBefore = a.memory;
    giveNewIdentity(a);
    EXPECT_NE(identityText(a), before);
    EXPECT_EQ(identityText(a).substr(0, 12), before.substr(0, 12));
    // Only the serial number bytes changed.
    for (std::size_t i = 0; i < kMemorySize; ++i) {
        if (i < wire::kIdentificationAddress + 6 ||
            i >= wire::kIdentificationAddress + wire::kIdentityBytes) {
            ASSERT_EQ(a.memory[i], memoryBefore[i]) << i;
        }
    }
}
