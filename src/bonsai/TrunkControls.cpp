#include "bonsai/VoxelGrower.hpp"

#include <array>

namespace vesk::bonsai::VoxelGrower {

namespace {

// Points of a slanting trunk: x = s·(λ·height + offset), z drawn for all but the first.
template <std::size_t N>
void slanted(std::vector<Vec3>& out, RNG& rng, float s, float lambda, const std::array<float, N>& heights,
             const std::array<float, N>& offsets) {
    for (std::size_t i = 0; i < N; ++i) {
        const float x = s * (lambda * heights[i] + offsets[i]);
        const float z = i == 0 ? 0.0f : rng.range(-0.05f, 0.05f);
        out.push_back({x, heights[i], z});
    }
}

} // namespace

std::vector<Vec3> trunkControls(Style style, float scale, RNG& rng) {
    const float s = rng.sign();
    std::vector<Vec3> p;
    switch (style) {
    case Style::chokkan: {
        // The mirror sign is drawn but a formal upright has nothing to mirror.
        p.push_back({0.0f, 0.0f, 0.0f});
        const float x1 = rng.range(-0.02f, 0.02f);
        p.push_back({x1, 0.3f, rng.range(-0.02f, 0.02f)});
        const float x2 = rng.range(-0.03f, 0.03f);
        p.push_back({x2, 0.62f, rng.range(-0.03f, 0.03f)});
        const float x3 = rng.range(-0.03f, 0.03f);
        p.push_back({x3, 1.0f, rng.range(-0.02f, 0.04f)});
        break;
    }
    case Style::moyogi: {
        const std::array<float, 5> factors{0.0f, 0.16f, -0.12f, 0.1f, -0.03f};
        const std::array<float, 5> heights{0.0f, 0.22f, 0.46f, 0.72f, 1.0f};
        for (std::size_t i = 0; i < 5; ++i) {
            const float x = (s * factors[i]) * rng.range(0.7f, 1.3f);
            float z = 0.0f;
            if (i >= 1 && i <= 3) z = rng.range(-0.07f, 0.07f);
            if (i == 4) z = rng.range(-0.03f, 0.03f) + 0.05f;
            p.push_back({x, heights[i], z});
        }
        break;
    }
    case Style::shakan: {
        const float lambda = rng.range(0.35f, 0.6f);
        slanted<5>(p, rng, s, lambda, {0.0f, 0.28f, 0.55f, 0.8f, 0.97f},
                   {0.0f, 0.02f, -0.03f, 0.01f, -0.08f});
        break;
    }
    case Style::fukinagashi: {
        const float lambda = rng.range(0.75f, 1.05f);
        slanted<5>(p, rng, s, lambda, {0.0f, 0.22f, 0.45f, 0.66f, 0.82f},
                   {0.0f, -0.03f, 0.02f, -0.02f, 0.03f});
        break;
    }
    case Style::bunjin: {
        const std::array<float, 6> factors{0.0f, 0.1f, -0.06f, 0.14f, 0.02f, 0.16f};
        const std::array<float, 6> heights{0.0f, 0.18f, 0.38f, 0.58f, 0.8f, 1.0f};
        for (std::size_t i = 0; i < 6; ++i) {
            const float x = (s * factors[i]) * rng.range(0.7f, 1.4f);
            const float z = i == 0 ? 0.0f : rng.range(-0.1f, 0.1f);
            p.push_back({x, heights[i], z});
        }
        break;
    }
    case Style::hanKengai: {
        const std::array<Vec3, 7> base{Vec3{0.0f, 0.0f, 0.0f},    Vec3{0.03f, 0.26f, 0.0f},
                                       Vec3{0.17f, 0.43f, 0.03f}, Vec3{0.42f, 0.4f, -0.04f},
                                       Vec3{0.66f, 0.22f, 0.03f}, Vec3{0.84f, 0.02f, 0.0f},
                                       Vec3{0.95f, -0.12f, 0.02f}};
        for (std::size_t i = 0; i < base.size(); ++i) {
            Vec3 q{s * base[i].x, base[i].y, base[i].z};
            if (i == 1) q.z = q.z + rng.range(-0.04f, 0.04f);
            if (i >= 2) {
                q.y = q.y + rng.range(-0.03f, 0.03f);
                q.z = q.z + rng.range(-0.04f, 0.04f);
            }
            p.push_back(q);
        }
        break;
    }
    case Style::hokidachi: {
        p.push_back({0.0f, 0.0f, 0.0f});
        const float x1 = rng.range(-0.02f, 0.02f);
        p.push_back({x1, 0.2f, rng.range(-0.02f, 0.02f)});
        const float x2 = rng.range(-0.02f, 0.02f);
        p.push_back({x2, 0.4f, rng.range(-0.02f, 0.02f)});
        break;
    }
    }
    for (Vec3& q : p)
        q = q * scale;
    return p;
}

} // namespace vesk::bonsai::VoxelGrower
