#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/VoxelGrid.hpp"
#include "render/scene/Geometry.hpp"

#include <memory>
#include <span>

namespace vesk {

// A tree's cubes as the renderers draw them: wood (trunk, branch, twig, root, dead) and
// leaves (leaf, flower), each meshed against the grid; no geometry for an empty part.
struct TreeMeshes {
    std::shared_ptr<scene::Geometry> wood;
    std::shared_ptr<scene::Geometry> leaves;
};

TreeMeshes meshTree(std::span<const bonsai::Cube> cubes, const bonsai::VoxelGrid& grid);

// A linear colour as the display value a platform colour holds: max(c, 0)^(1/2.2) per channel.
scene::Vec3 nscolor(scene::Vec3 linear);

} // namespace vesk
