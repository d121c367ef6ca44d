#include "bonsai/Curves.hpp"

#include <gtest/gtest.h>

namespace vesk::bonsai {
namespace {

const std::vector<Vec3> wiggle{{0, 0, 0}, {1, 2, 0}, {-1, 4, 1}, {0.5f, 6, -1}};

TEST(CurvesTest, CatmullRomPassesThroughEveryControlPoint) {
    const std::vector<Vec3> two{{0, 0, 0}, {1, 1, 1}};
    EXPECT_EQ(catmullRom(two, 20), two);
    const auto path = catmullRom(wiggle, 20);
    ASSERT_EQ(path.size(), 61u);
    for (std::size_t i = 0; i < wiggle.size(); ++i) {
        EXPECT_NEAR(path[i * 20].x, wiggle[i].x, 1e-6f);
        EXPECT_NEAR(path[i * 20].y, wiggle[i].y, 1e-6f);
        EXPECT_NEAR(path[i * 20].z, wiggle[i].z, 1e-6f);
    }
    EXPECT_EQ(path.back(), wiggle.back());
    EXPECT_EQ(catmullRom(wiggle, 0), std::vector<Vec3>{wiggle.back()});
}

TEST(CurvesTest, BezierRunsFromFirstToLastControlPoint) {
    const auto curve = bezier(wiggle[0], wiggle[1], wiggle[2], wiggle[3], 10);
    ASSERT_EQ(curve.size(), 11u);
    EXPECT_EQ(curve.front(), wiggle[0]);
    EXPECT_EQ(curve.back(), wiggle[3]);
    // No samples: the first point alone, never a division of zero by zero.
    EXPECT_EQ(bezier(wiggle[0], wiggle[1], wiggle[2], wiggle[3], 0), std::vector<Vec3>{wiggle[0]});
    EXPECT_EQ(bezier(wiggle[0], wiggle[1], wiggle[2], wiggle[3], -3), std::vector<Vec3>{wiggle[0]});
}

TEST(CurvesTest, ResampleCutsIntoEqualArcLengths) {
    // A straight line of length 10 with uneven input spacing and a repeated point.
    const std::vector<Vec3> line{{0, 0, 0}, {0.5f, 0, 0}, {0.5f, 0, 0}, {7, 0, 0}, {10, 0, 0}};
    EXPECT_EQ(arcLength(line), 10.0f);
    const auto out = resample(line, 5);
    ASSERT_EQ(out.size(), 6u);
    for (std::size_t k = 0; k < out.size(); ++k) {
        EXPECT_NEAR(out[k].x, 2.0f * float(k), 1e-5f);
        EXPECT_EQ(out[k].y, 0.0f);
    }
    EXPECT_EQ(resample(line, 0), line);
    EXPECT_EQ(resample({{1, 2, 3}}, 4).size(), 1u);
    EXPECT_EQ(arcLength({{1, 2, 3}}), 0.0f);
    // A curved path keeps its end points.
    const auto path = catmullRom(wiggle, 20);
    const auto even = resample(path, 17);
    ASSERT_EQ(even.size(), 18u);
    EXPECT_EQ(even.front(), path.front());
    EXPECT_NEAR(even.back().y, path.back().y, 1e-4f);
}

} // namespace
} // namespace vesk::bonsai
