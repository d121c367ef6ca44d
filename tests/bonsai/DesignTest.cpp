#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vesk::bonsai {
namespace {

namespace VG = VoxelGrower;

// Clearly inside the pot's outline (a hair of slack for the generator's single precision).
bool insidePot(const PotSpec& pot, int x, int z) {
    return std::pow(std::abs(double(x) / pot.a), double(pot.n)) +
               std::pow(std::abs(double(z) / pot.b), double(pot.n)) <=
           1.0 - 1e-5;
}

struct Census {
    int kinds[7] = {};
};

Census census(const Design& d) {
    Census c;
    d.wood.forEach([&](CellKey, const WoodCell& w) { ++c.kinds[int(w.kind)]; });
    return c;
}

template <typename T> std::vector<std::pair<CellKey, T>> sorted(const CellMap<T>& map) {
    std::vector<std::pair<CellKey, T>> out;
    map.forEach([&](CellKey k, const T& v) { out.push_back({k, v}); });
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return out;
}

TEST(DesignTest, NothingEntersThePotAndWoodAndLeavesAreDisjoint) {
    for (std::uint64_t seed = 0; seed < 140; ++seed) {
        const auto [species, style] = VG::speciesAndStyle(seed);
        for (Style s : {style, Style::hanKengai}) {
            const float scale = 3.0f + float(seed % 10) * 2.5f;
            const Design d = VG::design(seed, species, s, scale);
            ASSERT_FALSE(d.wood.empty());
            d.wood.forEach([&](CellKey key, const WoodCell& w) {
                ASSERT_TRUE(isWood(w.kind));
                ASSERT_FALSE(d.leaves.contains(key)) << seed;
                if (keyY(key) < 0) {
                    ASSERT_FALSE(insidePot(d.pot, keyX(key), keyZ(key))) << seed;
                }
            });
            std::int64_t natural = 0;
            d.leaves.forEach([&](CellKey key, const LeafCand& c) {
                natural += c.score > 0.1f ? 1 : 0;
                ASSERT_GE(c.score, -0.25f);
                ASSERT_GE(c.pad, 0);
                ASSERT_LT(std::size_t(c.pad), d.pads.size());
                if (keyY(key) < 0) {
                    ASSERT_FALSE(insidePot(d.pot, keyX(key), keyZ(key))) << seed;
                }
            });
            ASSERT_EQ(d.natural, natural);
            ASSERT_NEAR(length(d.leanDir), 1.0f, 1e-5f);
            ASSERT_EQ(d.leanDir.y, 0.0f);
        }
    }
}

TEST(DesignTest, FineWoodAppearsExactlyAtItsScaleThresholds) {
    int rootsAt5 = 0, twigsAt9 = 0, deadAt12 = 0;
    const int seeds = 60;
    for (std::uint64_t seed = 0; seed < seeds; ++seed) {
        const Species& juniper = Species::juniper();
        const Style style = juniper.styles[seed % juniper.styles.size()];
        const Census below5 = census(VG::design(seed, juniper, style, 4.99f));
        const Census at5 = census(VG::design(seed, juniper, style, 5.0f));
        EXPECT_EQ(below5.kinds[int(CubeKind::root)], 0);
        rootsAt5 += at5.kinds[int(CubeKind::root)] > 0 ? 1 : 0;

        const Census below9 = census(VG::design(seed, juniper, style, 8.99f));
        const Census at9 = census(VG::design(seed, juniper, style, 9.0f));
        EXPECT_EQ(below9.kinds[int(CubeKind::twig)], 0);
        twigsAt9 += at9.kinds[int(CubeKind::twig)] > 0 ? 1 : 0;

        const Census below12 = census(VG::design(seed, juniper, style, 11.99f));
        const Census at12 = census(VG::design(seed, juniper, style, 12.0f));
        EXPECT_EQ(below12.kinds[int(CubeKind::dead)], 0);
        deadAt12 += at12.kinds[int(CubeKind::dead)] > 0 ? 1 : 0;

        // Only a species with dead wood ever grows any.
        const Census maple = census(VG::design(seed, Species::maple(), Style::moyogi, 30.0f));
        EXPECT_EQ(maple.kinds[int(CubeKind::dead)], 0);
        EXPECT_GT(maple.kinds[int(CubeKind::root)], 0);
        EXPECT_GT(maple.kinds[int(CubeKind::twig)], 0);
    }
    // Later-born wood never replaces an earlier cell, so thin roots or twigs can be covered now and then.
    EXPECT_GT(rootsAt5, seeds * 9 / 10);
    EXPECT_GT(twigsAt9, seeds * 9 / 10);
    EXPECT_GT(deadAt12, seeds * 9 / 10);
}

TEST(DesignTest, PadsFollowTheirStyle) {
    for (std::uint64_t seed = 0; seed < 15; ++seed) {
        for (Style style : allStyles) {
            for (float scale : {3.0f, 14.0f, 30.0f}) {
                const Design d = VG::design(seed, Species::zelkova(), style, scale);
                ASSERT_FALSE(d.pads.empty());
                for (const Pad& pad : d.pads) {
                    ASSERT_GE(pad.blobs.size(), 3u);
                    ASSERT_EQ(pad.blobs.front(), (Blob{{0.0f, 0.05f, 0.0f}, 0.74f}));
                    ASSERT_NEAR(length(pad.fwd), 1.0f, 1e-5f);
                }
                if (style == Style::hokidachi) {
                    ASSERT_EQ(d.pads.size(), 1u);
                    ASSERT_EQ(d.pads.front().bottom, -0.5f);
                } else if (style == Style::hanKengai) {
                    ASSERT_EQ(d.pads.size(), std::size_t(std::min(int(scale / 5.0f), 6) + 2));
                } else {
                    int branches = std::min(int(scale / 4.2f), style == Style::bunjin        ? 2
                                                               : style == Style::fukinagashi ? 6
                                                                                             : 8);
                    ASSERT_EQ(d.pads.size(), std::size_t(branches + 1)) << int(style) << " " << scale;
                    ASSERT_EQ(d.pads.back().seed, d.top); // the apex pad comes last
                }
            }
        }
    }
}

TEST(DesignTest, SameInputsGiveTheSameDesign) {
    for (std::uint64_t seed : {3ULL, 0xABCDEF0123ULL}) {
        const Design a = VG::design(seed, Species::juniper(), Style::fukinagashi, 25.0f);
        const Design b = VG::design(seed, Species::juniper(), Style::fukinagashi, 25.0f);
        const auto wa = sorted(a.wood), wb = sorted(b.wood);
        ASSERT_EQ(wa.size(), wb.size());
        for (std::size_t i = 0; i < wa.size(); ++i) {
            ASSERT_EQ(wa[i].first, wb[i].first);
            ASSERT_EQ(wa[i].second.birth, wb[i].second.birth);
            ASSERT_EQ(wa[i].second.kind, wb[i].second.kind);
        }
        const auto la = sorted(a.leaves), lb = sorted(b.leaves);
        ASSERT_EQ(la.size(), lb.size());
        for (std::size_t i = 0; i < la.size(); ++i) {
            ASSERT_EQ(la[i].first, lb[i].first);
            ASSERT_EQ(la[i].second.score, lb[i].second.score);
        }
        EXPECT_EQ(a.pads, b.pads);
        EXPECT_EQ(a.pot, b.pot);
        EXPECT_EQ(a.base, b.base);
    }
}

TEST(DesignTest, TrunkGrowsFromItsBaseOutward) {
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
        const Design d = VG::design(seed, Species::pine(), Style::chokkan, 20.0f);
        const WoodCell* base = d.wood.find(cellKey(d.base.x, 0, d.base.z));
        ASSERT_NE(base, nullptr);
        EXPECT_EQ(base->kind, CubeKind::trunk);
        EXPECT_LT(base->birth, 1.0f);
        // The top of the trunk is born later than anything at the soil.
        const WoodCell* top = d.wood.find(
            cellKey(int(std::round(d.top.x)), int(std::round(d.top.y)), int(std::round(d.top.z))));
        ASSERT_NE(top, nullptr);
        EXPECT_GT(top->birth, 10.0f);
    }
}

TEST(TrunkControlsTest, StylesHaveTheirPointCountsAndHeights) {
    const std::pair<Style, std::size_t> counts[] = {
        {Style::chokkan, 4}, {Style::moyogi, 5},    {Style::shakan, 5},   {Style::fukinagashi, 5},
        {Style::bunjin, 6},  {Style::hanKengai, 7}, {Style::hokidachi, 3}};
    for (auto [style, n] : counts) {
        RNG rng(4);
        const auto points = VG::trunkControls(style, 10.0f, rng);
        ASSERT_EQ(points.size(), n);
        EXPECT_EQ(points.front(), (Vec3{0.0f, 0.0f, 0.0f}));
    }
    // The cascade drops below the pot's rim.
    RNG rng(4);
    EXPECT_LT(VG::trunkControls(Style::hanKengai, 10.0f, rng).back().y, 0.0f);
}

} // namespace
} // namespace vesk::bonsai
