#pragma once

#include "bonsai/CellMap.hpp"
#include "bonsai/Cube.hpp"

#include <cstdint>
#include <vector>

namespace vesk::bonsai {

// An integer cell position or box corner.
struct Int3 {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t z = 0;

    friend bool operator==(const Int3&, const Int3&) = default;
};

// Which cells are occupied, so that the mesher can drop faces between neighbours. A flat byte
// array over a box with a margin of two cells on every side; a set of cell keys when that box
// would be too large. Cells outside a dense box read as free.
struct VoxelGrid {
    static constexpr std::int64_t maxDenseCells = 48'000'000;

    std::int64_t ox = 0, oy = 0, oz = 0; // the cell at the origin of the box
    std::int64_t nx = 1, ny = 1, nz = 1; // the box's size in cells, each at least 1
    std::vector<std::uint8_t> dense;     // ((y − oy)·nz + (z − oz))·nx + (x − ox); empty when sparse
    CellSet sparse;                      // only looked up, never iterated
    bool isDense = true;

    // An empty grid over lo − 2 … hi + 2. Bounds with hi < lo on some axis (nothing to hold)
    // give a single free cell at the origin.
    VoxelGrid(Int3 lo, Int3 hi);
    VoxelGrid() : VoxelGrid(Int3{}, Int3{}) {}

    void mark(std::int64_t x, std::int64_t y, std::int64_t z);
    void mark(const Cube& cube) { mark(cube.x, cube.y, cube.z); }
    bool occupied(std::int64_t x, std::int64_t y, std::int64_t z) const;

    // The occupancy of the 3×3×3 block around a cell: bit (dy + 1)·9 + (dz + 1)·3 + (dx + 1)
    // is set when (x + dx, y + dy, z + dz) is occupied.
    std::uint32_t neighbourhood(std::int32_t x, std::int32_t y, std::int32_t z) const;

  private:
    bool inBox(std::int64_t x, std::int64_t y, std::int64_t z) const;
    std::size_t indexOf(std::int64_t x, std::int64_t y, std::int64_t z) const;
};

// The bit of neighbourhood() for the offset (dx, dy, dz), each in −1 … 1.
inline constexpr int neighbourBit(int dx, int dy, int dz) {
    return (dy + 1) * 9 + (dz + 1) * 3 + (dx + 1);
}

} // namespace vesk::bonsai
