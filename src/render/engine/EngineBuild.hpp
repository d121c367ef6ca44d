#pragma once

#include "bonsai/BonsaiGrower.hpp"
#include "render/engine/BonsaiInfo.hpp"
#include "render/engine/FallingSetup.hpp"
#include "render/engine/Framing.hpp"
#include "render/engine/GrowthAnimation.hpp"
#include "render/engine/SkyCache.hpp"
#include "render/scene/Geometry.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace vesk {

// The pot, ground and stand of a build and the finish and light that go with them.
struct DioramaGeometry {
    std::int64_t key = 0; // the blueprint-cache key the diorama belongs to
    // The meshes below replace those on screen, each possibly with nothing; otherwise the
    // meshes on screen are already this diorama's and stay.
    bool included = false;
    std::shared_ptr<scene::Geometry> pot, ground, stand;
    bool glazed = false;
    float glazeRoughness = 0.0f;
    scene::Vec3 sunDir;
};

// One show request as the worker builds it.
struct BuildRequest {
    std::int64_t request = 0;
    std::uint64_t seed = 0;
    std::int64_t n = 0;
    std::optional<std::int64_t> from;         // an earlier count to animate from
    std::optional<std::int64_t> knownDiorama; // the key whose diorama is on screen for this seed
    scene::Vec3 target{0.0f, 1.0f, 0.0f};
};

// One finished build: everything slow is done, the main thread only installs it.
struct Built {
    std::int64_t request = 0;
    std::uint64_t seed = 0;
    std::int64_t n = 0;
    std::int64_t sceneKey = 0;
    BonsaiInfo info;
    float treeHeight = 2.0f; // in voxels, at least 2
    std::shared_ptr<scene::Geometry> wood, leaves;
    DioramaGeometry diorama;
    Framing frame;
    FallingSetup falling;
    std::optional<GrowthAnimation::Change> animation;
    // The species' sky and light, installed when the seed changes.
    SkyImages sky;
    bonsai::Sky palette;
    float glow = 0.0f;
};

// The worker's own caches: used by one build at a time.
struct BuildCaches {
    bonsai::BonsaiGrower grower;
    SkyCache skies;
};

// More changed cubes than this (a change of growth stage counting n more) show without
// animation.
inline constexpr std::int64_t maxAnimatedChange = 24000;

// Builds a request on the worker; nothing once `isCurrent` answers false at one of its
// checkpoints (after the tree, after meshing, after the animation).
std::optional<Built> buildTree(BuildCaches& caches, const BuildRequest& request,
                               const std::function<bool()>& isCurrent);

} // namespace vesk
