#pragma once

#include "render/scene/Mat4.hpp"

#include <cmath>

namespace vesk::scene {

// A perspective camera with its image pipeline settings. The field of view is vertical.
struct Camera {
    float fieldOfViewDegrees = 60.0f;
    float zNear = 1.0f;
    float zFar = 100.0f;

    bool wantsHDR = false;
    float exposureOffset = 0.0f; // EV

    float bloomIntensity = 0.0f;
    float bloomThreshold = 1.0f;
    float bloomBlurRadius = 4.0f; // pixels

    float ssaoIntensity = 0.0f;
    float ssaoRadius = 0.5f; // scene units
    float ssaoBias = 0.03f;
    float ssaoDepthThreshold = 0.2f;
    float ssaoNormalThreshold = 0.3f;

    float vignettingIntensity = 0.0f;
    float vignettingPower = 0.0f;
    float saturation = 1.0f;
    float contrast = 0.0f;

    Mat4 projection(float aspect) const { return Mat4::perspective(fieldOfViewDegrees, aspect, zNear, zFar); }

    friend bool operator==(const Camera&, const Camera&) = default;
};

// Where a camera circling a target stands, from the target: yaw about the vertical axis (0
// looks along −Z), pitch above the horizon (radians), at a distance.
inline Vec3 orbitOffset(float yaw, float pitch, float distance) {
    return Vec3{std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch)} * distance;
}

} // namespace vesk::scene
