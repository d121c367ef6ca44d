#include "bonsai/VoxelGrid.hpp"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace vesk::bonsai {
namespace {

// A margin of two cells around the bounds; cells outside read free and marks there are dropped.
TEST(VoxelGridTest, DenseBoxHasATwoCellMargin) {
    VoxelGrid grid({-3, 1, 4}, {2, 7, 4});
    EXPECT_TRUE(grid.isDense);
    EXPECT_EQ((std::array{grid.ox, grid.oy, grid.oz, grid.nx, grid.ny, grid.nz}),
              (std::array<std::int64_t, 6>{-5, -1, 2, 10, 11, 5}));
    EXPECT_EQ(grid.dense.size(), 550u);
    EXPECT_EQ(VoxelGrid({0, 0, 0}, {0, 0, 0}).dense.size(), 125u);
    grid.mark(-5, -1, 2);
    grid.mark(4, 9, 6);
    grid.mark(5, 0, 4); // just outside
    EXPECT_TRUE(grid.occupied(-5, -1, 2));
    EXPECT_TRUE(grid.occupied(4, 9, 6));
    EXPECT_FALSE(grid.occupied(5, 0, 4));
    EXPECT_FALSE(grid.occupied(std::numeric_limits<std::int64_t>::min(), 0, 4));
}

TEST(VoxelGridTest, EmptyOrOverflowingBoundsStaySafe) {
    constexpr auto big = std::numeric_limits<std::int64_t>::max();
    constexpr auto small = std::numeric_limits<std::int64_t>::min();
    // The bounds of a scene with no cubes: lo at the largest, hi at the smallest integer.
    VoxelGrid empty({big, big, big}, {small, small, small});
    EXPECT_TRUE(empty.isDense);
    EXPECT_EQ(empty.nx * empty.ny * empty.nz, 1);
    EXPECT_FALSE(empty.occupied(0, 0, 0));
    empty.mark(5, 5, 5);
    EXPECT_FALSE(empty.occupied(5, 5, 5));

    // A span wider than 64 bits can hold is kept as a set of cells.
    VoxelGrid huge({small, 0, 0}, {big, 0, 0});
    EXPECT_FALSE(huge.isDense);
    EXPECT_GE(huge.nx, 1);
    huge.mark(3, 0, 0);
    EXPECT_TRUE(huge.occupied(3, 0, 0));
    EXPECT_FALSE(huge.occupied(small, 0, 0));
    huge.mark(big, 0, 0); // beyond the cell-key range: ignored, not aliased
    EXPECT_FALSE(huge.occupied(big, 0, 0));
}

TEST(VoxelGridTest, SparseAndDenseAnswerAlikeAndNeighbourhoodMatchesLookups) {
    // 60 × 60 × 60 with margins is dense; a box over 48M cells is sparse.
    VoxelGrid dense({-30, -30, -30}, {30, 30, 30});
    VoxelGrid sparse({-30, -30, -30}, {400, 400, 400});
    ASSERT_TRUE(dense.isDense);
    ASSERT_FALSE(sparse.isDense);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-32, 32);
    for (int i = 0; i < 4000; ++i) {
        const int x = coord(rng), y = coord(rng), z = coord(rng);
        dense.mark(x, y, z);
        if (dense.occupied(x, y, z)) sparse.mark(x, y, z);
    }
    // Cells all over and beyond the dense box, so that the neighbourhood's fast path and its
    // bounds-checked path are both compared with single lookups.
    for (int x = -34; x <= 34; ++x)
        for (int y = -34; y <= 34; y += 3)
            for (int z = -34; z <= 34; z += 2) {
                ASSERT_EQ(dense.occupied(x, y, z), sparse.occupied(x, y, z)) << x << ' ' << y << ' ' << z;
                const std::uint32_t mask = dense.neighbourhood(x, y, z);
                ASSERT_EQ(mask, sparse.neighbourhood(x, y, z));
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dz = -1; dz <= 1; ++dz)
                        for (int dx = -1; dx <= 1; ++dx)
                            ASSERT_EQ(((mask >> neighbourBit(dx, dy, dz)) & 1u) != 0,
                                      dense.occupied(x + dx, y + dy, z + dz));
            }
}

} // namespace
} // namespace vesk::bonsai
