#include "bonsai/Blueprint.hpp"

#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace vesk::bonsai {
namespace {

namespace VG = VoxelGrower;

TEST(BlueprintTest, EveryCoveredCountCutsExactlyThatManyCubes) {
    for (std::uint64_t seed : {1ULL, 6ULL, 777ULL, 0xFEEDULL}) {
        for (int stage : {0, 3, 7}) {
            const Blueprint bp = VG::blueprint(seed, stage);
            const std::int64_t wood = std::int64_t(bp.wood.size()),
                               full = wood + std::int64_t(bp.crown.size());
            ASSERT_GT(wood, 0);
            for (std::int64_t c = wood; c <= full; ++c) {
                const VoxelTree t = bp.tree(c);
                ASSERT_EQ(std::int64_t(t.cubes.size()), c);
                ASSERT_EQ(t.iterations, c);
            }
            EXPECT_EQ(bp.tree(0).cubes.size(), std::size_t(wood));
            EXPECT_EQ(bp.tree(0).iterations, wood);
            EXPECT_EQ(bp.tree(full + 1000).iterations, full);
            EXPECT_EQ(bp.tree(INT64_MAX).iterations, full);

            const VoxelTree t = bp.tree(full);
            std::set<CellKey> cells;
            for (const Cube& c : t.cubes)
                ASSERT_TRUE(cells.insert(cellKey(c.x, c.y, c.z)).second);
            // Wood before crown in each list, wood in birth order.
            for (std::size_t i = 1; i < bp.wood.size(); ++i)
                ASSERT_LE(bp.wood[i - 1].birth, bp.wood[i].birth);
            for (const RevealCube& c : bp.wood)
                ASSERT_TRUE(isWood(c.kind));
            for (const RevealCube& c : bp.crown)
                ASSERT_FALSE(isWood(c.kind));
        }
    }
}

TEST(BlueprintTest, OneMoreCubeAddsOneCubeAndRecoloursNothing) {
    for (std::uint64_t seed : {2ULL, 777ULL, 31337ULL}) {
        const Blueprint bp = VG::blueprint(seed, 6);
        const std::int64_t wood = std::int64_t(bp.wood.size()), full = wood + std::int64_t(bp.crown.size());
        std::map<CellKey, Cube> before;
        for (const Cube& c : bp.tree(wood).cubes)
            before[cellKey(c.x, c.y, c.z)] = c;
        for (std::int64_t k = wood; k < full; ++k) {
            const VoxelTree next = bp.tree(k + 1);
            std::map<CellKey, Cube> after;
            for (const Cube& c : next.cubes)
                after[cellKey(c.x, c.y, c.z)] = c;
            ASSERT_EQ(after.size(), before.size() + 1);
            for (const auto& [key, cube] : before) {
                const auto it = after.find(key);
                ASSERT_NE(it, after.end());
                ASSERT_EQ(it->second, cube);
            }
            before = std::move(after);
        }
    }
}

TEST(BlueprintTest, StrandsHangOnlyFromRacemesAndNeverThroughWood) {
    int strandCubes = 0;
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
        for (int forced : {6, 0, 1}) {
            const Blueprint bp = VG::blueprint(seed, 8, forced);
            std::set<CellKey> wood;
            for (const RevealCube& c : bp.wood)
                wood.insert(c.key);
            const Design d = VG::design(seed, bp.species, bp.style, bp.height);
            const int maxExtra = std::max(int(bp.height * 0.17f), 2);
            std::set<CellKey> flowers;
            for (const RevealCube& c : bp.crown) {
                if (c.kind != CubeKind::flower) {
                    ASSERT_TRUE(d.leaves.contains(c.key));
                    continue;
                }
                ASSERT_TRUE(bp.species.racemes);
                ASSERT_FALSE(wood.contains(c.key));
                ASSERT_GT(keyY(c.key), 0);
                ASSERT_TRUE(c.color.has_value());
                flowers.insert(c.key);
            }
            // Each strand is a vertical run hanging from a leaf candidate, at most maxExtra + 1 long.
            for (CellKey key : flowers) {
                if (flowers.contains(key + (CellKey(1) << 21))) continue; // not the strand's top
                ASSERT_TRUE(d.leaves.contains(key + (CellKey(1) << 21)));
                int run = 0;
                for (CellKey k = key; flowers.contains(k); k = keyBelow(k))
                    ++run;
                ASSERT_LE(run, maxExtra + 1);
            }
            strandCubes += int(flowers.size());
            if (!bp.species.racemes) {
                // Without strands the crown is the candidate order itself.
                std::vector<std::pair<float, CellKey>> order;
                d.leaves.forEach([&](CellKey k, const LeafCand& c) { order.push_back({-c.score, k}); });
                std::sort(order.begin(), order.end());
                ASSERT_EQ(order.size(), bp.crown.size());
                for (std::size_t i = 0; i < order.size(); ++i)
                    ASSERT_EQ(bp.crown[i].key, order[i].second);
            }
        }
    }
    EXPECT_GT(strandCubes, 500);
}

TEST(BlueprintTest, StagesAimBetweenTheirSizes) {
    // Targets 20, 29, 44, 66, 100: each design's wood plus natural crown lands near its target.
    const std::int64_t targets[] = {20, 29, 44, 66, 100, 149, 223, 335, 502, 754};
    int onTarget = 0, total = 0;
    for (std::uint64_t seed = 0; seed < 30; ++seed)
        for (int stage = 0; stage < 10; ++stage) {
            const Blueprint bp = VG::blueprint(seed, stage);
            EXPECT_EQ(bp.stage, stage);
            const Design d = VG::design(seed, bp.species, bp.style, bp.height);
            const std::int64_t count = std::int64_t(d.wood.size()) + d.natural;
            const std::int64_t n = targets[stage];
            onTarget += std::abs(count - n) <= (n < 60 ? 1 : n / 60) ? 1 : 0;
            ++total;
        }
    EXPECT_GT(onTarget, total * 7 / 10);
}

TEST(BlueprintTest, ForcingTheSpeciesChangesOnlyTheSpecies) {
    const Blueprint natural = VG::blueprint(12, 4);
    for (std::int64_t forced = 0; forced < 7; ++forced) {
        const Blueprint bp = VG::blueprint(12, 4, forced);
        EXPECT_EQ(bp.species, Species::all()[std::size_t(forced)]);
        EXPECT_EQ(bp.seed, natural.seed);
        const Blueprint again = VG::blueprint(12, 4, forced);
        ASSERT_EQ(bp.wood, again.wood);
        ASSERT_EQ(bp.crown, again.crown);
    }
    const Blueprint styled = VG::blueprint(12, 4, std::nullopt, Style::bunjin);
    EXPECT_EQ(styled.style, Style::bunjin);
    EXPECT_EQ(styled.species, natural.species);
    EXPECT_EQ(styled.pot.shape, PotShape::bowl);
}

TEST(BlueprintTest, NegativeStagesAreMadeAsStageZero) {
    EXPECT_EQ(VG::blueprint(3, -4).stage, 0);
    const Blueprint tiny = VG::blueprint(3, 0);
    EXPECT_EQ(VG::blueprint(3, -4).wood, tiny.wood);
}

TEST(ColorizeTest, KindsTakeTheirPalettes) {
    const Species& maple = Species::maple();
    for (std::int32_t i = 0; i < 200; ++i) {
        RNG rng{std::uint64_t(i)};
        const Vec3 leaf = VG::colorize(CubeKind::leaf, i, 5, -i, nullptr, maple, 9u, rng);
        // A maple leaf is one of its reds, brightened or dimmed by at most 10 %.
        bool near = false;
        for (const Vec3& c : maple.leafColors)
            near |= std::abs(leaf.x / c.x - leaf.y / c.y) < 1e-4f && leaf.x / c.x >= 0.899f &&
                    leaf.x / c.x <= 1.071f;
        ASSERT_TRUE(near);
        RNG flowerRng(1);
        ASSERT_EQ(VG::colorize(CubeKind::flower, i, 1, 1, nullptr, Species::wisteria(), 9u, flowerRng),
                  Species::wisteria().secondaryColors.front());
        ASSERT_EQ(VG::colorize(CubeKind::flower, i, 1, 1, nullptr, maple, 9u, flowerRng),
                  (Vec3{0.6f, 0.4f, 0.8f}));
        ASSERT_EQ(flowerRng.s, RNG(1).s); // flowers draw nothing
        RNG deadRng{std::uint64_t(i)};
        const Vec3 dead = VG::colorize(CubeKind::dead, i, 3, 2, nullptr, Species::juniper(), 9u, deadRng);
        ASSERT_GE(dead.x, hex(0x938B7F).x * 0.94f - 1e-6f);
        ASSERT_LE(dead.x, hex(0xDED6C8).x * 1.04f + 1e-6f);
    }
}

} // namespace
} // namespace vesk::bonsai
