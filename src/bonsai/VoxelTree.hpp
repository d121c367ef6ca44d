#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/PotSpec.hpp"
#include "bonsai/Species.hpp"

#include <cstdint>
#include <vector>

namespace vesk::bonsai {

// A cell in the soil plane: x and z.
struct BaseCell {
    std::int32_t x = 0;
    std::int32_t z = 0;

    friend bool operator==(const BaseCell&, const BaseCell&) = default;
};

// A tree cut at a cube count; immutable once made.
struct VoxelTree {
    std::uint64_t seed = 0;
    std::int64_t iterations = 0; // the cube count it was cut at, after clamping
    Species species;
    Style style = Style::chokkan;
    std::vector<Cube> cubes; // in reveal order
    PotSpec pot;
    BaseCell base;
    float height = 0.0f; // the design scale: the nominal height in cells
    Vec3 leanDir;

    friend bool operator==(const VoxelTree&, const VoxelTree&) = default;
};

} // namespace vesk::bonsai
