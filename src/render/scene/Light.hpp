#pragma once

#include "render/scene/Quat.hpp"

namespace vesk::scene {

// A directional light shining along its node's local −Z axis. Intensity is in the units
// of the original scene description: 1000 is a light of strength 1.
struct DirectionalLight {
    Vec3 color{1.0f, 1.0f, 1.0f}; // linear
    float intensity = 1000.0f;

    bool castsShadow = false;
    int shadowMapSize = 512;
    int shadowSampleCount = 1;      // PCF taps
    float shadowRadius = 1.0f;      // PCF spread, in shadow-map texels
    float shadowAlpha = 0.5f;       // how much of the light a shadow takes away (black at this alpha)
    float orthographicScale = 1.0f; // half-height of the shadow volume, scene units
    float shadowNear = 1.0f;
    float shadowFar = 100.0f;
    float shadowBias = 1.0f;

    friend bool operator==(const DirectionalLight&, const DirectionalLight&) = default;
};

} // namespace vesk::scene
