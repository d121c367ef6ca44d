#include "bonsai/VoxelGrower.hpp"

#include <array>
#include <gtest/gtest.h>

namespace vesk::bonsai {
namespace {

namespace VG = VoxelGrower;

// Steps 2 and 3 of the mix, applied to the first word that the salt and seed make.
std::uint64_t finish(std::uint64_t z) {
    z = (z ^ (z >> 31)) * 0xD6E8FEB86659FD93ULL;
    return z ^ (z >> 32);
}

TEST(SubSeedTest, SaltsFoldIntoTheirFirstWords) {
    EXPECT_EQ(VG::subSeed(0, 33121), finish(0x632BE59BD9B5708AULL));
    EXPECT_EQ(VG::subSeed(0, 53057), finish(0x632BE59BD9B5BE6AULL));
    EXPECT_EQ(VG::subSeed(0, 782837), finish(0x632BE59BD9C0E11EULL));
    EXPECT_EQ(VG::subSeed(0, 355133), finish(0x632BE59BD9BA5A66ULL));
    EXPECT_EQ(VG::subSeed(0, 11572881), finish(0x632BE59BDA6585BAULL));
    const CellKey key = cellKey(3, 7, -2);
    EXPECT_EQ(VG::subSeed(0, key - VG::salt::cubeColorKey),
              finish(0x632BE59BD9B4E019ULL + std::uint64_t(key)));
    const std::uint64_t seed = 0xDEADBEEF12345678ULL;
    EXPECT_EQ(VG::subSeed(seed, 33121), finish(0x632BE59BD9B5708AULL ^ (seed * 0x9E3779B97F4A7C15ULL)));
    // A negative salt is taken by its bit pattern.
    EXPECT_EQ(VG::subSeed(seed, -1), finish((0x632BE59BD9B4EF29ULL - 1) ^ (seed * 0x9E3779B97F4A7C15ULL)));
}

TEST(StageTest, StagesEndAtTheirRoundedSizes) {
    const std::array<std::int64_t, 16> sizes{24,  36,  54,   81,   122,  182,  273,  410,
                                             615, 923, 1384, 2076, 3114, 4671, 7006, 10509};
    for (int s = 0; s < int(sizes.size()); ++s) {
        EXPECT_EQ(VG::stageSize(s), sizes[std::size_t(s)]);
        EXPECT_EQ(VG::stage(sizes[std::size_t(s)]), s);
        EXPECT_EQ(VG::stage(sizes[std::size_t(s)] + 1), s + 1);
    }
    EXPECT_EQ(VG::stage(1), 0);
    EXPECT_EQ(VG::stage(24), 0);
    EXPECT_EQ(VG::stage(25), 1);
    EXPECT_EQ(VG::stage(36), 1);
    EXPECT_EQ(VG::stage(37), 2);
    EXPECT_EQ(VG::stage(82), 4);
    EXPECT_EQ(VG::stage(122), 4);
    EXPECT_EQ(VG::stage(123), 5);
    EXPECT_EQ(VG::stage(0), 0);
    EXPECT_EQ(VG::stage(-1000), 0);
    EXPECT_EQ(VG::stage(200000), 23);
}

TEST(StageTest, HugeCountsStopAtTheLargestStage) {
    EXPECT_GE(VG::stageSize(VG::maxStage()), VG::maxCubes);
    EXPECT_LT(VG::stageSize(VG::maxStage() - 1), VG::maxCubes);
    EXPECT_EQ(VG::stage(VG::maxCubes), VG::maxStage());
    EXPECT_EQ(VG::stage(INT64_MAX), VG::maxStage());
    EXPECT_EQ(VG::stageSize(10000), INT64_MAX);
}

TEST(SpeciesChoiceTest, SameSeedSameChoiceAndForcedValuesOverride) {
    for (std::uint64_t seed : {0ULL, 1ULL, 42ULL, 0xFFFFFFFFFFFFFFFFULL}) {
        EXPECT_EQ(VG::speciesAndStyle(seed), VG::speciesAndStyle(seed));
        // The style comes from the second draw of the seed's own generator.
        RNG rng(seed);
        const auto& natural = Species::all()[std::size_t(rng.integer(7))];
        const Style expected = natural.styles[std::size_t(rng.integer(std::int64_t(natural.styles.size())))];
        EXPECT_EQ(VG::speciesAndStyle(seed).first, natural);
        EXPECT_EQ(VG::speciesAndStyle(seed).second, expected);

        RNG forced(seed);
        forced.integer(7);
        const auto [ginkgo, style] = VG::speciesAndStyle(seed, 9);
        EXPECT_EQ(ginkgo, Species::ginkgo());
        EXPECT_EQ(style, Species::ginkgo().styles[std::size_t(forced.integer(3))]);

        const auto [same, bunjin] = VG::speciesAndStyle(seed, std::nullopt, Style::bunjin);
        EXPECT_EQ(same, natural);
        EXPECT_EQ(bunjin, Style::bunjin);
    }
}

TEST(SpeciesChoiceTest, NegativeForcedIndicesWrapAround) {
    EXPECT_EQ(VG::speciesAndStyle(5, -1).first, Species::wisteria());
    EXPECT_EQ(VG::speciesAndStyle(5, -7).first, Species::maple());
    EXPECT_EQ(VG::speciesAndStyle(5, -15).first, Species::wisteria());
    EXPECT_EQ(VG::speciesAndStyle(5, INT64_MIN).first,
              Species::all()[std::size_t(((INT64_MIN % 7) + 7) % 7)]);
}

TEST(SpeciesChoiceTest, SpeciesSpreadEvenlyOverSeeds) {
    std::array<int, 7> counts{};
    const int n = 14000;
    for (int i = 0; i < n; ++i) {
        const auto [species, style] = VG::speciesAndStyle(std::uint64_t(i) * 0x9E3779B97F4A7C15ULL + 1);
        for (std::size_t k = 0; k < 7; ++k)
            if (Species::all()[k].name == species.name) ++counts[k];
    }
    for (int c : counts) {
        EXPECT_GT(c, n / 7 - 250);
        EXPECT_LT(c, n / 7 + 250);
    }
}

TEST(PotSpecTest, StylesFixTheirPotShapes) {
    const Species& species = Species::juniper();
    for (std::uint64_t seed = 0; seed < 300; ++seed) {
        for (float scale : {3.0f, 20.0f, 60.0f}) {
            const PotSpec drum = VG::potSpec(seed, species, Style::hanKengai, scale);
            ASSERT_EQ(drum.shape, PotShape::drum);
            ASSERT_EQ(drum.a, std::max(scale * 0.26f, 3.4f));
            ASSERT_EQ(drum.b, drum.a);
            ASSERT_GE(drum.height, 4);
            ASSERT_FALSE(drum.slate);

            const PotSpec rect = VG::potSpec(seed, species, Style::chokkan, scale);
            ASSERT_EQ(rect.shape, PotShape::rect);
            ASSERT_GE(rect.n, 5.0f);
            ASSERT_LT(rect.n, 8.0f);

            const PotSpec bowl = VG::potSpec(seed, species, Style::bunjin, scale);
            ASSERT_EQ(bowl.shape, PotShape::bowl);
            ASSERT_EQ(VG::potSpec(seed, species, Style::hokidachi, scale).shape, PotShape::oval);
        }
        const PotSpec small = VG::potSpec(seed, species, Style::hokidachi, 1.0f);
        ASSERT_EQ(small.a, 4.6f);
        ASSERT_EQ(small.b, 3.2f);
        ASSERT_EQ(small.height, 2);
        // A slanting tree's pot is longer along x only.
        const PotSpec slant = VG::potSpec(seed, species, Style::shakan, 1.0f);
        ASSERT_EQ(slant.a, 4.6f * 1.08f);
        ASSERT_TRUE(slant.b == 3.2f);
    }
}

TEST(PotSpecTest, GlazeAndSlateComeFromThePotStream) {
    int slate = 0;
    for (std::uint64_t seed = 0; seed < 1000; ++seed) {
        const PotSpec pot = VG::potSpec(seed, Species::pine(), Style::chokkan, 10.0f);
        EXPECT_FALSE(pot.glaze.glazed);
        slate += pot.slate ? 1 : 0;
        // The glaze is the first draw for a chokkan, the slate the second.
        RNG rng(VG::subSeed(seed, VG::salt::pot));
        EXPECT_EQ(pot.glaze, Species::pine().glazes[std::size_t(rng.integer(3))]);
        EXPECT_EQ(pot.slate, rng.chance(0.35f));
    }
    EXPECT_GT(slate, 280);
    EXPECT_LT(slate, 420);
}

} // namespace
} // namespace vesk::bonsai
