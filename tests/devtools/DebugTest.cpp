#include "devtools/Debug.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace vesk {
namespace {

Debug parse(std::vector<std::string> words) {
    words.insert(words.begin(), "/usr/bin/vesk");
    return Debug(words);
}

TEST(DebugTest, NoOptionsGiveTheDefaults) {
    EXPECT_EQ(parse({}), Debug());
    EXPECT_EQ(Debug(std::vector<std::string>{}), Debug());
    EXPECT_DOUBLE_EQ(parse({}).snapshotDelay, 1.5);
    // The program's own word is never read as an option.
    EXPECT_FALSE(Debug({"--demo"}).demo);
}

TEST(DebugTest, FlagsAndValuesAreReadWordByWord) {
    const Debug debug =
        parse({"--demo", "stray", "--fake-notch", "--expand", "focus", "--timer", "break", "--toast",
               "--hover", "--snapshot", "/tmp/a b.png", "--add-after", "--then", "stats"});
    EXPECT_TRUE(debug.demo);
    EXPECT_TRUE(debug.fakeNotch);
    EXPECT_TRUE(debug.toast);
    EXPECT_TRUE(debug.hover);
    EXPECT_TRUE(debug.addAfter);
    EXPECT_EQ(debug.expand, "focus");
    EXPECT_EQ(debug.timer, "break");
    EXPECT_EQ(debug.snapshot, "/tmp/a b.png");
    EXPECT_EQ(debug.thenTab, "stats");
}

TEST(DebugTest, AValuedOptionSwallowsTheNextWordEvenWhenItLooksLikeAnOption) {
    const Debug debug = parse({"--expand", "--demo"});
    EXPECT_EQ(debug.expand, "--demo");
    EXPECT_FALSE(debug.demo);
    // Option names match whole words only.
    EXPECT_FALSE(parse({"--demo=1", "--Demo", "-demo"}).demo);
}

TEST(DebugTest, AValuedOptionAsTheLastWordEmptiesItsField) {
    EXPECT_EQ(parse({"--iter"}).iteration, std::nullopt);
    EXPECT_EQ(parse({"--iter", "12", "--iter"}).iteration, std::nullopt);
    EXPECT_EQ(parse({"--snapshot", "/tmp/x.png", "--snapshot"}).snapshot, std::nullopt);
    EXPECT_DOUBLE_EQ(parse({"--delay", "3", "--delay"}).snapshotDelay, 1.5);
    // A later occurrence replaces an earlier one.
    EXPECT_EQ(parse({"--iter", "12", "--iter", "40"}).iteration, 40);
}

TEST(DebugTest, TheFirstWordAtFaultIsRefused) {
    const auto refusal = [](std::vector<std::string> words) {
        words.insert(words.begin(), "/usr/bin/vesk");
        return Debug::refusal(words);
    };
    EXPECT_EQ(refusal({}), std::nullopt);
    EXPECT_EQ(refusal({"--demo", "--expand", "--dmeo", "--help", "-session", "1a2b", "--iter", "-4", "--seed",
                       "7", "--freeze", ".5", "--delay", "2"}),
              std::nullopt);
    EXPECT_EQ(refusal({"--demo", "--dmeo", "stats"}), "unknown option \"--dmeo\"");
    EXPECT_EQ(refusal({"--expand", "stats", "stats"}), "unknown option \"stats\"");
    EXPECT_EQ(refusal({"--demo=1"}), "unknown option \"--demo=1\"");
    // A value missing or not of its kind.
    EXPECT_EQ(refusal({"--iter", "abc", "--bogus"}),
              "option \"--iter\" wants N, a whole number, not \"abc\"");
    EXPECT_EQ(refusal({"--seed", "-1"}),
              "option \"--seed\" wants S, a whole number of 0 or more, not \"-1\"");
    EXPECT_EQ(refusal({"--demo", "--seed"}), "option \"--seed\" wants S, a whole number of 0 or more");
    EXPECT_EQ(refusal({"--expand"}), "option \"--expand\" wants TAB, a word");
    EXPECT_EQ(refusal({"--freeze", "nan"}), "option \"--freeze\" wants T, a number, not \"nan\"");
    EXPECT_EQ(refusal({"--delay", "1.5s"}), "option \"--delay\" wants SECONDS, a number, not \"1.5s\"");
}

TEST(DebugTest, IntegersNeedTheWholeWordWithinRange) {
    EXPECT_EQ(parse({"--iter", "+7"}).iteration, 7);
    EXPECT_EQ(parse({"--reveal", "-3"}).reveal, -3);
    EXPECT_EQ(parse({"--onboarding", "4"}).onboarding, 4);
    for (const char* bad : {"7x", "7.0", "", "+", "-", "+-7", " 7", "7 ", "9223372036854775808", "0x10"})
        EXPECT_EQ(parse({"--iter", bad}).iteration, std::nullopt) << '"' << bad << '"';
    EXPECT_EQ(parse({"--iter", "-9223372036854775808"}).iteration, std::numeric_limits<std::int64_t>::min());
    // A bad value replaces a good earlier one.
    EXPECT_EQ(parse({"--iter", "5", "--iter", "five"}).iteration, std::nullopt);
}

TEST(DebugTest, SeedsAreUnsignedSixtyFourBit) {
    EXPECT_EQ(parse({"--seed", "18446744073709551615"}).seed, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(parse({"--seed", "184467440737095516150"}).seed, std::nullopt);
    EXPECT_EQ(parse({"--seed", "+42"}).seed, 42u);
    EXPECT_EQ(parse({"--seed", "0"}).seed, 0u);
    for (const char* bad : {"-1", "-0", "+", "", "4 2", "++1"})
        EXPECT_EQ(parse({"--seed", bad}).seed, std::nullopt) << '"' << bad << '"';
}

TEST(DebugTest, RealsAreWholeFiniteWords) {
    EXPECT_DOUBLE_EQ(parse({"--delay", "2.25"}).snapshotDelay, 2.25);
    EXPECT_DOUBLE_EQ(parse({"--delay", "+0.5"}).snapshotDelay, 0.5);
    EXPECT_DOUBLE_EQ(parse({"--delay", "1e1"}).snapshotDelay, 10.0);
    EXPECT_EQ(parse({"--freeze", "0.4"}).freeze, 0.4f);
    EXPECT_EQ(parse({"--freeze", ".5"}).freeze, 0.5f);
    // A "+" goes before whatever a "-" may: the same numbers as every other developer option.
    EXPECT_EQ(parse({"--freeze", "+.5"}).freeze, 0.5f);
    EXPECT_EQ(parse({"--freeze", "-1"}).freeze, -1.0f);
    for (const char* bad : {"abc", "", " 1", "1 ", "1.5s", "inf", "-inf", "nan", "1e999", "+-1"}) {
        EXPECT_DOUBLE_EQ(parse({"--delay", "4", "--delay", bad}).snapshotDelay, 1.5) << '"' << bad << '"';
        EXPECT_EQ(parse({"--freeze", bad}).freeze, std::nullopt) << '"' << bad << '"';
    }
}

} // namespace
} // namespace vesk
