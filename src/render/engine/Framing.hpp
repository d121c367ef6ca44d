#pragma once

#include "bonsai/VoxelDiorama.hpp"
#include "render/scene/Quat.hpp"

namespace vesk {

// How a diorama (in voxel units) is scaled and placed in the scene around a target point, so
// that a tree of any size fills the same view.
struct Framing {
    float scale = 1.0f;  // scene units per voxel
    scene::Vec3 offset;  // scene position of voxel (0, 0, 0)
    float floorY = 0.0f; // scene height of the bottom of the framed box

    Framing() = default;
    Framing(float scale, scene::Vec3 offset, float floorY) : scale(scale), offset(offset), floorY(floorY) {}
    // The diorama's cells, down to the floor, fit 5.8 units across and 4 units high, centred
    // on the target and lowered by 0.12.
    Framing(const bonsai::VoxelDiorama& diorama, scene::Vec3 target);

    friend bool operator==(const Framing&, const Framing&) = default;
};

} // namespace vesk
