#include "TreeDigest.hpp"

#include <array>
#include <gtest/gtest.h>
#include <thread>

namespace vesk::bonsai {
namespace {

// The digest of the reference trees, checked in RelWithDebInfo, Debug and -O3 -march=native builds.
// A build whose arithmetic differs (fused multiply-adds, another libm path, a vendor rsqrt) fails here.
constexpr std::uint64_t storedDigest = 0x5119DE86AE307000ULL;

TEST(DeterminismTest, ReferenceTreesMatchTheStoredDigestOnEveryRunAndThread) {
    const std::uint64_t first = testing::referenceDigest();
    EXPECT_EQ(first, testing::referenceDigest());

    std::array<std::uint64_t, 4> fromThreads{};
    std::array<std::thread, 4> threads;
    for (std::size_t i = 0; i < threads.size(); ++i)
        threads[i] = std::thread([&fromThreads, i] { fromThreads[i] = testing::referenceDigest(); });
    for (auto& t : threads)
        t.join();
    for (std::uint64_t d : fromThreads)
        EXPECT_EQ(d, first);

    EXPECT_EQ(first, storedDigest) << std::hex << "0x" << first;
}

} // namespace
} // namespace vesk::bonsai
