#include "bonsai/VoxelDiorama.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace vesk::bonsai {
namespace {

using Cell = std::tuple<int, int, int>;

// A stand-in tree: a trunk rising from its base with a small crown, in the pot of its seed.
VoxelTree standInTree(std::uint64_t seed, Style style, float scale) {
    VoxelTree tree;
    tree.seed = seed;
    tree.species = VoxelGrower::speciesAndStyle(seed).first;
    tree.style = style;
    tree.height = scale;
    tree.pot = VoxelGrower::potSpec(seed, tree.species, style, scale);
    tree.base = {int(seed % 3) - 1, int(seed / 3 % 3) - 1};
    const int top = int(scale);
    for (int y = 0; y <= top; ++y)
        tree.cubes.push_back({tree.base.x, y, tree.base.z, CubeKind::trunk, {}});
    for (int dx = -2; dx <= 2; ++dx)
        for (int dz = -2; dz <= 2; ++dz)
            tree.cubes.push_back({tree.base.x + dx, top + 1, tree.base.z + dz, CubeKind::leaf, {}});
    tree.iterations = std::int64_t(tree.cubes.size());
    return tree;
}

std::vector<Cube> allOf(const VoxelDiorama& d) {
    std::vector<Cube> all = d.pot;
    all.insert(all.end(), d.ground.begin(), d.ground.end());
    all.insert(all.end(), d.stand.begin(), d.stand.end());
    return all;
}

struct Sample {
    VoxelTree tree;
    VoxelDiorama diorama;
};

// Every style, several seeds and sizes: small pots (a ≤ 6) and wide ones.
const std::vector<Sample>& samples() {
    static const std::vector<Sample> all = [] {
        std::vector<Sample> out;
        std::uint64_t seed = 0x5EED;
        for (const Style style : allStyles)
            for (const float scale : {4.3f, 12.0f, 22.0f, 40.0f})
                for (int k = 0; k < 3; ++k) {
                    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
                    VoxelTree tree = standInTree(seed, style, scale);
                    VoxelDiorama diorama(tree);
                    out.push_back({std::move(tree), std::move(diorama)});
                }
        return out;
    }();
    return all;
}

TEST(VoxelDioramaTest, PotIsAHollowShellWithARimAndFeet) {
    for (const Sample& s : samples()) {
        const PotSpec& pot = s.tree.pot;
        const int h = int(pot.height);
        std::set<Cell> cells;
        int feet = 0, reach = 0;
        for (const Cube& c : s.diorama.pot) {
            cells.insert({c.x, c.y, c.z});
            ASSERT_GE(c.y, -h - 1);
            ASSERT_LE(c.y, 0);
            feet += c.y == -h - 1;
            if (c.y == 0 && c.z == 0) reach = std::max(reach, std::abs(c.x));
        }
        // A solid floor, an open middle above it.
        EXPECT_TRUE(cells.contains({0, -h, 0}));
        for (int y = -h + 1; y <= 0; ++y)
            EXPECT_FALSE(cells.contains({0, y, 0})) << y;
        // The top layer juts out by 5 % as a rim (a drum's sides curve back in to 0.9 there).
        const float rim = pot.shape == PotShape::drum ? 0.95f : 1.05f;
        EXPECT_EQ(reach, int(std::floor(pot.a * rim)));
        // Three feet under round pots, four under the others; wide pots' feet are two cubes wide.
        const bool round = pot.shape == PotShape::drum || pot.shape == PotShape::bowl;
        EXPECT_EQ(feet, (round ? 3 : 4) * (pot.a > 6.0f ? 2 : 1));
    }
}

TEST(VoxelDioramaTest, GroundFillsThePotTopWithSoilMossAndStones) {
    for (const Sample& s : samples()) {
        std::set<Cell> ground, tree;
        for (const Cube& c : s.tree.cubes)
            tree.insert({c.x, c.y, c.z});
        int soil = 0, moss = 0;
        for (const Cube& c : s.diorama.ground) {
            ground.insert({c.x, c.y, c.z});
            ASSERT_GE(c.y, -2);
            soil += c.y < 0;
            moss += c.y == 0;
        }
        EXPECT_GT(soil, 0);
        EXPECT_GT(moss, 0);
        // Below the soil the pot is hollow.
        if (s.tree.pot.height >= 4) {
            EXPECT_FALSE(ground.contains({0, -3, 0}));
        }
        // The middle of the pot, next to the trunk, is always covered (moss or bare soil).
        EXPECT_TRUE(ground.contains({0, 0, 0}) || tree.contains({0, 0, 0}));
        // Cushions and stones stand on ground (or on a root of the tree), never in the air.
        for (const Cube& c : s.diorama.ground) {
            if (c.y < 1) continue;
            EXPECT_TRUE(ground.contains({c.x, c.y - 1, c.z}) || tree.contains({c.x, c.y - 1, c.z}))
                << c.x << ' ' << c.y << ' ' << c.z;
        }
    }
}

TEST(VoxelDioramaTest, StandAndFloorSitUnderThePot) {
    int slabs = 0, stands = 0;
    for (const Sample& s : samples()) {
        const int h = int(s.tree.pot.height);
        const auto& stand = s.diorama.stand;
        ASSERT_FALSE(stand.empty());
        const int lowest =
            std::min_element(stand.begin(), stand.end(), [](auto& a, auto& b) { return a.y < b.y; })->y;
        EXPECT_EQ(s.diorama.floorY, lowest - 1);
        for (const Cube& c : stand)
            EXPECT_LE(c.y, -h - 2);
        if (s.tree.pot.slate) {
            ++slabs;
            EXPECT_EQ(s.diorama.floorY, -h - 3);
        } else {
            ++stands;
            const int legs =
                s.tree.style == Style::hanKengai ? std::max(int(0.42f * s.tree.height), 4) : h / 2 + 1;
            EXPECT_EQ(s.diorama.floorY, -h - 3 - legs);
            // The board covers the pot's footprint with a margin.
            EXPECT_TRUE(std::any_of(stand.begin(), stand.end(),
                                    [&](const Cube& c) { return c.x == 0 && c.y == -h - 2 && c.z == 0; }));
        }
    }
    EXPECT_GT(slabs, 0);
    EXPECT_GT(stands, 0);
}

// No cube on a tree cell or on another diorama cube; bounds, column tops and grid cover the
// scene; the sun shines from the left front and above.
TEST(VoxelDioramaTest, CubesNeverOverlapAndBoundsTopsAndGridCoverTheScene) {
    for (const Sample& s : samples()) {
        const VoxelDiorama& d = s.diorama;
        Int3 lo{1 << 30, 1 << 30, 1 << 30}, hi{-(1 << 30), -(1 << 30), -(1 << 30)};
        std::map<CellKey, std::int32_t> top;
        std::set<Cell> tree, taken;
        for (const Cube& c : s.tree.cubes)
            tree.insert({c.x, c.y, c.z});
        const auto include = [&](const Cube& c) {
            lo = {std::min<std::int64_t>(lo.x, c.x), std::min<std::int64_t>(lo.y, c.y),
                  std::min<std::int64_t>(lo.z, c.z)};
            hi = {std::max<std::int64_t>(hi.x, c.x), std::max<std::int64_t>(hi.y, c.y),
                  std::max<std::int64_t>(hi.z, c.z)};
        };
        for (const Cube& c : allOf(d)) {
            EXPECT_EQ(c.kind, CubeKind::trunk);
            ASSERT_FALSE(tree.contains({c.x, c.y, c.z})) << c.x << ' ' << c.y << ' ' << c.z;
            ASSERT_TRUE(taken.insert({c.x, c.y, c.z}).second) << c.x << ' ' << c.y << ' ' << c.z;
            include(c);
            const CellKey column = cellKey(c.x, 0, c.z);
            top[column] = top.contains(column) ? std::max(top[column], c.y) : c.y;
            EXPECT_TRUE(d.staticGrid.occupied(c.x, c.y, c.z));
        }
        for (const Cube& c : s.tree.cubes) {
            include(c);
            EXPECT_FALSE(d.staticGrid.occupied(c.x, c.y, c.z));
        }
        EXPECT_EQ(d.lo, lo);
        EXPECT_EQ(d.hi, hi);
        EXPECT_EQ(d.top, top);
        EXPECT_TRUE(d.staticGrid.isDense);
        EXPECT_EQ(d.staticGrid.ox, lo.x - 2);
        EXPECT_EQ(d.staticGrid.ny, hi.y - lo.y + 5);
        // The sun, undone from its normalisation: y was 0.62, x −0.55 ± 0.2 and z 0.45 ± 0.15.
        EXPECT_NEAR(length(d.sunDir), 1.0f, 1e-5f);
        const float scale = 0.62f / d.sunDir.y;
        EXPECT_TRUE(d.sunDir.x * scale >= -0.7501f && d.sunDir.x * scale <= -0.3499f) << d.sunDir.x;
        EXPECT_TRUE(d.sunDir.z * scale >= 0.2999f && d.sunDir.z * scale <= 0.6001f) << d.sunDir.z;
    }
}

} // namespace
} // namespace vesk::bonsai
