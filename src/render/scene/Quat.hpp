#pragma once

#include "bonsai/Math.hpp"

namespace vesk::scene {

// The scene shares the generator's 3-vector, so that cube positions and framing offsets
// pass between the two without conversion.
using Vec3 = bonsai::Vec3;

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
    friend bool operator==(const Vec2&, const Vec2&) = default;
};

struct Vec4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
    friend bool operator==(const Vec4&, const Vec4&) = default;
};

// Accurate (not the generator's fast) normalisation; a zero vector stays zero.
Vec3 normalized(Vec3 v);
inline Vec3 lerp(Vec3 a, Vec3 b, float t) {
    return a + (b - a) * t;
}

// A unit rotation quaternion (x, y, z vector part, w scalar part).
struct Quat {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    friend bool operator==(const Quat&, const Quat&) = default;

    static Quat axisAngle(Vec3 axis, float angleRadians);
    // The rotation whose columns are the given orthonormal axes.
    static Quat fromBasis(Vec3 xAxis, Vec3 yAxis, Vec3 zAxis);

    Vec3 rotate(Vec3 v) const;
    Quat conjugate() const { return {-x, -y, -z, w}; }
};

Quat operator*(Quat a, Quat b);
Quat normalized(Quat q);
// Shortest-path spherical interpolation.
Quat slerp(Quat a, Quat b, float t);

} // namespace vesk::scene
