// A code set's buttons as the index keeps them: written and read back whole, and a blob cut short,
// grown or holding a number out of range read as damaged, never as other buttons.
#include "codes/storedbuttons.h"

#include <gtest/gtest.h>

namespace {

using codes::LibraryCode;

std::vector<LibraryCode> sample() {
    return {{"Power", 38000, {9000, 4500, 560, 1690, 560, 40000, 9000, 2250, 560}},
            {"线路 7", 0, {}},
            {"", 455000, {1, 127, 128, 65534, 65535, 65536, 999999, 1000000}}};
}

bool same(const std::vector<LibraryCode>& a, const std::vector<LibraryCode>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].button != b[i].button || a[i].carrierHz != b[i].carrierHz || a[i].timings != b[i].timings)
            return false;
    return true;
}

TEST(StoredButtons, ReadBackAsWritten) {
    for (const auto& codes :
         {sample(), std::vector<LibraryCode>{}, std::vector<LibraryCode>{{"Mute", 36000, {889}}}}) {
        const auto read = codes::readStoredButtons(codes::storedButtons(codes));
        ASSERT_TRUE(read);
        EXPECT_TRUE(same(*read, codes));
    }
}

TEST(StoredButtons, DamageIsRefused) {
    const std::string whole = codes::storedButtons(sample());
    for (std::size_t cut = 0; cut < whole.size(); ++cut)
        EXPECT_FALSE(codes::readStoredButtons(whole.substr(0, cut))) << "cut at " << cut;
    EXPECT_FALSE(codes::readStoredButtons(whole + '\0'));
    const struct {
        const char* what;
        std::vector<LibraryCode> codes;
    } outOfRange[] = {
        {"a duration of 0", {{"A", 38000, {560, 0, 560}}}},
        {"a duration over a second", {{"A", 38000, {560, 1000001, 560}}}},
        {"a carrier over 10 MHz", {{"A", 10000001, {560}}}},
    };
    for (const auto& c : outOfRange)
        EXPECT_FALSE(codes::readStoredButtons(codes::storedButtons(c.codes))) << c.what;
    // A count larger than the blob could hold asks for no memory.
    EXPECT_FALSE(codes::readStoredButtons(std::string("\xff\xff\xff\xff\x0f", 5)));
}

} // namespace
