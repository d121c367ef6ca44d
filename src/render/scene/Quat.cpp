#include "render/scene/Quat.hpp"

#include <cmath>

namespace vesk::scene {

Vec3 normalized(Vec3 v) {
    const float len = std::sqrt(dot(v, v));
    return len > 0.0f ? v / len : v;
}

Quat Quat::axisAngle(Vec3 axis, float angleRadians) {
    const Vec3 a = normalized(axis);
    const float s = std::sin(angleRadians * 0.5f);
    return {a.x * s, a.y * s, a.z * s, std::cos(angleRadians * 0.5f)};
}

Quat Quat::fromBasis(Vec3 xa, Vec3 ya, Vec3 za) {
    // Shepperd's method: pick the largest diagonal term for a stable square root.
    const float trace = xa.x + ya.y + za.z;
    Quat q;
    if (trace > 0.0f) {
        const float s = std::sqrt(trace + 1.0f) * 2.0f;
        q = {(ya.z - za.y) / s, (za.x - xa.z) / s, (xa.y - ya.x) / s, 0.25f * s};
    } else if (xa.x > ya.y && xa.x > za.z) {
        const float s = std::sqrt(1.0f + xa.x - ya.y - za.z) * 2.0f;
        q = {0.25f * s, (ya.x + xa.y) / s, (za.x + xa.z) / s, (ya.z - za.y) / s};
    } else if (ya.y > za.z) {
        const float s = std::sqrt(1.0f + ya.y - xa.x - za.z) * 2.0f;
        q = {(ya.x + xa.y) / s, 0.25f * s, (za.y + ya.z) / s, (za.x - xa.z) / s};
    } else {
        const float s = std::sqrt(1.0f + za.z - xa.x - ya.y) * 2.0f;
        q = {(za.x + xa.z) / s, (za.y + ya.z) / s, 0.25f * s, (xa.y - ya.x) / s};
    }
    return normalized(q);
}

Vec3 Quat::rotate(Vec3 v) const {
    const Vec3 u{x, y, z};
    const Vec3 t = cross(u, v) * 2.0f;
    return v + t * w + cross(u, t);
}

Quat operator*(Quat a, Quat b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Quat normalized(Quat q) {
    const float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    if (len <= 0.0f) return {};
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Quat slerp(Quat a, Quat b, float t) {
    float d = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
    if (d < 0.0f) {
        b = {-b.x, -b.y, -b.z, -b.w};
        d = -d;
    }
    if (d > 0.9995f) {
        // Nearly parallel: a normalised lerp avoids dividing by a vanishing sine.
        return normalized(
            Quat{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t, a.w + (b.w - a.w) * t});
    }
    const float theta = std::acos(d);
    const float s = std::sin(theta);
    const float wa = std::sin((1.0f - t) * theta) / s;
    const float wb = std::sin(t * theta) / s;
    return {a.x * wa + b.x * wb, a.y * wa + b.y * wb, a.z * wa + b.z * wb, a.w * wa + b.w * wb};
}

} // namespace vesk::scene
