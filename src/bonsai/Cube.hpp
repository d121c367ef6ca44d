#pragma once

#include "bonsai/Math.hpp"

#include <cstdint>

namespace vesk::bonsai {

// The first five kinds are wood, the last two foliage.
enum class CubeKind : std::uint8_t {
    trunk = 0,
    branch = 1,
    twig = 2,
    root = 3,
    dead = 4,
    leaf = 5,
    flower = 6
};

inline constexpr bool isWood(CubeKind kind) {
    return kind < CubeKind::leaf;
}

// One placed voxel of a tree; colour in linear RGB.
struct Cube {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    CubeKind kind = CubeKind::trunk;
    Vec3 color;

    friend bool operator==(const Cube&, const Cube&) = default;
};

// A cell packed into 64 bits: ((x + 2^20) << 42) | ((y + 2^20) << 21) | (z + 2^20). Ascending key
// order is (x, y, z) order for coordinates in −2^20 ... 2^20 − 1.
using CellKey = std::int64_t;

inline constexpr std::int64_t cellBias = std::int64_t(1) << 20;
inline constexpr std::int32_t cellMin = -(1 << 20);
inline constexpr std::int32_t cellMax = (1 << 20) - 1;

inline constexpr CellKey cellKey(std::int32_t x, std::int32_t y, std::int32_t z) {
    return CellKey((std::uint64_t(std::int64_t(x) + cellBias) << 42) |
                   (std::uint64_t(std::int64_t(y) + cellBias) << 21) |
                   std::uint64_t(std::int64_t(z) + cellBias));
}
inline constexpr std::int32_t keyX(CellKey key) {
    return std::int32_t((key >> 42) - cellBias);
}
inline constexpr std::int32_t keyY(CellKey key) {
    return std::int32_t(((key >> 21) & 0x1FFFFF) - cellBias);
}
inline constexpr std::int32_t keyZ(CellKey key) {
    return std::int32_t((key & 0x1FFFFF) - cellBias);
}
// The cell directly below (y − 1).
inline constexpr CellKey keyBelow(CellKey key) {
    return key - (CellKey(1) << 21);
}

} // namespace vesk::bonsai
