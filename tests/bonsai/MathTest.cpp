#include "bonsai/Math.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

namespace vesk::bonsai {
namespace {

TEST(FastNormaliseTest, EstimateMatchesTheArchitecturesTable) {
    // Values of the ARM reciprocal square-root estimate at exact powers and one odd exponent.
    EXPECT_EQ(rsqrtEstimate(1.0f), 0.998046875f);
    EXPECT_EQ(rsqrtEstimate(4.0f), 0.4990234375f);
    EXPECT_EQ(rsqrtEstimate(2.0f), 0.705078125f);
    EXPECT_EQ(rsqrtEstimate(0.25f), 1.99609375f);
    EXPECT_EQ(rsqrtEstimate(0.0f), INFINITY);
    EXPECT_EQ(rsqrtEstimate(INFINITY), 0.0f);
    EXPECT_TRUE(std::isnan(rsqrtEstimate(-1.0f)));
    EXPECT_TRUE(std::isnan(rsqrtEstimate(NAN)));
}

TEST(FastNormaliseTest, EstimateAndRefinementErrorBoundsOverTwoBinades) {
    // Every float in [1, 4): both exponent parities, so every table entry is reached.
    double worstEstimate = 0.0;
    double worstRefined = 0.0;
    for (std::uint32_t bits = std::bit_cast<std::uint32_t>(1.0f); bits < std::bit_cast<std::uint32_t>(4.0f);
         ++bits) {
        const float x = std::bit_cast<float>(bits);
        const double exact = 1.0 / std::sqrt(double(x));
        worstEstimate = std::max(worstEstimate, std::abs(double(rsqrtEstimate(x)) / exact - 1.0));
        worstRefined = std::max(worstRefined, std::abs(double(fastRsqrt(x)) / exact - 1.0));
    }
    EXPECT_LT(worstEstimate, 1.0 / 256.0);
    EXPECT_GT(worstEstimate, 1.0 / 1024.0); // an 8-bit estimate, not an exact root
    EXPECT_LT(worstRefined, 4.0e-7);
}

TEST(FastNormaliseTest, EstimateScalesWithTheExponentIncludingSubnormals) {
    for (float x : {1.5f, 2.75f, 3.3f}) {
        EXPECT_EQ(rsqrtEstimate(x * 0x1p-20f), rsqrtEstimate(x) * 0x1p10f) << x;
        EXPECT_EQ(rsqrtEstimate(x * 0x1p-140f), rsqrtEstimate(x) * 0x1p70f) << x; // subnormal input
    }
}

TEST(FastNormaliseTest, NormaliseGivesUnitVectorsAndUpForZero) {
    EXPECT_EQ(normalize({0.0f, 0.0f, 0.0f}), UP);
    const Vec3 n = normalize({3.0f, 0.0f, 4.0f});
    EXPECT_NEAR(n.x, 0.6f, 1e-6f);
    EXPECT_EQ(n.y, 0.0f);
    EXPECT_NEAR(n.z, 0.8f, 1e-6f);
    for (float s : {1e-15f, 1e-3f, 1.0f, 77.0f, 1e15f}) {
        const Vec3 v = normalize(Vec3{-1.0f, 2.0f, 0.5f} * s);
        EXPECT_NEAR(length(v), 1.0f, 1e-6f) << s;
    }
}

TEST(HexTest, ChannelsFollowAPlainPowerCurve) {
    EXPECT_EQ(hex(0xFFFFFF), (Vec3{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(hex(0x000000), (Vec3{0.0f, 0.0f, 0.0f}));
    EXPECT_NEAR(hex(0x808080).x, 0.2195f, 1e-4f);
    EXPECT_EQ(hex(0xFF000000u), hex(0)); // the byte above red is ignored
    const Vec3 c = hex(0x102030);
    EXPECT_EQ(c.x, hex(0x100000).x);
    EXPECT_EQ(c.y, hex(0x002000).y);
    EXPECT_EQ(c.z, hex(0x000030).z);
    EXPECT_LT(c.x, c.y);
    EXPECT_LT(c.y, c.z);
}

TEST(CellRoundingTest, HalvesGoAwayFromZeroAndOutOfRangeSaturates) {
    EXPECT_EQ(roundToInt(2.5f), 3);
    EXPECT_EQ(roundToInt(-2.5f), -3);
    EXPECT_EQ(roundToInt(-0.4f), 0);
    EXPECT_EQ(truncToInt(-2.9f), -2);
    EXPECT_EQ(roundToInt(NAN), 0);
    EXPECT_EQ(roundToInt(1e20f), INT32_MAX);
    EXPECT_EQ(truncToInt(-INFINITY), INT32_MIN);
}

} // namespace
} // namespace vesk::bonsai
