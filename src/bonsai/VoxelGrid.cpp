#include "bonsai/VoxelGrid.hpp"

#include <bit>
#include <cstring>
#include <limits>

namespace vesk::bonsai {

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

// One axis of the box lo − 2 … hi + 2; false when its origin or size leaves the 64-bit range
// (the size then saturates, which only a sparse grid can hold).
bool axis(std::int64_t lo, std::int64_t hi, std::int64_t& origin, std::int64_t& size) {
    std::int64_t span = 0;
    const bool exact = !__builtin_sub_overflow(lo, 2, &origin) && !__builtin_sub_overflow(hi, lo, &span) &&
                       !__builtin_add_overflow(span, 5, &size);
    if (!exact) size = int64Max;
    return exact;
}

bool keyable(std::int64_t x, std::int64_t y, std::int64_t z) {
    const auto inRange = [](std::int64_t c) { return c >= cellMin && c <= cellMax; };
    return inRange(x) && inRange(y) && inRange(z);
}

// Bits 0, 1, 2 tell whether bytes 0, 1, 2 at `row` are non-zero (byte 3 is read but ignored).
std::uint32_t occupiedTriple(const std::uint8_t* row) {
    std::uint32_t w = 0;
    std::memcpy(&w, row, sizeof w);
    if constexpr (std::endian::native == std::endian::big) w = __builtin_bswap32(w);
    // Per byte: the top bit is set when the byte is non-zero (the low seven bits carry into it).
    const std::uint32_t top = (((w & 0x007F7F7Fu) + 0x007F7F7Fu) | w) & 0x00808080u;
    return ((top >> 7) & 1u) | ((top >> 14) & 2u) | ((top >> 21) & 4u);
}

CellKey keyOf(std::int64_t x, std::int64_t y, std::int64_t z) {
    return cellKey(std::int32_t(x), std::int32_t(y), std::int32_t(z));
}

} // namespace

VoxelGrid::VoxelGrid(Int3 lo, Int3 hi) {
    if (hi.x < lo.x || hi.y < lo.y || hi.z < lo.z) {
        // Nothing to hold: the sentinel bounds of an empty scene would overflow lo − 2 and hi − lo.
        dense.assign(1, 0);
        return;
    }
    bool exact = axis(lo.x, hi.x, ox, nx);
    exact = axis(lo.y, hi.y, oy, ny) && exact;
    exact = axis(lo.z, hi.z, oz, nz) && exact;
    std::int64_t cells = 0;
    isDense = exact && !__builtin_mul_overflow(nx, ny, &cells) &&
              !__builtin_mul_overflow(cells, nz, &cells) && cells <= maxDenseCells;
    if (isDense) dense.assign(std::size_t(cells), 0);
}

bool VoxelGrid::inBox(std::int64_t x, std::int64_t y, std::int64_t z) const {
    std::int64_t dx = 0, dy = 0, dz = 0;
    if (__builtin_sub_overflow(x, ox, &dx) || __builtin_sub_overflow(y, oy, &dy) ||
        __builtin_sub_overflow(z, oz, &dz))
        return false;
    return dx >= 0 && dx < nx && dy >= 0 && dy < ny && dz >= 0 && dz < nz;
}

std::size_t VoxelGrid::indexOf(std::int64_t x, std::int64_t y, std::int64_t z) const {
    return std::size_t(((y - oy) * nz + (z - oz)) * nx + (x - ox));
}

void VoxelGrid::mark(std::int64_t x, std::int64_t y, std::int64_t z) {
    if (isDense) {
        if (inBox(x, y, z)) dense[indexOf(x, y, z)] = 1;
    } else if (keyable(x, y, z)) {
        sparse.insert(keyOf(x, y, z));
    }
}

bool VoxelGrid::occupied(std::int64_t x, std::int64_t y, std::int64_t z) const {
    if (isDense) return inBox(x, y, z) && dense[indexOf(x, y, z)] != 0;
    return keyable(x, y, z) && sparse.contains(keyOf(x, y, z));
}

std::uint32_t VoxelGrid::neighbourhood(std::int32_t x, std::int32_t y, std::int32_t z) const {
    const std::int64_t cx = x, cy = y, cz = z;
    std::uint32_t mask = 0;
    if (isDense && inBox(cx - 1, cy - 1, cz - 1) && inBox(cx + 1, cy + 1, cz + 1) &&
        indexOf(cx + 1, cy + 1, cz + 1) + 2 < dense.size()) {
        // The whole block lies in the box: each row of three cells is one 4-byte load.
        const std::size_t rowStride = std::size_t(nx), layerStride = std::size_t(nx * nz);
        const std::uint8_t* layer = dense.data() + indexOf(cx - 1, cy - 1, cz - 1);
        int bit = 0;
        for (int dy = 0; dy < 3; ++dy, layer += layerStride) {
            const std::uint8_t* row = layer;
            for (int dz = 0; dz < 3; ++dz, row += rowStride, bit += 3)
                mask |= occupiedTriple(row) << bit;
        }
        return mask;
    }
    for (int dy = -1; dy <= 1; ++dy)
        for (int dz = -1; dz <= 1; ++dz)
            for (int dx = -1; dx <= 1; ++dx)
                if (occupied(cx + dx, cy + dy, cz + dz)) mask |= 1u << neighbourBit(dx, dy, dz);
    return mask;
}

} // namespace vesk::bonsai
