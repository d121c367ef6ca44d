#include "core/runtime/Observations.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace vesk {
namespace {

using test::StoreTestBed;

class StoreGrowthTest : public ::testing::Test, protected StoreTestBed {
  protected:
    StoreGrowthTest() {
        open();
        heard.listen(store->grew, [this](std::int64_t from, std::int64_t to, GainReason reason) {
            // The ledger is already updated when the shell hears of it.
            growths.emplace_back(from, to, reason);
            cubesAtCallback = currentTree() ? currentTree()->cubesGrown : -1;
        });
        heard.listen(store->seedlingUnlocked, [this] { ++unlocks; });
    }

    Store& s() { return *store; }
    const GardenTree* currentTree() const {
        for (const GardenTree& tree : store->bonsai.get().garden)
            if (tree.seed == store->bonsai.get().seed) return &tree;
        return nullptr;
    }
    // A garden with a current tree of `cubes` grown cubes.
    void plantTreeWith(std::int64_t cubes) {
        ASSERT_TRUE(s().plant(101));
        s().debugSetIteration(cubes + 1);
    }

    std::vector<std::tuple<std::int64_t, std::int64_t, GainReason>> growths;
    std::int64_t cubesAtCallback = 0;
    int unlocks = 0;
    Observations heard;
};

TEST_F(StoreGrowthTest, WithoutATreeCubesWaitForTheFirstPlanting) {
    s().grow(1, GainReason::created);
    EXPECT_TRUE(growths.empty());
    EXPECT_EQ(s().bonsai.get().pending, 1);
    ASSERT_EQ(s().bonsai.get().gains.size(), 1u);
    EXPECT_EQ(s().bonsai.get().gains[0], (BonsaiGain{clock.now(), 1, GainReason::created}));

    // The first tree is free and takes the pending cubes.
    EXPECT_TRUE(s().plant(7));
    ASSERT_EQ(s().bonsai.get().garden.size(), 1u);
    EXPECT_EQ(s().bonsai.get().garden[0].cubesGrown, 1);
    EXPECT_EQ(s().bonsai.get().garden[0].plantedAt, clock.now());
    EXPECT_EQ(s().bonsai.get().pending, 0);
    EXPECT_EQ(s().bonsai.get().seed, 7u);
    EXPECT_EQ(s().bonsai.get().seedlingsPlanted, 0);
    EXPECT_TRUE(growths.empty()); // planting shows nothing by itself
    queue.advance(0.4);
    EXPECT_EQ(onDisk()->bonsai, s().bonsai.get());
}

TEST_F(StoreGrowthTest, GrowthOfTheCurrentTreeReportsShownCounts) {
    plantTreeWith(10);
    s().grow(3, GainReason::completed);
    ASSERT_EQ(growths.size(), 1u);
    EXPECT_EQ(growths[0], std::make_tuple(std::int64_t{11}, std::int64_t{14}, GainReason::completed));
    EXPECT_EQ(cubesAtCallback, 13);
    EXPECT_EQ(s().bonsai.get().pending, 0);
    // grow leaves saving to its callers.
    EXPECT_EQ(queue.pendingCount(), 1u); // the save of plant()
}

TEST_F(StoreGrowthTest, SeedNamingNoGardenTreeCollectsPendingCubes) {
    test::edit(s(), &Snapshot::bonsai, [](BonsaiProgress& p) { p.seed = 55; });
    s().grow(2, GainReason::completed);
    EXPECT_TRUE(growths.empty());
    EXPECT_EQ(s().bonsai.get().pending, 2);
}

TEST_F(StoreGrowthTest, UnlockIsReportedOncePerGrant) {
    s().grow(49, GainReason::completed);
    EXPECT_EQ(unlocks, 0);
    s().grow(1, GainReason::created); // total 50: the first seedling
    EXPECT_EQ(unlocks, 1);
    s().grow(99, GainReason::completed); // 149
    EXPECT_EQ(unlocks, 1);
    s().grow(200, GainReason::completed); // 349: past 150 and 300 at once
    EXPECT_EQ(unlocks, 2);
    EXPECT_EQ(s().bonsai.get().seedlingsUnlocked(), 3);
}

TEST_F(StoreGrowthTest, PlantingLimits) {
    EXPECT_FALSE(s().plant(0));
    EXPECT_FALSE(s().plant(Store::maxSeed + 1));
    EXPECT_EQ(queue.pendingCount(), 0u);
    EXPECT_TRUE(s().bonsai.get().garden.empty());
    EXPECT_TRUE(s().plant(Store::maxSeed));
    EXPECT_EQ(Store::maxSeed, 9007199254740991u);

    // A second tree needs an unlocked seedling.
    EXPECT_FALSE(s().plant(2));
    EXPECT_EQ(s().bonsai.get().garden.size(), 1u);
    // Planting the current seed again is accepted and changes nothing.
    const BonsaiProgress before = s().bonsai.get();
    EXPECT_TRUE(s().plant(Store::maxSeed));
    EXPECT_EQ(s().bonsai.get(), before);

    s().grow(50, GainReason::completed);
    EXPECT_TRUE(s().plant(2));
    EXPECT_EQ(s().bonsai.get().seedlingsPlanted, 1);
    EXPECT_EQ(currentTree()->cubesGrown, 0);
    EXPECT_EQ(s().bonsai.get().garden[0].cubesGrown, 50); // the old tree keeps its cubes
    EXPECT_FALSE(s().plant(3));                           // that seedling is spent

    // Switching back to an older tree spends nothing.
    EXPECT_TRUE(s().plant(Store::maxSeed));
    EXPECT_EQ(s().bonsai.get().seed, Store::maxSeed);
    EXPECT_EQ(s().bonsai.get().seedlingsPlanted, 1);
}

TEST_F(StoreGrowthTest, RemovingTreesSparesTheCurrentOne) {
    ASSERT_TRUE(s().plant(1));
    s().grow(150, GainReason::completed);
    ASSERT_TRUE(s().plant(2));
    const UUID first = s().bonsai.get().garden[0].id;
    const UUID second = s().bonsai.get().garden[1].id;

    s().removeFromGarden(second); // the current tree
    s().removeFromGarden(UUID::random(random));
    EXPECT_EQ(s().bonsai.get().garden.size(), 2u);

    s().removeFromGarden(first);
    ASSERT_EQ(s().bonsai.get().garden.size(), 1u);
    EXPECT_EQ(s().bonsai.get().garden[0].id, second);
    EXPECT_EQ(s().bonsai.get().seedlingsPlanted, 1); // the spent seedling is not given back
}

TEST_F(StoreGrowthTest, DebugIterationSetsShownCubesWithoutSideEffects) {
    s().debugSetIteration(40); // no tree: nothing
    EXPECT_TRUE(s().bonsai.get().garden.empty());

    ASSERT_TRUE(s().plant(9));
    queue.advance(1);
    const auto before = writes();
    for (std::int64_t n : {std::int64_t{0}, std::int64_t{1}, std::numeric_limits<std::int64_t>::min()}) {
        s().debugSetIteration(n);
        EXPECT_EQ(currentTree()->cubesGrown, 0);
    }
    s().debugSetIteration(40);
    EXPECT_EQ(currentTree()->cubesGrown, 39);
    EXPECT_TRUE(s().bonsai.get().gains.empty());
    EXPECT_TRUE(growths.empty());
    queue.advance(1);
    EXPECT_EQ(writes(), before);
}

TEST_F(StoreGrowthTest, HandEditedCountsSaturate) {
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    test::edit(s(), &Snapshot::bonsai, [](BonsaiProgress& p) {
        p.pending = max - 1;
        p.seedlingsPlanted = max;
    });
    s().grow(4, GainReason::completed);
    EXPECT_EQ(s().bonsai.get().pending, max);

    ASSERT_TRUE(s().plant(5)); // the first tree takes them
    s().debugSetIteration(max);
    s().grow(3, GainReason::completed);
    EXPECT_EQ(currentTree()->cubesGrown, max);
    EXPECT_EQ(growths.back(), std::make_tuple(max, max, GainReason::completed));

    // Unlocked − planted would overflow with a negative planted count; it still means "available".
    test::edit(s(), &Snapshot::bonsai,
               [](BonsaiProgress& p) { p.seedlingsPlanted = std::numeric_limits<std::int64_t>::min(); });
    EXPECT_TRUE(s().plant(6));
    EXPECT_EQ(s().bonsai.get().seedlingsPlanted, std::numeric_limits<std::int64_t>::min() + 1);
}

TEST_F(StoreGrowthTest, CompletionRewardsAreTwoToFourCubes) {
    random.script = {0, 1, 2, 3};
    EXPECT_EQ(s().completionReward(), 2);
    EXPECT_EQ(s().completionReward(), 3);
    EXPECT_EQ(s().completionReward(), 4);
    EXPECT_EQ(s().completionReward(), 2);
}

TEST_F(StoreGrowthTest, GainedTodayStartsAtLocalMidnight) {
    test::ScopedTimeZone paris("Europe/Paris");
    const Date midnight = test::localDate(2026, 3, 9, 0, 0, 0);
    clock.set(midnight + std::chrono::hours(10));
    test::edit(s(), &Snapshot::bonsai, [&](BonsaiProgress& p) {
        p.gains = {
            BonsaiGain{midnight - std::chrono::seconds(1), 5, GainReason::completed},
            BonsaiGain{midnight, 3, GainReason::completed},
            BonsaiGain{midnight + std::chrono::hours(9), 1, GainReason::created},
        };
    });
    EXPECT_EQ(s().bonsaiGainedToday(), 4);
}

} // namespace
} // namespace vesk
