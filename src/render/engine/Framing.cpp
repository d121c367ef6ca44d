#include "render/engine/Framing.hpp"

#include <algorithm>

namespace vesk {

Framing::Framing(const bonsai::VoxelDiorama& diorama, scene::Vec3 target) {
    const auto& lo = diorama.lo;
    const auto& hi = diorama.hi;
    const float x0 = float(lo.x) - 0.5f, x1 = float(hi.x) + 0.5f;
    const float z0 = float(lo.z) - 0.5f, z1 = float(hi.z) + 0.5f;
    const float y0 = float(std::min<std::int64_t>(std::int64_t(diorama.floorY) + 1, lo.y)) - 0.5f;
    const float y1 = float(hi.y) + 0.5f;
    scale = std::min(5.8f / std::max(x1 - x0, z1 - z0), 4.0f / (y1 - y0));
    const scene::Vec3 centre{(x0 + x1) * 0.5f, (y0 + y1) * 0.5f, (z0 + z1) * 0.5f};
    offset = target - centre * scale - scene::Vec3{0.0f, 0.12f, 0.0f};
    floorY = offset.y + y0 * scale;
}

} // namespace vesk
