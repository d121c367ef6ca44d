#include "render/engine/EngineMesh.hpp"

#include "bonsai/VoxelMesher.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

bool isLeaf(bonsai::CubeKind kind) {
    return kind == bonsai::CubeKind::leaf || kind == bonsai::CubeKind::flower;
}

std::shared_ptr<scene::Geometry> geometry(bonsai::MeshBuffers buffers) {
    return buffers.empty() ? nullptr : scene::Geometry::make(std::move(buffers));
}

} // namespace

TreeMeshes meshTree(std::span<const bonsai::Cube> cubes, const bonsai::VoxelGrid& grid) {
    bonsai::MeshBuffers wood, leaves;
    wood.reserve(4 * cubes.size(), 6 * cubes.size(), false);
    leaves.reserve(8 * cubes.size(), 12 * cubes.size(), false);
    for (const bonsai::Cube& cube : cubes)
        bonsai::VoxelMesher::append(isLeaf(cube.kind) ? leaves : wood, cube.x, cube.y, cube.z, cube.color,
                                    grid);
    return {geometry(std::move(wood)), geometry(std::move(leaves))};
}

scene::Vec3 nscolor(scene::Vec3 linear) {
    const auto channel = [](float c) { return std::pow(std::max(c, 0.0f), 0.45454544f); };
    return {channel(linear.x), channel(linear.y), channel(linear.z)};
}

} // namespace vesk
