#include "devtools/EngineStressPlan.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Options = EngineStressPlan::Options;

std::optional<Options> find(std::vector<std::string> words) {
    words.insert(words.begin(), "/usr/bin/vesk");
    return EngineStressPlan::find(words);
}

TEST(EngineStressPlanTest, OptionsFollowTheWordAndFallBackToTheirDefaults) {
    EXPECT_EQ(find({"--render-frames", "x"}), std::nullopt);
    EXPECT_EQ(find({"--stress-engine"}), (Options{30.0, 200000, 0.05}));
    EXPECT_EQ(find({"--demo", "--stress-engine", "4", "5000", "0.5"}), (Options{4.0, 5000, 0.5}));
    EXPECT_EQ(find({"--stress-engine", "x", "12"}), (Options{30.0, 12, 0.05}));
    EXPECT_EQ(find({"--stress-engine", "3", "1e3"}), (Options{3.0, 200000, 0.05}));
}

TEST(EngineStressPlanTest, ValuesThatWouldHangOrBreakTheTestUseTheDefaults) {
    // A length of 0 is a run that ends at its first report.
    EXPECT_EQ(find({"--stress-engine", "0", "0", "0"}), (Options{0.0, 200000, 0.05}));
    EXPECT_EQ(find({"--stress-engine", "-5", "-1", "-0.1"}), (Options{30.0, 200000, 0.05}));
    EXPECT_EQ(find({"--stress-engine", "inf", "9", "nan"}), (Options{30.0, 9, 0.05}));
}

TEST(EngineStressPlanTest, CubeCountsSpanOneToMaxOnALogScale) {
    EXPECT_EQ(EngineStressPlan::cubeCount(0.0, 200000), 1);
    EXPECT_EQ(EngineStressPlan::cubeCount(1.0, 200000), 200000);
    EXPECT_EQ(EngineStressPlan::cubeCount(0.5, 10000), 100);
    for (double u : {0.0, 0.3, 1.0})
        EXPECT_EQ(EngineStressPlan::cubeCount(u, 1), 1);
}

TEST(EngineStressPlanTest, EveryTwentiethRequestIsAnimatedOrEverySecondWhenSlow) {
    std::vector<std::int64_t> fast, slow;
    for (std::int64_t r = 1; r <= 60; ++r) {
        if (EngineStressPlan::isAnimated(r, 0.05)) fast.push_back(r);
        if (EngineStressPlan::isAnimated(r, 0.5) && r <= 6) slow.push_back(r);
    }
    EXPECT_EQ(fast, (std::vector<std::int64_t>{20, 40, 60}));
    EXPECT_EQ(slow, (std::vector<std::int64_t>{2, 4, 6}));
    EXPECT_FALSE(EngineStressPlan::isAnimated(3, 0.49));
}

TEST(EngineStressPlanTest, ResidentMemoryIsReadFromTheSystem) {
    const double mb = EngineStressPlan::residentMegabytes();
    EXPECT_GT(mb, 1.0);
    EXPECT_LT(mb, 100000.0);
}

} // namespace
} // namespace vesk
