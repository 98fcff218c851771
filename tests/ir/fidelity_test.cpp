// Learned keys held down: each kind of signal a remote sends for a held key, synthetic, learned and
// played back for the whole press and beyond it.
#include "ir/fidelity.h"
#include "ir/storedcode.h"

#include <gtest/gtest.h>

using namespace ir;

namespace {

// A frame of `bits` pulse-distance bits (LSB first) after a header; 0-bits 560/560, 1-bits 560/1690.
std::vector<int> frame(int headerMark, int headerSpace, std::uint32_t bits, int count) {
    std::vector<int> d = {headerMark, headerSpace};
    for (int i = 0; i < count; ++i) {
        d.push_back(560);
        d.push_back((bits >> i) & 1 ? 1690 : 560);
    }
    d.push_back(560);
    return d;
}

// Frames joined by the gaps given after each but the last.
std::vector<int> signal(const std::vector<std::vector<int>>& frames, const std::vector<int>& gaps) {
    std::vector<int> t;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0)
            t.push_back(gaps[i - 1]);
        t.insert(t.end(), frames[i].begin(), frames[i].end());
    }
    return t;
}

Transmission learned(const std::vector<int>& timings) {
    const auto conversion = convertFrames(splitFrames(timings));
    EXPECT_TRUE(conversion);
    if (!conversion)
        return {};
    const auto played = playKey(conversion->identity, conversion->codeData, conversion->parameters);
    EXPECT_TRUE(played);
    return played ? played->transmission : Transmission{};
}

struct Kind {
    const char* name;
    std::vector<int> timings;
    // What a press held 300 ms past the capture sends after the capture's own durations: the
    // first few durations of it (empty: nothing more).
    std::vector<int> beyond;
};

} // namespace

TEST(HeldPress, EveryKindOfSignalIsSentWholeAndGoesOnAsTheRemoteWould) {
    const auto full = frame(8000, 4000, 0x5AA55AA5, 32), repeat = std::vector<int>{8000, 2000, 560};
    const auto a = frame(3400, 1700, 0x1234, 16), b = frame(3400, 1700, 0xEDCB, 16);
    const auto f1 = frame(4400, 4400, 0xB24D, 16), f2 = frame(4400, 4400, 0x1FE0, 16),
               f3 = frame(4400, 4400, 0x7788, 16);
    const Kind kinds[] = {
        // A full frame, then a short repeat frame at a fixed period: the repeat frame goes on.
        {"full frame then repeat frames",
         signal({full, repeat, repeat, repeat}, {40000, 95000, 95000}),
         {95000, 8000, 2000, 560}},
        // A frame and its inverse in turn: both go on, in turn.
        {"alternating frames", signal({a, b, a, b}, {40000, 40000, 40000}), {40000, 3400, 1700}},
        // An air conditioner's message of three different frames, sent once however long held.
        {"message of different frames", signal({f1, f2, f3}, {30000, 30000}), {}},
        // Long and short silences inside one message, each kept as it was.
        {"long spaces inside a message", signal({f1, f2, f1}, {80000, 9800}), {}},
        // A lone pulse and a long silence before the header, as some remotes start a message.
        {"preamble before the header", signal({{600}, f1}, {18000}), {}},
        // Durations close together that a receiver still tells apart.
        {"durations close together", {385, 505, 385, 505, 505, 385, 385, 640, 505, 385, 640, 505, 385}, {}},
    };
    for (const Kind& k : kinds) {
        const Transmission t = learned(k.timings);
        EXPECT_EQ(firstMismatch(heldPress(t, holdFor(k.timings)), k.timings), -1) << k.name;
        const auto longer = heldPress(t, captureMicros(k.timings) + 300000);
        ASSERT_GE(longer.size(), k.timings.size()) << k.name;
        const std::vector<int> after(longer.begin() + static_cast<std::ptrdiff_t>(k.timings.size()),
                                     longer.end());
        if (k.beyond.empty()) {
            EXPECT_TRUE(after.empty()) << k.name;
            continue;
        }
        ASSERT_GE(after.size(), k.beyond.size()) << k.name;
        EXPECT_EQ(firstMismatch(after, k.beyond), -1) << k.name;
    }
}

TEST(HeldPress, ASingleFrameWithoutAGapIsSentOnceAndAShortPressStillSendsTheCapturedRepeats) {
    const auto a = frame(3400, 1700, 0x1234, 16);
    const auto once = heldPress(learned(a), 1000000);
    EXPECT_EQ(once.size(), a.size());
    EXPECT_EQ(firstMismatch(once, a), -1);
    // Three frames captured: a tap sends all three, as the original remote did.
    const auto three = signal({a, a, a}, {40000, 40000});
    EXPECT_EQ(firstMismatch(heldPress(learned(three), 0), three), -1);
}

TEST(Fidelity, TheMeasureDropsLeadingNoiseMatchesWithinTheReceiversToleranceAndForgivesAFinalSpace) {
    EXPECT_EQ(withoutLeadingNoise({300, 9000, 600, 20000, 9000, 4500, 560}),
              (std::vector<int>{9000, 4500, 560}));
    EXPECT_EQ(withoutLeadingNoise({9000, 4500, 560}), (std::vector<int>{9000, 4500, 560}));
    EXPECT_EQ(shortPress({500, 25000, 500, 30000, 500}), (std::vector<int>{500, 25000, 500}));
    EXPECT_EQ(firstMismatch({560, 1690, 560}, {600, 1500, 660}), -1);
    EXPECT_EQ(firstMismatch({560, 1690, 560}, {560, 1200, 560}), 1);
    EXPECT_EQ(firstMismatch({560, 90000, 560}, {560, 30000, 560}), -1) << "untimed silences";
    EXPECT_EQ(firstMismatch({560}, {560, 8000}), -1) << "a final space may be missing";
    EXPECT_EQ(firstMismatch({560}, {560, 8000, 560}), 1);
}

// Codes a remote already holds from before the repeating part existed: a raw code and a pulse
// template whose last run repeats.
TEST(StoredCode, CodesOfTheFirstFormatStillPlay) {
    const std::vector<int> bits = {560, 1690, 560, 1690, 560};
    const std::vector<std::uint8_t> raw = {'R', 0, 2,    0x30, 0x02, 0x9A, 0x06, // 560 and 1690 us
                                           1,   5, 0,    0x01, 0x01, 0x00,       // one frame: 0 1 0 1 0
                                           1,   0, 0xA0, 0x0F, 2};               // sent twice, 40 ms apart
    const auto rawKey = playKey({0x30, 0x01, 0x02}, raw, {});
    ASSERT_TRUE(rawKey);
    EXPECT_EQ(heldPress(rawKey->transmission, 0), signal({bits, bits}, {40000}));

    const std::vector<std::uint8_t> pulse = {
        'P', 0x30, 0x02, 0x30, 0x02, 0x30, 0x02, 0x9A, 0x06, // bit timing
        3,   0x28, 0x23, 0x94, 0x11, 0x30, 0x02,             // literals 9000, 4500, 560
        1,   3,    1,    0,    1,    0,    4,    2,    2,    // header, four bits, closing mark
        1,   0,    0xA0, 0x0F, 0};                           // its run's length goes with the key
    Parameters parameters{};
    parameters[0] = 3;
    parameters[1] = 0x05;
    const auto templateKey = playKey({0x31, 0x01, 0x02}, pulse, parameters);
    ASSERT_TRUE(templateKey);
    const std::vector<int> f = {9000, 4500, 560, 1690, 560, 560, 560, 1690, 560, 560, 560};
    EXPECT_EQ(heldPress(templateKey->transmission, 0), signal({f, f, f}, {40000, 40000}));
}
