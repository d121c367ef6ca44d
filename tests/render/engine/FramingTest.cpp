#include "render/engine/Framing.hpp"

#include "bonsai/BonsaiGrower.hpp"
#include "render/engine/EngineMesh.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(FramingTest, AWideBoxIsScaledToItsWidthAndCentredBelowTheTarget) {
    bonsai::BonsaiGrower grower;
    const auto state = grower.state(12345, 300);
    bonsai::VoxelDiorama box = *state.diorama;
    box.lo = {-10, -4, -5};
    box.hi = {9, 15, 4};
    box.floorY = -6;
    const Framing frame(box, {0.0f, 1.0f, 0.0f});
    // x spans 20 cells, z 10, y from the floor (−5.5) to 15.5: 21.
    EXPECT_FLOAT_EQ(frame.scale, std::min(5.8f / 20.0f, 4.0f / 21.0f));
    EXPECT_NEAR(frame.offset.x, -(-0.5f) * frame.scale, 1e-6f);
    EXPECT_NEAR(frame.offset.y, 1.0f - 5.0f * frame.scale - 0.12f, 1e-6f);
    EXPECT_NEAR(frame.offset.z, -(-0.5f) * frame.scale, 1e-6f);
    EXPECT_NEAR(frame.floorY, frame.offset.y - 5.5f * frame.scale, 1e-6f);
}

TEST(EngineMeshTest, WoodAndLeavesAreMeshedApartAndEmptyPartsHaveNoGeometry) {
    bonsai::Cube trunk{}, leaf{};
    trunk.kind = bonsai::CubeKind::trunk;
    leaf.kind = bonsai::CubeKind::leaf;
    leaf.x = 5;
    const bonsai::VoxelGrid grid({-8, -8, -8}, {8, 8, 8});
    const std::vector<bonsai::Cube> both{trunk, leaf};
    const TreeMeshes meshes = meshTree(both, grid);
    ASSERT_NE(meshes.wood, nullptr);
    ASSERT_NE(meshes.leaves, nullptr);
    EXPECT_EQ(meshes.wood->triangleCount(), 12u);
    EXPECT_EQ(meshes.leaves->triangleCount(), 12u);
    const std::vector<bonsai::Cube> onlyWood{trunk};
    EXPECT_EQ(meshTree(onlyWood, grid).leaves, nullptr);
    EXPECT_EQ(nscolor({-1.0f, 0.0f, 1.0f}), (scene::Vec3{0.0f, 0.0f, 1.0f}));
    EXPECT_NEAR(nscolor({0.5f, 0.5f, 0.5f}).x, std::pow(0.5f, 1.0f / 2.2f), 1e-6f);
}

} // namespace
} // namespace vesk
