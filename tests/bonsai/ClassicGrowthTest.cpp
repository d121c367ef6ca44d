#include "bonsai/VoxelGrower.hpp"

#include <gtest/gtest.h>
#include <set>

namespace vesk::bonsai {
namespace {

namespace VG = VoxelGrower;

TEST(ClassicGrowthTest, GrowsExactlyTheAskedNumberOfDistinctCubes) {
    for (std::uint64_t seed = 0; seed < 60; ++seed) {
        for (std::int64_t n : {1, 2, 3, 4, 7, 19, 59, 60, 61, 150, 700}) {
            const VoxelTree t = VG::classic(seed, n);
            ASSERT_EQ(std::int64_t(t.cubes.size()), n) << seed;
            ASSERT_EQ(t.iterations, n);
            std::set<CellKey> cells;
            for (const Cube& c : t.cubes)
                ASSERT_TRUE(cells.insert(cellKey(c.x, c.y, c.z)).second);
        }
        EXPECT_EQ(VG::classic(seed, 0).cubes.size(), 1u);
        EXPECT_EQ(VG::classic(seed, -40).iterations, 1);
        EXPECT_EQ(VG::classic(seed, 0).cubes, VG::classic(seed, 1).cubes);
    }
}

TEST(ClassicGrowthTest, TrimmedWoodKeepsItsBaseAndARingCrown) {
    int trimmed = 0;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        for (std::int64_t n : {5, 9, 12, 18, 30}) {
            const VoxelTree t = VG::classic(seed, n);
            std::int64_t wood = 0;
            for (const Cube& c : t.cubes)
                wood += isWood(c.kind) ? 1 : 0;
            const Design d = VG::design(seed, t.species, t.style, t.height);
            if (std::int64_t(d.wood.size()) < n) continue;
            ++trimmed;
            // n − n/3 wood cubes from the base upward, then leaves born after all of them.
            ASSERT_EQ(wood, n - n / 3) << seed << " " << n;
            bool leavesStarted = false;
            for (const Cube& c : t.cubes) {
                if (!isWood(c.kind)) {
                    leavesStarted = true;
                    ASSERT_EQ(c.kind, CubeKind::leaf);
                    ASSERT_GE(c.y, 0);
                } else {
                    ASSERT_FALSE(leavesStarted);
                    ASSERT_TRUE(d.wood.contains(cellKey(c.x, c.y, c.z)));
                }
            }
            ASSERT_EQ(t.cubes.front().kind, CubeKind::trunk);
        }
    }
    EXPECT_GT(trimmed, 100);
}

TEST(ClassicGrowthTest, SameSeedSameTreeAndCountsAreCapped) {
    EXPECT_EQ(VG::classic(99, 321), VG::classic(99, 321));
    EXPECT_NE(VG::classic(99, 321).cubes, VG::classic(100, 321).cubes);
    const VoxelTree forced = VG::classic(99, 50, 3, Style::bunjin);
    EXPECT_EQ(forced.species, Species::juniper());
    EXPECT_EQ(forced.style, Style::bunjin);
    // Counts from outside can be anything; no tree grows beyond the cap.
    const VoxelTree huge = VG::classic(7, INT64_MAX);
    EXPECT_EQ(huge.iterations, VG::maxCubes);
    EXPECT_EQ(std::int64_t(huge.cubes.size()), VG::maxCubes);
}

} // namespace
} // namespace vesk::bonsai
