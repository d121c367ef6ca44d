#pragma once

#include <cmath>
#include <cstdint>

// The generator's single-precision vector arithmetic. Every tree must come out bit for bit the
// same on every build, so the order of operations written here is part of the contract: keep
// each expression as it stands (the library and everything that includes it is compiled with
// -ffp-contract=off, so no multiply-add is ever fused).
namespace vesk::bonsai {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vec3&, const Vec3&) = default;

    Vec3& operator+=(Vec3 o) {
        x = x + o.x;
        y = y + o.y;
        z = z + o.z;
        return *this;
    }
};

inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(Vec3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(Vec3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(float s, Vec3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
inline Vec3 operator*(Vec3 a, Vec3 b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}
inline Vec3 operator/(Vec3 a, float s) {
    return {a.x / s, a.y / s, a.z / s};
}

// (x·x' + y·y') + z·z'
inline float dot(Vec3 a, Vec3 b) {
    return (a.x * b.x + a.y * b.y) + a.z * b.z;
}
inline Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(Vec3 v) {
    return std::sqrt(dot(v, v));
}

// The world's up axis and the fallback direction.
inline constexpr Vec3 UP{0.0f, 1.0f, 0.0f};

// The fast normalise: v times an estimate of 1/|v| (ARM's 8-bit reciprocal square-root
// estimate, refined by two Newton-Raphson steps). A zero vector gives UP.
Vec3 normalize(Vec3 v);

// ARM FRSQRTE: the architecture's 8-bit estimate of 1/sqrt(x), emulated in integer code so
// that every CPU gives the same bits.
float rsqrtEstimate(float x);
// ARM FRSQRTS: (3 - a·b) / 2 with a single rounding.
float rsqrtStep(float a, float b);
// 1/sqrt(x): the estimate refined twice, as the fast normalise uses it.
float fastRsqrt(float x);

// A 24-bit 0xRRGGBB code as a linear colour: each channel (c / 255)^2.2. The top byte is ignored.
Vec3 hex(std::uint32_t rgb);

// Transcendental functions, computed in double and rounded to float: glibc's float versions are
// not correctly rounded, and their errors differ between library versions.
namespace fm {
float sin(float x);
float cos(float x);
float exp(float x);
float pow(float x, float y);
float cbrt(float x);
float atan2(float y, float x);
} // namespace fm

// Rounding to a cell: to nearest, halves away from zero, saturated at the int32 range (NaN gives 0).
std::int32_t roundToInt(float v);
// Truncation toward zero with the same saturation.
std::int32_t truncToInt(float v);

} // namespace vesk::bonsai
