#include "bonsai/Math.hpp"

#include <array>
#include <bit>
#include <cmath>

namespace vesk::bonsai {

namespace {

// RecipSqrtEstimate of the ARM architecture: a is a 9-bit fixed-point value in 128..511
// (0.25 <= x < 1); the result is in 256..511 (1.0 <= r < 2.0 in steps of 1/256).
std::uint32_t recipSqrtEstimate(std::uint32_t a) {
    if (a < 256) {
        a = a * 2 + 1;
    } else {
        a = (a >> 1) << 1;
        a = (a + 1) * 2;
    }
    std::uint64_t b = 512;
    while (std::uint64_t(a) * (b + 1) * (b + 1) < (std::uint64_t(1) << 28))
        b = b + 1;
    return std::uint32_t((b + 1) / 2);
}

// The estimate depends only on the exponent's parity and the top 8 fraction bits.
const std::array<std::uint8_t, 512>& estimateTable() {
    static const std::array<std::uint8_t, 512> table = [] {
        std::array<std::uint8_t, 512> t{};
        for (std::uint32_t scaled = 128; scaled < 512; ++scaled)
            t[scaled] = std::uint8_t(recipSqrtEstimate(scaled) & 0xFF);
        return t;
    }();
    return table;
}

} // namespace

float rsqrtEstimate(float x) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
    if (std::isnan(x)) return std::bit_cast<float>(bits | 0x00400000u);
    if (x == 0.0f) return std::copysign(INFINITY, x);
    if (bits >> 31) return std::bit_cast<float>(0x7FC00000u);
    if (std::isinf(x)) return 0.0f;

    std::uint32_t fraction = bits & 0x007FFFFFu;
    std::int32_t exp = std::int32_t(bits >> 23);
    if (exp == 0) {
        // Subnormal: normalise the fraction, then drop its leading one.
        while ((fraction & 0x00400000u) == 0) {
            fraction <<= 1;
            exp -= 1;
        }
        fraction = (fraction << 1) & 0x007FFFFFu;
    }
    const std::uint32_t scaled = (exp & 1) == 0 ? (0x100u | (fraction >> 15)) : (0x80u | (fraction >> 16));
    // 380 - exp is positive even for the smallest subnormal, so C++ division floors as DIV does.
    const std::int32_t resultExp = (380 - exp) / 2;
    const std::uint32_t estimate = estimateTable()[scaled];
    return std::bit_cast<float>((std::uint32_t(resultExp & 0xFF) << 23) | (estimate << 15));
}

float rsqrtStep(float a, float b) {
    // 0 × ∞ has no sign to speak of: the architecture defines the step as 1.5 there.
    if ((a == 0.0f && std::isinf(b)) || (std::isinf(a) && b == 0.0f)) return 1.5f;
    return std::fma(-a, b, 3.0f) * 0.5f;
}

float fastRsqrt(float x) {
    float r = rsqrtEstimate(x);
    r = r * rsqrtStep(x, r * r);
    r = r * rsqrtStep(x, r * r);
    return r;
}

Vec3 normalize(Vec3 v) {
    const float l2 = dot(v, v);
    if (l2 == 0.0f) return UP;
    return v * fastRsqrt(l2);
}

namespace {

const std::array<float, 256>& linearChannel() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[std::size_t(c)] = fm::pow(float(c) / 255.0f, 2.2f);
        return t;
    }();
    return table;
}

} // namespace

Vec3 hex(std::uint32_t rgb) {
    const auto& t = linearChannel();
    return {t[(rgb >> 16) & 0xFF], t[(rgb >> 8) & 0xFF], t[rgb & 0xFF]};
}

namespace fm {
float sin(float x) {
    return float(std::sin(double(x)));
}
float cos(float x) {
    return float(std::cos(double(x)));
}
float exp(float x) {
    return float(std::exp(double(x)));
}
float pow(float x, float y) {
    return float(std::pow(double(x), double(y)));
}
float cbrt(float x) {
    return float(std::cbrt(double(x)));
}
float atan2(float y, float x) {
    return float(std::atan2(double(y), double(x)));
}
} // namespace fm

namespace {

std::int32_t saturate(float whole) {
    if (std::isnan(whole)) return 0;
    if (whole <= -2147483648.0f) return INT32_MIN;
    if (whole >= 2147483648.0f) return INT32_MAX;
    return std::int32_t(whole);
}

} // namespace

std::int32_t roundToInt(float v) {
    return saturate(std::round(v));
}
std::int32_t truncToInt(float v) {
    return saturate(std::trunc(v));
}

} // namespace vesk::bonsai
