// Keys named on the command line, and code files' button names matched to keys.
#include "model/keynames.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(KeyNames, EveryKeyOfTheKeypadOnceWithOneSide) {
    std::set<std::string> numbers;
    for (const auto& key : model::keyNames())
        EXPECT_TRUE(numbers.insert(std::string(key.number)).second) << key.number;
    EXPECT_EQ(numbers.size(), 49u);
}

TEST(KeyNames, KeysByNumberOrLabel) {
    EXPECT_EQ(model::keyNumberOf("04"), "04");
    EXPECT_EQ(model::keyNumberOf("4f"), "4F");
    EXPECT_EQ(model::keyNumberOf("tv/vol+"), "06");
    EXPECT_EQ(model::keyNumberOf("CBL/0"), "57");
    EXPECT_EQ(model::keyNumberOf("TV/5"), std::nullopt);
    EXPECT_EQ(model::keyNumberOf("0x4"), std::nullopt);
    EXPECT_EQ(model::keyLabel("32"), "CBL/OK");
}

TEST(KeyNames, ButtonNamesOfCodeFilesMatchTheirKeys) {
    const struct {
        const char* side;
        const char* button;
        std::optional<std::string> key;
    } cases[] = {
        {"tv", "Power", "00"},
        {"cbl", "POWER", "01"},
        {"tv", "Vol_up", "06"},
        {"tv", "VOL+", "06"},
        {"tv", "vol_dn", "12"},
        {"tv", "Volume-Down", "12"},
        {"tv", "Source", "03"},
        {"cbl", "Ch_next", "41"},
        {"cbl", "ch-", "44"},
        {"cbl", "Ch_prev", "44"},
        {"cbl", "5", "51"},
        {"cbl", "Num 0", "57"},
        {"tv", "ok", "10"},
        {"tv", "Return", "13"},
        {"tv", "Ch_next", std::nullopt},
        {"tv", "Sleep", std::nullopt},
        {"tv", "KEY_VOLUMEUP", "06"},
        {"cbl", "KEY_CHANNELDOWN", "44"},
        {"cbl", "KEY_5", "51"},
        {"tv", "KEY_SLEEP", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model::keyForButton(c.side, c.button), c.key) << c.side << " " << c.button;
}

} // namespace
