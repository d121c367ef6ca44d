#include "render/engine/FallingSetup.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

std::vector<bonsai::Cube> leaves(int count) {
    std::vector<bonsai::Cube> cubes{{0, 0, 0, bonsai::CubeKind::trunk, {}}};
    for (int i = 0; i < count; ++i)
        cubes.push_back({i, 1, 0, bonsai::CubeKind::leaf, {}});
    return cubes;
}

TEST(FallingSetupTest, RateSpawnThinningAndRestHeights) {
    bonsai::Species species;
    species.fallRate = 3.0f;
    species.fallColors = {{1.0f, 0.0f, 0.0f}};
    std::map<bonsai::CellKey, std::int32_t> top;
    top[bonsai::cellKey(2, 0, 0)] = 4;
    const Framing frame(0.5f, {0.0f, 1.0f, 0.0f}, -1.0f);

    EXPECT_EQ(FallingSetup(leaves(20), species, top, frame).rate, 0.0f);
    EXPECT_EQ(FallingSetup(leaves(21), species, top, frame).rate, 3.0f);
    EXPECT_EQ(FallingSetup(leaves(399), species, top, frame).spawn.size(), 399u);
    EXPECT_EQ(FallingSetup(leaves(1000), species, top, frame).spawn.size(), 500u);

    const FallingSetup setup(leaves(21), species, top, frame);
    EXPECT_FLOAT_EQ(setup.size, 0.375f);
    const auto cfg = setup.config();
    EXPECT_FLOAT_EQ(cfg.rest(1.0f, 0.1f), 1.0f + 4.5f * 0.5f); // column (2, 0) tops out at 4
    EXPECT_FLOAT_EQ(cfg.rest(3.0f, 0.0f), -1.0f);              // outside the map: the floor
}

} // namespace
} // namespace vesk
