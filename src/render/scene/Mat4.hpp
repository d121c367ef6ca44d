#pragma once

#include "render/scene/Quat.hpp"

#include <array>

namespace vesk::scene {

// A 4×4 matrix in column-major order (m[column * 4 + row]), as GL takes it.
struct Mat4 {
    std::array<float, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    friend bool operator==(const Mat4&, const Mat4&) = default;

    float& at(int row, int column) { return m[column * 4 + row]; }
    float at(int row, int column) const { return m[column * 4 + row]; }

    static Mat4 identity() { return {}; }
    // translation · rotation · scale
    static Mat4 compose(Vec3 translation, Quat rotation, Vec3 scale);
    // Vertical field of view in degrees.
    static Mat4 perspective(float fovYDegrees, float aspect, float zNear, float zFar);
    // A box of half-height halfHeight (half-width halfHeight·aspect) along −Z.
    static Mat4 orthographic(float halfHeight, float aspect, float zNear, float zFar);

    Vec3 transformPoint(Vec3 p) const;
    Vec3 transformDirection(Vec3 d) const;
    Vec4 operator*(Vec4 v) const;
    Vec3 translation() const { return {m[12], m[13], m[14]}; }
};

Mat4 operator*(const Mat4& a, const Mat4& b);
// General inverse; a singular matrix gives the identity.
Mat4 inverse(const Mat4& a);
Mat4 transpose(const Mat4& a);

} // namespace vesk::scene
