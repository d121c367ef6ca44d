#include "render/engine/CubeDiff.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

bonsai::Cube cube(int x, int y, int z, bonsai::CubeKind kind = bonsai::CubeKind::trunk) {
    return {x, y, z, kind, {}};
}

std::vector<bonsai::Cube> column(int height) {
    std::vector<bonsai::Cube> cubes;
    for (int y = 0; y < height; ++y)
        cubes.push_back(cube(0, y, 0));
    return cubes;
}

TEST(CubeDiffTest, SplitsByCellKeepingOrderAndTheNewKinds) {
    const std::vector before{cube(0, 0, 0), cube(1, 0, 0), cube(2, 0, 0)};
    const std::vector after{cube(3, 0, 0), cube(0, 0, 0, bonsai::CubeKind::leaf), cube(4, 0, 0)};
    const CubeDiff diff(before, after);
    ASSERT_EQ(diff.kept.size(), 1u);
    EXPECT_EQ(diff.kept[0].kind, bonsai::CubeKind::leaf);
    EXPECT_EQ(diff.added, (std::vector{cube(3, 0, 0), cube(4, 0, 0)}));
    EXPECT_EQ(diff.removed, (std::vector{cube(1, 0, 0), cube(2, 0, 0)}));
}

TEST(CubeDiffTest, SparksOnlyForOneToSixtyFourAddedWithNoneRemoved) {
    const Framing frame(0.5f, {1.0f, 0.0f, 0.0f}, 0.0f);
    const scene::Vec3 target{0.0f, 1.0f, 0.0f};

    const SparkPlan one(CubeDiff(column(3), column(4)), frame, target);
    ASSERT_EQ(one.sparks.size(), 1u);
    EXPECT_FLOAT_EQ(one.sparks[0].start, 0.15f);
    EXPECT_EQ(one.sparks[0].position, (scene::Vec3{1.0f, 1.5f, 0.0f}));
    EXPECT_EQ(one.focus, one.sparks[0].position);

    const SparkPlan two(CubeDiff(column(3), column(5)), frame, target);
    ASSERT_EQ(two.sparks.size(), 2u);
    EXPECT_FLOAT_EQ(two.sparks[0].start, 0.0f);
    EXPECT_FLOAT_EQ(two.sparks[1].start, 0.7f);
    EXPECT_EQ(two.focus, two.sparks[1].position); // higher is further along the view

    EXPECT_EQ(SparkPlan(CubeDiff(column(1), column(65)), frame, target).sparks.size(), 64u);
    EXPECT_TRUE(SparkPlan(CubeDiff(column(1), column(66)), frame, target).sparks.empty());
    EXPECT_FALSE(SparkPlan(CubeDiff(column(1), column(66)), frame, target).focus);
    EXPECT_TRUE(SparkPlan(CubeDiff(column(3), column(3)), frame, target).sparks.empty());

    std::vector changed = column(2);
    changed.push_back(cube(5, 0, 0));
    EXPECT_TRUE(SparkPlan(CubeDiff(column(3), changed), frame, target).sparks.empty()); // one removed
}

} // namespace
} // namespace vesk
