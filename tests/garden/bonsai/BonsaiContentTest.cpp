#include "garden/bonsai/BonsaiContent.hpp"

#include "shell/state/TarnelUI.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using namespace BonsaiContent;

GardenTree tree(std::uint64_t seed, std::int64_t grown = 0) {
    GardenTree t;
    t.seed = seed;
    t.cubesGrown = grown;
    return t;
}

BonsaiProgress ledger(std::int64_t total, std::int64_t planted = 0) {
    BonsaiProgress p;
    if (total > 0) p.gains.push_back({Date{}, total, GainReason::completed});
    p.seedlingsPlanted = planted;
    return p;
}

TEST(BonsaiContentTest, ScreenIsTheFirstSeedlingUntilTheSeedNamesAGardenTree) {
    BonsaiProgress p;
    EXPECT_EQ(screen(p, false), Screen::firstSeedling);
    p.seed = 7; // names no tree: wins over the open garden too
    EXPECT_EQ(screen(p, true), Screen::firstSeedling);
    EXPECT_EQ(shownCount(p), 0);
    p.garden = {tree(3), tree(7, 1203)};
    EXPECT_EQ(screen(p, false), Screen::tree);
    EXPECT_EQ(screen(p, true), Screen::garden);
    EXPECT_EQ(shownCount(p), 1204);
}

TEST(BonsaiContentTest, CaptionKeepsItsLinesWhileTheTreeIsUnnamed) {
    EXPECT_EQ(caption(std::nullopt, 0), (Caption{" ", " ", "0 cubes"}));
    const BonsaiInfo info{"Momiji", "Japanese Maple", "Moyogi · informal upright", 1204};
    EXPECT_EQ(caption(info, 1204),
              (Caption{"Momiji", "JAPANESE MAPLE · MOYOGI · INFORMAL UPRIGHT", "1,204 cubes"}));
}

TEST(BonsaiContentTest, GardenMarkIsTheDotWhileASeedlingIsReadyElseTheTreeCountFromTwo) {
    BonsaiProgress p = ledger(10);
    p.garden = {tree(1)};
    EXPECT_EQ(gardenMark(p), GardenMark{});
    p.garden.push_back(tree(2));
    p.garden.push_back(tree(3));
    EXPECT_EQ(gardenMark(p), (GardenMark{GardenMark::Kind::count, 3}));
    p.gains.push_back({Date{}, 40, GainReason::completed}); // 50: one unlocked, none planted
    EXPECT_EQ(gardenMark(p), (GardenMark{GardenMark::Kind::dot, 0}));
    p.seedlingsPlanted = 1;
    EXPECT_EQ(gardenMark(p).kind, GardenMark::Kind::count);
}

TEST(BonsaiContentTest, GainedTodayShowsFromOneCube) {
    EXPECT_EQ(gainedToday(0), std::nullopt);
    EXPECT_EQ(gainedToday(1), "+1 today");
    EXPECT_EQ(gainedToday(12), "+12 today");
}

TEST(BonsaiContentTest, SeedlingStatusCountsReadySeedlingsOrTheCubesToTheNext) {
    EXPECT_EQ(seedlingStatus(ledger(0)), (SeedlingStatus{false, "Next seedling in 50", 3}));
    EXPECT_EQ(seedlingStatus(ledger(50)), (SeedlingStatus{true, "A seedling is ready to plant", 0}));
    EXPECT_EQ(seedlingStatus(ledger(150)).text, "2 seedlings ready to plant");
    // 149: one unlocked and planted, 1 to go of the 100 from 50 to 150.
    const SeedlingStatus near = seedlingStatus(ledger(149, 1));
    EXPECT_EQ(near.text, "Next seedling in 1");
    EXPECT_NEAR(near.barWidth, 54 * 0.99, 1e-9);
    // More planted than unlocked (an adopted garden): progress, never a negative count.
    EXPECT_FALSE(seedlingStatus(ledger(60, 3)).ready);
    EXPECT_EQ(seedlingStatus(ledger(25 * 1001 * 1002 - 1, 1000)).text, "Next seedling in 1");
    EXPECT_EQ(seedlingStatus(ledger(25 * 999 * 1000, 999)).text, "Next seedling in 50,000");
}

TEST(BonsaiContentTest, ProgressBarIsAtLeastThreePointsAndAtMostItsLength) {
    EXPECT_EQ(progressBarWidth(-0.5), 3);
    EXPECT_EQ(progressBarWidth(0.01), 3);
    EXPECT_EQ(progressBarWidth(0.5), 27);
    EXPECT_EQ(progressBarWidth(1.7), 54);
}

TEST(BonsaiContentTest, RevealPanelShowsOnlyBesideTheOpenTarnel) {
    const Reveal reveal{UUID{}, 1201, 1204, false};
    const RevealPanel hidden = revealPanel(reveal, false, 24);
    EXPECT_FALSE(hidden.visible);
    EXPECT_EQ(hidden.width, 0);
    EXPECT_EQ(hidden.height, 30);
    EXPECT_EQ(revealPanel(std::nullopt, true, 38).height, 38);

    EXPECT_EQ(revealPanel(reveal, true, 30),
              (RevealPanel{true, 252, 304, "+3", "cubes grown", "1,204 total", false}));
    const RevealPanel one = revealPanel(Reveal{UUID{}, 4, 5, true}, true, 30);
    EXPECT_EQ(one.grownLabel, "cube grown");
    EXPECT_TRUE(one.unlocked);
}

} // namespace
} // namespace vesk
