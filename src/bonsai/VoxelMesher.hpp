#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/MeshBuffers.hpp"
#include "bonsai/VoxelGrid.hpp"

#include <cstdint>
#include <span>

// Turns unit cubes into vertex streams: the faces of a cube that touch an occupied cell are
// dropped, and each corner is darkened by the occupied cells in front of it.
namespace vesk::bonsai::VoxelMesher {

// Corner brightness by occlusion level 0 (most hidden) to 3 (open).
inline constexpr float occlusionFactors[4] = {0.42f, 0.62f, 0.82f, 1.0f};

// The visible faces of every cube against the grid, in list order.
MeshBuffers mesh(std::span<const Cube> cubes, const VoxelGrid& grid);

// The visible faces of the cube at (x, y, z).
void append(MeshBuffers& buffers, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color,
            const VoxelGrid& grid);

// All six faces of the cube, unshaded, carrying its centre and the start time of its growth.
void appendAnimated(MeshBuffers& buffers, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color,
                    float start);

} // namespace vesk::bonsai::VoxelMesher
