#include "render/scene/EnvironmentLighting.hpp"

#include "render/scene/Color.hpp"

#include <cmath>
#include <numbers>

namespace vesk::scene {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Real spherical-harmonic basis constants of bands 0 to 2, and the cosine lobe's band
// factors divided by π (1, 2/3, 1/4).
constexpr float kY0 = 0.282095f, kY1 = 0.488603f, kY2 = 1.092548f, kY20 = 0.315392f, kY22 = 0.546274f;
constexpr std::array<float, 9> kBand{1.0f, 2.0f / 3, 2.0f / 3, 2.0f / 3, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};

// The nine polynomials the coefficients multiply, in coefficient order.
std::array<float, 9> terms(Vec3 n) {
    return {
        1.0f, n.y, n.z, n.x, n.x * n.y, n.y * n.z, 3.0f * n.z * n.z - 1.0f, n.x * n.z, n.x * n.x - n.y * n.y};
}

constexpr std::array<float, 9> kBasis{kY0, kY1, kY1, kY1, kY2, kY2, kY20, kY2, kY22};

} // namespace

Vec3 panoramaDirection(float u, float v) {
    const float el = (0.5f - v) * kPi;
    const float az = 2.0f * kPi * u - kPi;
    return {std::cos(el) * std::sin(az), std::sin(el), -std::cos(el) * std::cos(az)};
}

std::array<Vec3, 9> irradianceCoefficients(const Image& image) {
    std::array<Vec3, 9> sums{};
    if (image.empty()) return sums;
    std::array<float, 256> linear{};
    for (int i = 0; i < 256; ++i)
        linear[std::size_t(i)] = srgbToLinear(float(i) / 255.0f);

    // Every second pixel each way is plenty for nine smooth terms.
    const int step = image.width() >= 256 ? 2 : 1;
    const int w = image.width(), h = image.height();
    const auto& px = image.rgba();
    double totalWeight = 0.0;
    for (int j = 0; j < h; j += step) {
        const float v = (float(j) + 0.5f) / float(h);
        const float solidAngle =
            std::cos((0.5f - v) * kPi) * (2.0f * kPi / float(w)) * (kPi / float(h)) * float(step * step);
        for (int i = 0; i < w; i += step) {
            const Vec3 d = panoramaDirection((float(i) + 0.5f) / float(w), v);
            const std::size_t o = (std::size_t(j) * std::size_t(w) + std::size_t(i)) * 4;
            const Vec3 radiance{linear[px[o]], linear[px[o + 1]], linear[px[o + 2]]};
            const auto t = terms(d);
            for (std::size_t k = 0; k < 9; ++k)
                sums[k] += radiance * (kBasis[k] * t[k] * solidAngle);
            totalWeight += solidAngle;
        }
    }
    // The sampled solid angle is 4π up to the quadrature error; normalise it away so that a
    // uniform panorama gives exactly its radiance.
    const float fix = totalWeight > 0.0 ? float(4.0 * std::numbers::pi / totalWeight) : 0.0f;
    for (std::size_t k = 0; k < 9; ++k)
        sums[k] = sums[k] * (fix * kBand[k] * kBasis[k]);
    return sums;
}

Vec3 evaluateIrradiance(const std::array<Vec3, 9>& c, Vec3 n) {
    const auto t = terms(n);
    Vec3 sum;
    for (std::size_t k = 0; k < 9; ++k)
        sum += c[k] * t[k];
    return sum;
}

} // namespace vesk::scene
