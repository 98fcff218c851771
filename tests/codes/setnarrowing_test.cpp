// Code sets of one maker that send the same Power code, told apart by one more key: which keys may
// be asked about, which a set sends on each, which key and code are tried, and which sets stay after
// the owner's answer; answered truthfully, the questions always end on the device's own set.
#include "codes/setnarrowing.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using codes::CodeSet;
using codes::LibraryCode;

// A pulse-distance code carrying `value`: codes of different values are told apart, codes of the
// same value are one.
std::vector<int> codeOf(unsigned value) {
    std::vector<int> timings{9000, 4500};
    for (int bit = 0; bit < 16; ++bit)
        timings.insert(timings.end(), {560, (value >> bit) & 1 ? 1690 : 560});
    timings.push_back(560);
    return timings;
}

// A set of buttons and the values they send; value 0 is a button the file has but no learnable code.
CodeSet setOf(const std::string& id, const std::vector<std::pair<std::string, unsigned>>& buttons) {
    CodeSet set;
    set.id = id;
    set.side = "tv";
    for (const auto& [button, value] : buttons) {
        if (button == "Power")
            set.power = static_cast<int>(set.codes.size());
        set.codes.push_back({button, 38000, value == 0 ? std::vector<int>{} : codeOf(value)});
    }
    return set;
}

TEST(SetNarrowing, TheKeysAskedAboutAreThoseEachSideHas) {
    EXPECT_EQ(codes::secondKeysOf("tv"), (std::vector<std::string>{"06", "02"}));
    EXPECT_EQ(codes::secondKeysOf("cbl"), (std::vector<std::string>{"37", "43", "41", "45", "46", "47", "50",
                                                                    "51", "52", "53", "54", "55", "57"}));
    EXPECT_TRUE(codes::secondKeysOf("dvd").empty());
}

TEST(SetNarrowing, ASetsCodeForAKeyIsItsFirstLearnableButtonNamingIt) {
    const CodeSet set = setOf("s", {{"Power", 1},
                                    {"MUTE", 0},
                                    {"Muting", 7},
                                    {"Mute", 8},
                                    {"KEY_VOLUMEUP", 9},
                                    {"Ch_next", 10},
                                    {"1", 11}});
    const struct {
        const char* side;
        const char* key;
        int code;
    } cases[] = {
        {"tv", "02", 2},  // "MUTE" holds nothing learnable; "Muting" comes before "Mute"
        {"tv", "06", 4},  // LIRC's prefix aside
        {"tv", "00", 0},  // Power
        {"tv", "41", -1}, // a key of the other side
        {"cbl", "41", 5}, // Ch+
        {"cbl", "45", 6}, // the digit 1
        {"cbl", "57", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(codes::codeForKey(set, c.side, c.key), c.code) << c.side << " " << c.key;
}

TEST(SetNarrowing, TheSetsOfOnePowerCodeAreTheAnsweredOneAndThoseAfterIt) {
    const std::vector<CodeSet> sets = {setOf("a", {{"Power", 1}}), setOf("b", {{"Power", 2}}),
                                       setOf("c", {{"Power", 1}, {"Mute", 3}}), setOf("d", {{"Mute", 1}}),
                                       setOf("e", {{"Power", 1}})};
    std::vector<codes::Candidate> candidates;
    for (const CodeSet& set : sets)
        candidates.push_back({&set, 0});
    EXPECT_EQ(codes::samePowerSets(candidates, 0), (std::vector<std::size_t>{0, 2, 4}));
    EXPECT_EQ(codes::samePowerSets(candidates, 2), (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(codes::samePowerSets(candidates, 1), (std::vector<std::size_t>{1}));
    EXPECT_TRUE(codes::samePowerSets(candidates, 3).empty()); // no Power button
    EXPECT_TRUE(codes::samePowerSets(candidates, 5).empty());
}

TEST(SetNarrowing, TheKeyAskedIsTheOneTheSetsDifferMostOn) {
    using Buttons = std::vector<std::pair<std::string, unsigned>>;
    const struct {
        const char* name;
        std::vector<Buttons> sets;
        std::vector<std::string> excluded;
        const char* key; // "" for no question
        std::size_t from;
        std::vector<std::size_t> sending;
    } cases[] = {
        {"only Mute differs",
         {{{"Power", 1}, {"Vol_up", 2}, {"Mute", 3}}, {{"Power", 1}, {"Vol_up", 2}, {"Mute", 4}}},
         {},
         "02",
         0,
         {0}},
        {"Vol+ differs more than Mute",
         {{{"Vol_up", 2}, {"Mute", 3}}, {{"Vol_up", 5}, {"Mute", 3}}, {{"Vol_up", 6}, {"Mute", 4}}},
         {},
         "06",
         0,
         {0}},
        {"as much: Vol+ first",
         {{{"Mute", 3}, {"Vol_up", 2}}, {{"Mute", 4}, {"Vol_up", 5}}},
         {},
         "06",
         0,
         {0}},
        {"the code that halves them is tried",
         {{{"Mute", 3}}, {{"Mute", 4}}, {{"Mute", 4}}, {{"Mute", 5}}},
         {},
         "02",
         1,
         {1, 2}},
        {"a key that halves them before one whose codes all differ",
         {{{"Vol_up", 2}, {"Mute", 3}},
          {{"Vol_up", 5}, {"Mute", 3}},
          {{"Vol_up", 6}, {"Mute", 4}},
          {{"Vol_up", 7}, {"Mute", 4}}},
         {},
         "02",
         0,
         {0, 1}},
        {"a key one set has no code for is not asked about",
         {{{"Vol_up", 2}, {"Mute", 3}}, {{"Vol_up", 0}, {"Mute", 3}}, {{"Mute", 3}}},
         {},
         "",
         0,
         {}},
        {"a key left out is not asked about",
         {{{"Vol_up", 2}, {"Mute", 3}}, {{"Vol_up", 5}, {"Mute", 4}}},
         {"06"},
         "02",
         0,
         {0}},
        {"sets alike on every key asked about",
         {{{"Vol_up", 2}, {"Mute", 3}, {"Up", 4}}, {{"Vol_up", 2}, {"Mute", 3}, {"Up", 9}}},
         {},
         "",
         0,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<CodeSet> sets;
        for (std::size_t i = 0; i < c.sets.size(); ++i)
            sets.push_back(setOf(std::to_string(i), c.sets[i]));
        std::vector<const CodeSet*> asked;
        for (const CodeSet& set : sets)
            asked.push_back(&set);
        const auto question = codes::nextKeyQuestion(asked, "tv", c.excluded);
        ASSERT_EQ(question.has_value(), *c.key != '\0');
        if (!question)
            continue;
        EXPECT_EQ(question->keyNumber, c.key);
        EXPECT_EQ(question->from, c.from);
        EXPECT_EQ(question->code, codes::codeForKey(sets[c.from], "tv", c.key));
        EXPECT_EQ(question->sending, c.sending);
        EXPECT_EQ(codes::setsAfter(*question, sets.size(), true), c.sending);
        const auto others = codes::setsAfter(*question, sets.size(), false);
        EXPECT_EQ(others.size() + c.sending.size(), sets.size());
        for (const std::size_t i : others)
            EXPECT_EQ(std::count(c.sending.begin(), c.sending.end(), i), 0);
    }
}

// Eight cable box sets of one Power code, each told apart from the others by some key: whichever
// the device's own is, the owner's true answers end on it, each answer ruling out half of them.
TEST(SetNarrowing, TrueAnswersEndOnTheDevicesOwnSet) {
    std::vector<CodeSet> sets;
    for (unsigned s = 0; s < 8; ++s) {
        CodeSet set = setOf(
            std::to_string(s),
            {{"Power", 1}, {"Vol+", 10 + s % 2}, {"Mute", 20 + s % 4}, {"Ch+", 30 + s / 4}, {"5", 40 + s}});
        set.side = "cbl";
        sets.push_back(set);
    }
    for (std::size_t own = 0; own < sets.size(); ++own) {
        SCOPED_TRACE("the device's own set is " + std::to_string(own));
        std::vector<std::size_t> staying(sets.size());
        for (std::size_t i = 0; i < staying.size(); ++i)
            staying[i] = i;
        std::size_t questions = 0;
        while (staying.size() > 1 && questions < sets.size()) {
            std::vector<const CodeSet*> asked;
            for (const std::size_t i : staying)
                asked.push_back(&sets[i]);
            const auto question = codes::nextKeyQuestion(asked, "cbl");
            ASSERT_TRUE(question.has_value());
            ++questions;
            const CodeSet& tried = *asked[question->from];
            const int ownCode = codes::codeForKey(sets[own], "cbl", question->keyNumber);
            const bool responds = codes::sameCode(sets[own].codes[static_cast<std::size_t>(ownCode)],
                                                  tried.codes[static_cast<std::size_t>(question->code)]);
            std::vector<std::size_t> next;
            for (const std::size_t i : codes::setsAfter(*question, staying.size(), responds))
                next.push_back(staying[i]);
            EXPECT_LT(next.size(), staying.size());
            staying = next;
        }
        EXPECT_EQ(staying, std::vector<std::size_t>{own});
        EXPECT_EQ(questions, 3u); // not one a set, as the digit 5, whose codes all differ, would ask
    }
}

} // namespace
