#include "ir/timings.h"

#include <gtest/gtest.h>

using namespace ir;

TEST(CaptureLine, TakesTimingsCarrierSourceAndLabel) {
    const auto line = parseCaptureLine(
        R"({"source":"Lucaslhm/Flipper-IRDB:TVs/X.ir#POWER","carrier_hz":40000,"duty":0.33,)"
        R"("timings_us":[2400,600,1200,600,600],"label":{"protocol":"SIRC","address":1,"command":21},"licence":"none stated"})");
    ASSERT_TRUE(line);
    EXPECT_EQ(line->source, "Lucaslhm/Flipper-IRDB:TVs/X.ir#POWER");
    EXPECT_EQ(line->signal.carrierHz, 40000);
    EXPECT_EQ(line->signal.timings, (std::vector<int>{2400, 600, 1200, 600, 600}));
    ASSERT_TRUE(line->label);
    EXPECT_EQ(line->label->protocol, "SIRC");
    EXPECT_EQ(line->label->address, 1u);
    EXPECT_EQ(line->label->command, 21u);

    const auto unlabelled = parseCaptureLine(R"({"timings_us": [ 900 , 450 ], "label": null, "s": "a\"b"})");
    ASSERT_TRUE(unlabelled);
    EXPECT_FALSE(unlabelled->label);
    EXPECT_EQ(unlabelled->signal.carrierHz, kDefaultCarrierHz);
}

TEST(CaptureLine, RefusesWhatIsNotACaptureLine) {
    for (const char* text : {"", "{", "[]", "{}", R"({"timings_us": []})", R"({"timings_us": [0, 5]})",
                             R"({"timings_us": [1.5]})", R"({"timings_us": [-3]})",
                             R"({"timings_us": [2000000]})", R"({"timings_us": [1, 2]} trailing)",
                             R"({"timings_us": "9000"})", R"({"timings_us": [1], "carrier_hz": "fast"})",
                             R"({"timings_us": [1], "label": {"protocol": "NEC"}})",
                             R"([[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]])"})
        EXPECT_FALSE(parseCaptureLine(text)) << text;
}

TEST(TimingList, IsPositiveWholeMicrosecondsBetweenSpacesOrCommas) {
    EXPECT_EQ(parseTimingList("9000, 4500,560 560"), (std::vector<int>{9000, 4500, 560, 560}));
    EXPECT_FALSE(parseTimingList(""));
    EXPECT_FALSE(parseTimingList("9000 -4500"));
    EXPECT_FALSE(parseTimingList("9000 0"));
    EXPECT_FALSE(parseTimingList("9000us"));
    EXPECT_FALSE(parseTimingList("99999999999"));
}
