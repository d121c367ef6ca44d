#include "bonsai/BonsaiGrower.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <set>
#include <tuple>

namespace vesk::bonsai {
namespace {

constexpr std::uint64_t seedA = 0x7A11BEEF;
constexpr std::uint64_t seedB = 42;

TEST(BonsaiGrowerTest, CountsBelowOneGrowTheOneCubeTree) {
    BonsaiGrower grower;
    const BonsaiGrower::State one = grower.state(seedA, 1);
    for (const std::int64_t n :
         {std::int64_t(0), std::int64_t(-5), std::numeric_limits<std::int64_t>::min()}) {
        const BonsaiGrower::State low = grower.state(seedA, n);
        EXPECT_EQ(low.key, one.key);
        EXPECT_EQ(*low.tree, *one.tree);
        EXPECT_EQ(low.diorama, one.diorama);
    }
    EXPECT_EQ(BonsaiGrower().state(seedA, 0).tree->cubes, one.tree->cubes);
}

TEST(BonsaiGrowerTest, ABuildToldToStopEndsWithoutATreeAndKeepsNothingHalfMade) {
    BonsaiGrower grower;
    int asked = 0;
    const BonsaiGrower::State stopped = grower.state(seedA, VoxelGrower::maxCubes, [&] {
        ++asked;
        return false;
    });
    EXPECT_FALSE(stopped.tree);
    EXPECT_LE(asked, 3);
    EXPECT_FALSE(grower.holdsBlueprint(VoxelGrower::stage(VoxelGrower::maxCubes)));
    EXPECT_TRUE(grower.state(seedA, 30, [] { return true; }).tree);
}

TEST(BonsaiGrowerTest, CountsWithinAStageShareOneDiorama) {
    BonsaiGrower grower;
    const BonsaiGrower::State a = grower.state(seedA, 3000);
    const BonsaiGrower::State b = grower.state(seedA, 3001);
    ASSERT_GE(a.key, 0);
    EXPECT_EQ(a.key, b.key);
    EXPECT_EQ(a.diorama.get(), b.diorama.get());
    EXPECT_EQ(a.tree->cubes.size() + 1, b.tree->cubes.size());
    // The diorama is sized for the stage's full tree, so it already bounds the grown one.
    for (const Cube& c : b.tree->cubes) {
        EXPECT_LE(b.diorama->lo.y, c.y);
        EXPECT_GE(b.diorama->hi.y, c.y);
    }
    // Another owner grows the same tree, but builds a diorama of its own.
    const BonsaiGrower::State other = BonsaiGrower().state(seedA, 3000);
    EXPECT_EQ(*other.tree, *a.tree);
    EXPECT_EQ(other.diorama->pot, a.diorama->pot);
    EXPECT_NE(other.diorama.get(), a.diorama.get());
}

TEST(BonsaiGrowerTest, AnotherSeedEmptiesTheCache) {
    BonsaiGrower grower;
    const BonsaiGrower::State a = grower.state(seedA, 100);
    ASSERT_TRUE(grower.holdsDiorama(a.key));
    const BonsaiGrower::State b = grower.state(seedB, 100);
    EXPECT_EQ(grower.seed(), seedB);
    EXPECT_NE(a.diorama.get(), b.diorama.get());
    EXPECT_NE(a.tree->seed, b.tree->seed);
    // Only keys touched for the new seed remain, even where the stage numbers coincide.
    EXPECT_LE(grower.recent().size(), 3u);
    EXPECT_EQ(grower.recent().back(), b.key);
    // The returned state stays valid after its key is gone.
    EXPECT_EQ(a.tree->seed, seedA);
    EXPECT_FALSE(a.diorama->pot.empty());
}

TEST(BonsaiGrowerTest, KeepsTheThreeMostRecentKeys) {
    BonsaiGrower grower;
    std::vector<std::int64_t> keys;
    for (const std::int64_t n : {100, 500, 1000, 3000})
        keys.push_back(grower.state(seedA, n).key);
    ASSERT_EQ(std::set<std::int64_t>(keys.begin(), keys.end()).size(), 4u);
    ASSERT_EQ(grower.recent().size(), 3u);
    EXPECT_EQ(grower.recent().back(), keys[3]);
    EXPECT_FALSE(grower.holdsBlueprint(keys[0]));
    EXPECT_FALSE(grower.holdsDiorama(keys[0]));
    EXPECT_TRUE(grower.holdsDiorama(keys[3]));
    for (const std::int64_t key : grower.recent())
        EXPECT_TRUE(grower.holdsBlueprint(key));
    // Using a cached key again moves it to the end.
    const std::int64_t oldest = grower.recent().front();
    const BonsaiGrower::State again = grower.state(seedA, 3000);
    EXPECT_EQ(again.key, keys[3]);
    EXPECT_EQ(grower.recent().front(), oldest);
}

TEST(BonsaiGrowerTest, FallbackTreeIsKeyedByItsNegatedCount) {
    BonsaiGrower grower;
    // One cube is less than any stage's wood.
    const BonsaiGrower::State first = grower.state(seedA, 1);
    ASSERT_EQ(first.key, -1);
    EXPECT_EQ(first.tree->cubes.size(), 1u);
    EXPECT_TRUE(grower.holdsDiorama(-1));
    EXPECT_FALSE(grower.holdsBlueprint(-1));
    const BonsaiGrower::State second = grower.state(seedA, 1);
    EXPECT_EQ(second.diorama.get(), first.diorama.get());
    EXPECT_NE(second.tree.get(), first.tree.get()); // grown again, not cached
    EXPECT_EQ(*second.tree, *first.tree);
}

// Every count grows exactly that many cubes from a stage next to its own, or at most that many
// from the fallback, and the diorama never collides with the tree.
TEST(BonsaiGrowerTest, SweepGrowsExactlyTheRequestedCubes) {
    std::vector<std::int64_t> counts;
    for (std::int64_t n = 1; n <= 3000; ++n)
        counts.push_back(n);

    for (const std::uint64_t seed : {std::uint64_t(1), seedA, std::uint64_t(0xFFFFFFFFFFFFFFFFULL)}) {
        BonsaiGrower grower;
        std::int64_t lastKey = std::numeric_limits<std::int64_t>::min();
        for (const std::int64_t n : counts) {
            const BonsaiGrower::State state = grower.state(seed, n);
            ASSERT_EQ(state.tree->seed, seed);
            if (state.key >= 0) {
                ASSERT_EQ(std::int64_t(state.tree->cubes.size()), n) << "seed " << seed << " n " << n;
                ASSERT_LE(std::abs(state.key - VoxelGrower::stage(n)), 1) << n;
            } else {
                ASSERT_EQ(state.key, -n);
                ASSERT_LE(std::int64_t(state.tree->cubes.size()), n) << "seed " << seed << " n " << n;
                ASSERT_GE(state.tree->cubes.size(), 1u);
            }
            if (state.key == lastKey) continue;
            lastKey = state.key;
            // A new key: its diorama must leave the tree's cells free.
            std::set<std::tuple<int, int, int>> tree;
            for (const Cube& c : state.tree->cubes)
                tree.insert({c.x, c.y, c.z});
            for (const auto* list : {&state.diorama->pot, &state.diorama->ground, &state.diorama->stand})
                for (const Cube& c : *list)
                    ASSERT_FALSE(tree.contains({c.x, c.y, c.z})) << n;
        }
    }
}

} // namespace
} // namespace vesk::bonsai
