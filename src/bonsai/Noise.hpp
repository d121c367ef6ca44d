#pragma once

#include "bonsai/Math.hpp"

#include <cstdint>

namespace vesk::bonsai::Noise {

// Smooth 3-D value noise in [−1, 1] on an int32 lattice. Coordinates beyond the lattice (or NaN)
// saturate: such an axis sits on its outermost lattice plane (NaN on plane 0) with no fraction.
float value(Vec3 p, std::uint32_t seed);

// The value in [0, 1] of one lattice corner; at a lattice point the noise is 2·corner − 1.
float corner(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed);

} // namespace vesk::bonsai::Noise
