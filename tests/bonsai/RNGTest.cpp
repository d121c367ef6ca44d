#include "bonsai/RNG.hpp"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace vesk::bonsai {
namespace {

// Number of next() calls an operation made, measured against a copy.
template <typename F> int drawsOf(RNG rng, F&& op) {
    RNG before = rng;
    op(rng);
    int n = 0;
    while (before.s != rng.s) {
        before.next();
        ++n;
    }
    return n;
}

TEST(RNGTest, SplitMix64ReferenceOutputs) {
    RNG rng(0x2545F4914F6CDD1DULL); // state 0: the published SplitMix64 sequence
    EXPECT_EQ(rng.s, 0u);
    EXPECT_EQ(rng.next(), 0xE220A8397B1DCDAFULL);
    EXPECT_EQ(rng.next(), 0x6E789E6AA1B965F4ULL);
    EXPECT_EQ(rng.next(), 0x06C45D188009454FULL);
    EXPECT_EQ(rng.next(), 0xF88BB8A8724C81ECULL);

    EXPECT_EQ(RNG(0).s, 0x2545F4914F6CDD1DULL);
    EXPECT_EQ(RNG(42).s, 0x2545F4914F6CDD37ULL);
    RNG a(12345), b(12345);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.next(), b.next());
}

TEST(RNGTest, EveryOperationConsumesItsFixedNumberOfDraws) {
    const RNG rng(99);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.integer(0); }), 0);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.integer(1); }), 0);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.integer(-5); }), 0);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.integer(7); }), 1);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.range(0.0f, 1.0f); }), 1);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.sign(); }), 1);
    EXPECT_EQ(drawsOf(rng, [](RNG& r) { r.chance(0.5f); }), 1);
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        const int n = drawsOf(RNG(seed), [](RNG& r) { r.inSphere(); });
        ASSERT_GT(n, 0);
        ASSERT_EQ(n % 3, 0) << seed;
    }
}

TEST(RNGTest, DrawsMapOntoTheRawWordAsDefined) {
    RNG rng(7), raw(7);
    for (std::int64_t n : {2, 3, 7, 1000, 1 << 30})
        EXPECT_EQ(rng.integer(n), std::int64_t(raw.next() % std::uint64_t(n)));
    for (int i = 0; i < 50; ++i) {
        const float u = float(raw.next() >> 40) / 16777216.0f;
        EXPECT_EQ(rng.range(2.0f, 6.0f), 4.0f * u + 2.0f);
        const float v = float(raw.next() >> 40) / 16777216.0f;
        EXPECT_EQ(rng.sign(), v < 0.5f ? 1.0f : -1.0f);
    }
    // Certain outcomes at the ends of chance.
    for (int i = 0; i < 100; ++i) {
        EXPECT_FALSE(rng.chance(0.0f));
        EXPECT_TRUE(rng.chance(1.0f));
    }
    // a > b is allowed: the value lies in (b, a].
    for (int i = 0; i < 100; ++i) {
        const float r = rng.range(1.0f, -1.0f);
        EXPECT_GT(r, -1.0f);
        EXPECT_LE(r, 1.0f);
    }
}

TEST(RNGTest, SpherePointsStayInsideOrOnTheUnitSphere) {
    RNG rng(5);
    for (int i = 0; i < 2000; ++i) {
        const Vec3 p = rng.inSphere();
        ASSERT_LE(dot(p, p), 1.0f);
        const Vec3 q = rng.onSphere();
        ASSERT_TRUE(q == UP || std::abs(length(q) - 1.0f) < 1e-6f);
    }
}

TEST(RNGTest, BoundedDrawRejectsOnlyInTheBiasedZone) {
    // With a bound of 3·2^62 about a third of the words fall in the rejected zone.
    const std::uint64_t bound = 3ULL << 62;
    RNG rng(11);
    int extraDraws = 0;
    for (int i = 0; i < 300; ++i) {
        RNG probe = rng;
        const std::uint64_t first = probe.next();
        const int n = drawsOf(rng, [&](RNG& r) { ASSERT_LT(r.bounded(bound), bound); });
        ASSERT_GE(n, 1);
        if (n > 1) {
            ++extraDraws;
            // Only words whose low product word lies below the bound are ever redrawn.
            ASSERT_LT(std::uint64_t(static_cast<unsigned __int128>(first) * bound), bound);
        }
    }
    EXPECT_GT(extraDraws, 30);
    // A bound of 1 still draws once and yields 0.
    EXPECT_EQ(drawsOf(RNG(3), [](RNG& r) { EXPECT_EQ(r.bounded(1), 0u); }), 1);
    // Small bounds: the high word of the product.
    RNG a(8), b(8);
    EXPECT_EQ(a.bounded(2), b.next() >> 63);
}

TEST(RNGTest, ShuffleIsTheForwardFisherYatesPass) {
    std::vector<int> items(10);
    std::iota(items.begin(), items.end(), 0);
    RNG rng(2024), reference(2024);
    rng.shuffle(std::span<int>(items));

    std::vector<int> expected(10);
    std::iota(expected.begin(), expected.end(), 0);
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        const std::uint64_t j = reference.bounded(expected.size() - i);
        std::swap(expected[i], expected[i + j]);
    }
    EXPECT_EQ(items, expected);
    EXPECT_EQ(rng.s, reference.s); // nine draws for ten items, none for the last position

    std::vector<int> one{7};
    RNG still(1);
    still.shuffle(std::span<int>(one));
    EXPECT_EQ(still.s, RNG(1).s);
}

} // namespace
} // namespace vesk::bonsai
