#include "garden/garden/GardenContent.hpp"

#include "bonsai/VoxelGrower.hpp"
#include "garden/garden/NurseryDraw.hpp"
#include "garden/garden/TreeCardContent.hpp"
#include "render/engine/BonsaiInfo.hpp"
#include "support/FakeRandom.hpp"

#include <gtest/gtest.h>
#include <set>

namespace vesk {
namespace {

GardenTree tree(std::uint64_t seed, double plantedAt, std::int64_t cubesGrown = 0) {
    return {UUID{}, seed, dateFromUnixSeconds(plantedAt), cubesGrown};
}

std::vector<std::uint64_t> seedsOf(const std::vector<GardenTree>& trees) {
    std::vector<std::uint64_t> seeds;
    for (const GardenTree& t : trees)
        seeds.push_back(t.seed);
    return seeds;
}

std::string speciesOf(std::uint64_t seed) {
    return bonsai::VoxelGrower::speciesAndStyle(seed).first.name;
}

// The random value whose draw is `seed`.
std::uint64_t drawing(std::uint64_t seed) {
    return (seed - 1) << 24;
}

TEST(GardenContentTest, CurrentTreeFirstThenNewestFirstWithEqualDatesInStoredOrder) {
    BonsaiProgress progress;
    progress.garden = {tree(1, 100), tree(2, 300), tree(3, 200), tree(4, 300), tree(5, 50)};
    progress.seed = 3;
    EXPECT_EQ(seedsOf(gardenOrder(progress)), (std::vector<std::uint64_t>{3, 2, 4, 1, 5}));
    progress.seed = 0; // no current tree: seed 0 names none, even on a tree that has it
    progress.garden.push_back(tree(0, 10));
    EXPECT_EQ(seedsOf(gardenOrder(progress)), (std::vector<std::uint64_t>{2, 4, 3, 1, 5, 0}));
}

TEST(GardenContentTest, CountLineNurseryTitleAndSubtitles) {
    BonsaiProgress progress;
    EXPECT_EQ(gardenCountLine(progress), "0 trees \u00B7 0 cubes earned");
    progress.garden = {tree(1, 0)};
    progress.gains = {{Date{}, 1200, GainReason::created}, {Date{}, 4, GainReason::completed}};
    EXPECT_EQ(gardenCountLine(progress), "1 tree \u00B7 1,204 cubes earned");
    progress.garden.push_back(tree(2, 0));
    EXPECT_EQ(gardenCountLine(progress), "2 trees \u00B7 1,204 cubes earned");

    EXPECT_EQ(nurseryTitle(-1), "Nursery");
    EXPECT_EQ(nurseryTitle(0), "Nursery");
    EXPECT_EQ(nurseryTitle(1), "Nursery \u00B7 pick your new seedling");
    EXPECT_EQ(nurseryTitle(2), "Nursery \u00B7 pick your new seedling");

    EXPECT_EQ(gardenTreeSubtitle(tree(1, 0, 1203), true), "Growing \u00B7 1,204");
    EXPECT_EQ(gardenTreeSubtitle(tree(1, 0, 0), false), "1 cubes");
    EXPECT_TRUE(gardenTreeMenu(true, [] {}).empty());
    const auto menu = gardenTreeMenu(false, [] {});
    ASSERT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu[0].title, "Remove from garden");
}

TEST(GardenContentTest, CardNamesSpeciesAndStyleAndKeepsLockedCardsStill) {
    const std::vector<std::string> names{"Chokkan", "Moyogi",     "Shakan",   "Fukinagashi",
                                         "Bunjin",  "Han-kengai", "Hokidachi"};
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(styleName(bonsai::allStyles[i]), names[i]);

    const auto [species, style] = bonsai::VoxelGrower::speciesAndStyle(42);
    EXPECT_EQ(treeCardTitle(42), species.japanese + " \u00B7 " + styleName(style));
    EXPECT_EQ(treeCardHelp(42, false), species.name);
    EXPECT_EQ(treeCardHelp(42, true), species.name + " \u2014 unlocks with your next seedling");

    EXPECT_EQ(cardBorder({.highlight = true, .hover = true}), CardBorder::accent);
    EXPECT_EQ(cardBorder({.hover = true}), CardBorder::hovered);
    EXPECT_EQ(cardBorder({.hover = true, .locked = true}), CardBorder::hairline);
    EXPECT_EQ(cardScale({.hover = true}), 1.02);
    EXPECT_EQ(cardScale({.hover = true, .locked = true}), 1.0);
}

TEST(NurseryDrawTest, ThreeSeedsOfThreeSpeciesInRangeAndNeverPlanted) {
    test::FakeRandom random({~std::uint64_t{0}, 0});
    const auto seeds = nurserySeedlings({}, random);
    ASSERT_EQ(seeds.size(), 3u);
    EXPECT_EQ(seeds[0], (std::uint64_t{1} << 40)); // the largest draw
    std::set<std::string> species;
    for (std::uint64_t seed : seeds) {
        EXPECT_GE(seed, 1u);
        EXPECT_LE(seed, std::uint64_t{1} << 40);
        species.insert(speciesOf(seed));
    }
    EXPECT_EQ(species.size(), 3u);

    // A planted seed is passed over.
    BonsaiProgress progress;
    progress.garden = {tree(seeds[1], 0)};
    test::FakeRandom again({drawing(seeds[1]), drawing(seeds[0])});
    EXPECT_EQ(nurserySeedlings(progress, again).front(), seeds[0]);
}

TEST(NurseryDrawTest, RepeatsASpeciesOnlyFromTheHundredAndFiftiethTryAndStopsAtTwoHundred) {
    // Always the same seed: taken at once, then again at tries 149 and 150.
    test::FakeRandom same(std::deque<std::uint64_t>(300, drawing(77)));
    EXPECT_EQ(nurserySeedlings({}, same), (std::vector<std::uint64_t>{77, 77, 77}));
    EXPECT_EQ(same.draws, 151u);

    // Always a planted seed: nothing, after exactly 200 tries.
    BonsaiProgress progress;
    progress.garden = {tree(77, 0)};
    test::FakeRandom planted(std::deque<std::uint64_t>(300, drawing(77)));
    EXPECT_TRUE(nurserySeedlings(progress, planted).empty());
    EXPECT_EQ(planted.draws, 200u);
}

TEST(NurseryDrawTest, RefillDropsPlantedSeedsAndRedrawsAtTwoOrFewer) {
    test::FakeRandom random;
    BonsaiProgress progress;
    const std::vector<std::uint64_t> three{11, 12, 13};
    EXPECT_EQ(refilledNursery(three, progress, random), three);
    EXPECT_EQ(random.draws, 0u);

    progress.garden = {tree(12, 0)};
    const auto redrawn = refilledNursery(three, progress, random);
    EXPECT_EQ(redrawn.size(), 3u);
    for (std::uint64_t seed : redrawn)
        EXPECT_NE(seed, 12u);
    EXPECT_GT(random.draws, 0u);

    const std::vector<std::uint64_t> two{11, 13};
    EXPECT_NE(refilledNursery(two, {}, random), two);
}

} // namespace
} // namespace vesk
