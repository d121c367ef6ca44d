#include "bonsai/Noise.hpp"

#include <cmath>

namespace vesk::bonsai::Noise {

namespace {

struct Axis {
    std::uint32_t cell; // the lattice coordinate by its bit pattern
    float fade;
};

Axis axis(float c) {
    if (!(c >= -2147483648.0f && c < 2147483648.0f)) {
        const std::int32_t edge = std::isnan(c) ? 0 : (c < 0.0f ? INT32_MIN : INT32_MAX);
        return {std::uint32_t(edge), 0.0f};
    }
    const float whole = std::floor(c);
    const float f = c - whole;
    return {std::uint32_t(std::int32_t(whole)), f * f * (3.0f - (f + f))};
}

float hashed(std::uint32_t x, std::uint32_t y, std::uint32_t z, std::uint32_t seed) {
    std::uint32_t h = (x * 0x8DA6B343u) ^ (y * 0xD8163841u) ^ (z * 0xCB1AB31Fu) ^ (seed * 374761393u);
    h = h ^ (h >> 13);
    h = h * 0x5BD1E995u;
    h = h ^ (h >> 15);
    return float(h & 0xFFFFFFu) / 16777215.0f;
}

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

} // namespace

float corner(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
    return hashed(std::uint32_t(x), std::uint32_t(y), std::uint32_t(z), seed);
}

float value(Vec3 p, std::uint32_t seed) {
    const Axis ax = axis(p.x), ay = axis(p.y), az = axis(p.z);
    const std::uint32_t x0 = ax.cell, y0 = ay.cell, z0 = az.cell;
    const std::uint32_t x1 = x0 + 1u, y1 = y0 + 1u, z1 = z0 + 1u;
    const float x00 = lerp(hashed(x0, y0, z0, seed), hashed(x1, y0, z0, seed), ax.fade);
    const float x10 = lerp(hashed(x0, y1, z0, seed), hashed(x1, y1, z0, seed), ax.fade);
    const float x01 = lerp(hashed(x0, y0, z1, seed), hashed(x1, y0, z1, seed), ax.fade);
    const float x11 = lerp(hashed(x0, y1, z1, seed), hashed(x1, y1, z1, seed), ax.fade);
    const float y0v = lerp(x00, x10, ay.fade);
    const float y1v = lerp(x01, x11, ay.fade);
    const float v = lerp(y0v, y1v, az.fade);
    return (v + v) - 1.0f;
}

} // namespace vesk::bonsai::Noise
