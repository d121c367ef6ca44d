#pragma once

#include "render/scene/Scene.hpp"

#include <memory>
#include <optional>
#include <vector>

namespace vesk::scene {

// Everything one frame draws, gathered from the scene for a point of view: the camera's
// matrices and settings, the lights in world space, and the geometry and particles in the
// order they are drawn. Plain data, so the GL passes only turn it into calls.
struct FramePlan {
    struct Light {
        Vec3 direction; // the way the light travels, world space, unit
        Vec3 radiance;  // linear colour × intensity / 1000
        const DirectionalLight* settings = nullptr;
        Mat4 shadowViewProj; // world to the shadow map's clip space
    };
    struct Item {
        const Geometry* geometry = nullptr;
        const Material* material = nullptr;
        Mat4 world;
        float opacity = 1.0f;
        bool castsShadow = true;
        float viewDepth = 0.0f; // distance along the view direction
    };

    Camera camera;
    Mat4 view;
    Mat4 projection;
    Vec3 cameraPosition;

    std::vector<Light> lights;              // at most maxLights, in tree order
    std::optional<std::size_t> shadowLight; // the first light that casts shadows
    std::vector<Item> opaque;               // front to back
    std::vector<Item> transparent;          // back to front
    std::vector<const ParticleSystem*> particles;

    static constexpr std::size_t maxLights = 4;

    // The point of view's camera (default settings when it has none) looks along its local
    // −Z. Nodes hidden, fully transparent or without material are left out.
    static FramePlan make(const Scene& scene, const Node& pointOfView, float aspect);
};

} // namespace vesk::scene
