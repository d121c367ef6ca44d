#include "bonsai/Noise.hpp"

#include "bonsai/RNG.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk::bonsai {
namespace {

TEST(NoiseTest, LatticePointsGiveTheirCornerValue) {
    for (int x = -3; x <= 3; ++x)
        for (int y = -2; y <= 2; ++y)
            for (int z = -2; z <= 2; ++z) {
                const float v = Noise::value({float(x), float(y), float(z)}, 17u);
                ASSERT_EQ(v, 2.0f * Noise::corner(x, y, z, 17u) - 1.0f);
            }
}

TEST(NoiseTest, StaysInRangeIsSmoothAndDependsOnTheSeed) {
    RNG rng(1);
    int differ = 0;
    for (int i = 0; i < 20000; ++i) {
        const Vec3 p{rng.range(-500.0f, 500.0f), rng.range(-500.0f, 500.0f), rng.range(-500.0f, 500.0f)};
        const float v = Noise::value(p, 3u);
        ASSERT_GE(v, -1.0f);
        ASSERT_LE(v, 1.0f);
        ASSERT_EQ(v, Noise::value(p, 3u));
        if (v != Noise::value(p, 4u)) ++differ;
        // Value noise with a smoothstep fade: a tiny step moves the value only a little.
        ASSERT_NEAR(Noise::value(p + Vec3{0.001f, 0.0f, 0.0f}, 3u), v, 0.01f);
    }
    EXPECT_GT(differ, 19000);
}

TEST(NoiseTest, InputsBeyondTheLatticeSaturate) {
    const float big = 3.0e9f;
    for (Vec3 p : {Vec3{NAN, 0.5f, 0.5f}, Vec3{big, 1.0f, 2.0f}, Vec3{-big, -INFINITY, INFINITY},
                   Vec3{NAN, NAN, NAN}}) {
        const float v = Noise::value(p, 9u);
        ASSERT_FALSE(std::isnan(v));
        ASSERT_GE(v, -1.0f);
        ASSERT_LE(v, 1.0f);
    }
    EXPECT_EQ(Noise::value({big, 0.0f, 0.0f}, 9u), 2.0f * Noise::corner(INT32_MAX, 0, 0, 9u) - 1.0f);
    EXPECT_EQ(Noise::value({NAN, 0.0f, 0.0f}, 9u), Noise::value({0.0f, 0.0f, 0.0f}, 9u));
    // The last lattice cell inside the range still blends toward its (wrapped) neighbour.
    const float edge = Noise::value({2147483520.0f, 0.0f, 0.0f}, 9u);
    EXPECT_EQ(edge, 2.0f * Noise::corner(2147483520, 0, 0, 9u) - 1.0f);
}

} // namespace
} // namespace vesk::bonsai
