#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/MeshBuffers.hpp"
#include "bonsai/VoxelMesher.hpp"
#include "core/runtime/Lifetime.hpp"
#include "core/runtime/MainQueue.hpp"
#include "render/engine/Framing.hpp"
#include "render/scene/Geometry.hpp"
#include "render/scene/Image.hpp"
#include "render/scene/Node.hpp"
#include "render/scene/Scene.hpp"

#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace vesk {

// The growth reveal of the engine's scene: new cubes grow out of their cells one after
// another, vanished ones shrink away, the diorama re-frames, the reveal camera leans toward
// the new growth and golden sparks mark each new cube, all within 2 s. The engine hands it
// the final and the animated meshes of a build; it installs them and ends the animation
// through the action's completion or, should that never come, a fallback 2.6 s later, and
// either way only once.
// The burst of sparks the reveal makes around every new cube.
scene::ParticleSettings sparkSettings(std::shared_ptr<const scene::Image> image);

class GrowthAnimation {
  public:
    static constexpr double durationSeconds = 2.0;
    static constexpr double fallbackSeconds = durationSeconds + 0.6;
    static constexpr float smallestReframe = 1e-5f;
    static constexpr double sparkDelaySeconds = 0.05;
    static constexpr double sparkLifeSeconds = 2.2;
    static constexpr float maxViewDistance = 24.0f;

    // The scene objects it drives, all owned by the engine.
    struct Scene {
        std::shared_ptr<scene::Node> content, wood, leaves, grow, shrink, sparkRoot, revealCamera, camera;
        std::shared_ptr<scene::Material> woodMat, leafMat, growMat, shrinkMat;
        scene::Vec3 orbitTarget{0.0f, 1.0f, 0.0f};
        std::shared_ptr<const scene::Image> sparkImage;
    };

    struct Spark {
        scene::Vec3 position; // scene units
        float start = 0.0f;   // fraction of the animation
    };

    // What a build shows at its end.
    struct Final {
        std::int64_t request = 0;
        std::int64_t n = 0;
        std::shared_ptr<scene::Geometry> wood, leaves;
        Framing frame;
    };

    // The animated part of a build.
    struct Change {
        std::shared_ptr<scene::Geometry> baseWood, baseLeaves; // cubes present before and after
        std::shared_ptr<scene::Geometry> grow, shrink;         // cubes that appear, disappear
        std::int64_t added = 0, removed = 0;
        Framing fromFrame;
        std::optional<scene::Vec3> focus;
        std::vector<Spark> sparks;
    };

    // `setShownN` is told the count of every final geometry installed.
    GrowthAnimation(MainQueue& main, Scene scene, std::function<void(std::int64_t)> setShownN);
    ~GrowthAnimation();
    GrowthAnimation(const GrowthAnimation&) = delete;
    GrowthAnimation& operator=(const GrowthAnimation&) = delete;

    // Starts the animated install; a running animation must have been finished first.
    void start(Final final, Change change, std::function<void()> done);
    // Whether an animation ended early still tells of its completion.
    enum class Completion { told, dropped };
    // Ends a running animation at once: its final meshes and framing, and its completion when
    // told. Nothing when none runs.
    void finish(Completion completion);
    // The final meshes of a build, without animation.
    void installFinal(const Final& final);
    bool running() const { return pending_.has_value(); }
    std::optional<std::int64_t> runningRequest() const;

    // Holds the animated cubes at `progress`; the fallback still ends the animation.
    void freeze(float progress);
    // The scripted orbit of the bonsai tab's camera (yaw in radians).
    void orbit(float fromYaw, float toYaw, double durationSeconds);
    void resetRevealCamera();

    // All six faces of each cube with its growth start: i·0.7/(N − 1), a single cube 0.15.
    // No geometry for no cubes.
    template <typename Cubes> static std::shared_ptr<scene::Geometry> animatedMesh(const Cubes& cubes);
    static float startOf(std::size_t index, std::size_t count);
    // Pulls a point of view farther than 24 units from the target back to 24, on its line.
    static void keepInView(scene::Node& pointOfView, scene::Vec3 target);

  private:
    void setProgress(float growT);
    void pushRevealCamera(scene::Vec3 focus, double duration);
    void burst(const std::vector<Spark>& sparks, double duration);
    // The completion hop and the fallback: the animation of `request` ends, if it still runs.
    void finishIfCurrent(std::int64_t request);

    MainQueue& main_;
    Scene scene_;
    std::function<void(std::int64_t)> setShownN_;
    std::optional<Final> pending_;
    std::function<void()> done_;
    Lifetime lifetime_;
};

template <typename Cubes> std::shared_ptr<scene::Geometry> GrowthAnimation::animatedMesh(const Cubes& cubes) {
    const auto count = std::size_t(std::distance(std::begin(cubes), std::end(cubes)));
    if (count == 0) return nullptr;
    bonsai::MeshBuffers buffers;
    buffers.reserve(24 * count, 36 * count, true);
    std::size_t i = 0;
    for (const bonsai::Cube& cube : cubes)
        bonsai::VoxelMesher::appendAnimated(buffers, cube.x, cube.y, cube.z, cube.color, startOf(i++, count));
    return scene::Geometry::make(std::move(buffers));
}

} // namespace vesk
