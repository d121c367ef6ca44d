#include "bonsai/Noise.hpp"
#include "bonsai/VoxelGrower.hpp"

#include <algorithm>

namespace vesk::bonsai::VoxelGrower {

namespace {

Vec3 bark(CubeKind kind, Vec3 p, std::int32_t y, const Species& species, std::uint32_t s, RNG& rng) {
    const float n = Noise::value({p.x * 0.7f, p.y * 0.13f, p.z * 0.7f}, s + 3u);
    const float t = std::clamp(n * 0.95f + 0.5f, 0.0f, 1.0f);
    const float k = rng.range(0.9f, 1.08f);
    Vec3 c = (species.barkDark + (species.barkLight - species.barkDark) * t) * k;
    if (species.lenticels) {
        // Pale horizontal bands.
        const float m = Noise::value({p.x * 0.9f, p.y * 2.6f, p.z * 0.9f}, s + 55u);
        if (m > 0.5f) c = c + (species.barkLight * 1.3f - c) * 0.5f;
    }
    float moss = 0.0f;
    if (kind == CubeKind::root)
        moss = 0.45f;
    else if (kind == CubeKind::trunk && y <= 1)
        moss = 0.3f;
    else
        return c;
    if (rng.chance(moss)) {
        const float f = rng.range(0.55f, 0.85f);
        c = c + (hex(0x56752F) - c) * f;
    }
    return c;
}

Vec3 leaf(Vec3 p, const Pad* pad, const Species& species, std::uint32_t s, RNG& rng) {
    const std::vector<Vec3>* colors = &species.leafColors;
    // Green leaves among the blossom.
    if (species.secondary == LeafShape::smallLeaf && species.secondaryRatio > 0.0f &&
        rng.chance(species.secondaryRatio))
        colors = &species.secondaryColors;
    if (colors->empty()) colors = &species.leafColors;
    const std::int32_t count = std::int32_t(colors->size());
    const float n = Noise::value(p * 0.23f, s + 11u);
    const std::int32_t i =
        std::clamp(truncToInt((n * 0.5f + 0.5f) * float(count) + rng.range(-0.9f, 0.9f)), 0, count - 1);
    Vec3 c = (*colors)[std::size_t(i)];
    if (pad) {
        // The underside of a pad is darker.
        const float t = pad->toLocal(p).y * 0.6f + 0.45f;
        const float shade = t > 0.0f ? std::min(t, 1.0f) * 0.36f + 0.74f : 0.74f;
        c = c * shade;
    }
    return c * rng.range(0.9f, 1.07f);
}

} // namespace

Vec3 colorize(CubeKind kind, std::int32_t x, std::int32_t y, std::int32_t z, const Pad* pad,
              const Species& species, std::uint32_t seedU, RNG& rng) {
    const Vec3 p{float(x), float(y), float(z)};
    switch (kind) {
    case CubeKind::trunk:
    case CubeKind::branch:
    case CubeKind::root:
        return bark(kind, p, y, species, seedU, rng);
    case CubeKind::twig:
        return (species.barkDark + (species.barkLight - species.barkDark) * 0.75f) * rng.range(0.9f, 1.1f);
    case CubeKind::dead: {
        const float n = Noise::value(p * 0.8f, seedU + 91u);
        const float t = (n * 0.5f + 0.5f) * 0.7f + 0.3f;
        const Vec3 grey = hex(0x938B7F);
        return (grey + (hex(0xDED6C8) - grey) * t) * rng.range(0.94f, 1.04f);
    }
    case CubeKind::leaf:
        return leaf(p, pad, species, seedU, rng);
    case CubeKind::flower:
        return species.secondaryColors.empty() ? Vec3{0.6f, 0.4f, 0.8f} : species.secondaryColors.front();
    }
    return species.barkDark;
}

} // namespace vesk::bonsai::VoxelGrower
