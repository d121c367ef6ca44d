#include "devtools/LaunchSteps.hpp"

#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(LaunchStepsTest, AForcedSeedPlantsOnlyAMissingTreeAndMakesItCurrent) {
    test::StoreTestBed bed;
    Store& store = bed.open();
    LaunchSteps::forceSeed(store, 42, bed.clock, bed.random);
    LaunchSteps::forceSeed(store, 42, bed.clock, bed.random);
    ASSERT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().garden[0].cubesGrown, 0);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    // 0 is "no current tree": no tree with it, and the current one stays.
    LaunchSteps::forceSeed(store, 0, bed.clock, bed.random);
    EXPECT_EQ(store.bonsai.get().garden.size(), 1u);
    EXPECT_EQ(store.bonsai.get().seed, 42u);
    bed.queue.advance(1);
    ASSERT_EQ(bed.writes(), 1u);
    EXPECT_EQ(bed.onDisk()->bonsai->seed, 42u);
}

} // namespace
} // namespace vesk
