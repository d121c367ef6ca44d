#pragma once

#include "core/runtime/Lifetime.hpp"
#include "core/runtime/MainQueue.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/SerialWorker.hpp"
#include "render/engine/BonsaiInfo.hpp"
#include "render/engine/BonsaiRenderDelegate.hpp"
#include "render/engine/EngineBuild.hpp"
#include "render/engine/GrowthAnimation.hpp"
#include "render/engine/LatestRequest.hpp"
#include "render/scene/Scene.hpp"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk {

// The one live renderer of the current garden tree: a lit scene of the tree on its pot, ground
// and stand, with sky, wind, the growth reveal and falling leaves. Every change of the tree goes
// through show(): requests are numbered, built on a serial worker (which never calls GL), and
// installed on the main thread only while still the newest. Views draw `scene()` from one of
// its cameras and call `renderDelegate()` once per frame. Main thread only.
class BonsaiEngine {
  public:
    using WorkerPost = std::function<void(std::function<void()>)>;

    struct Settings {
        // VESK_DEBUG_GROW: growing cubes glow magenta; "plain" also drops their growth and sway.
        std::optional<std::string> debugGrow;

        static Settings fromEnvironment();
    };

    // Builds on its own thread, "vesk.bonsai.worker".
    explicit BonsaiEngine(MainQueue& main, Settings settings = Settings::fromEnvironment());
    // Builds wherever `worker` runs the jobs it is given, one at a time, in order.
    BonsaiEngine(MainQueue& main, Settings settings, WorkerPost worker);
    ~BonsaiEngine();
    BonsaiEngine(const BonsaiEngine&) = delete;
    BonsaiEngine& operator=(const BonsaiEngine&) = delete;

    // Shows the tree `seed` at n cubes, growing from `from` cubes when given. `done` runs on the
    // main thread once this request's tree is installed (after its growth animation, if any);
    // never for a request that a newer one overtakes.
    void show(std::uint64_t seed, std::int64_t n, std::optional<std::int64_t> from = std::nullopt,
              std::function<void()> done = {});

    // The tree on screen (none before the first install) and its count once final.
    Observed<std::optional<BonsaiInfo>, BonsaiEngine> info;
    Observed<std::int64_t, BonsaiEngine> shownN{0};

    scene::Scene& scene() { return scene_; }
    const std::shared_ptr<scene::Node>& cameraNode() const { return cameraNode_; }
    const std::shared_ptr<scene::Node>& revealCameraNode() const { return revealCameraNode_; }
    BonsaiRenderDelegate& renderDelegate() { return renderDelegate_; }
    scene::Vec3 orbitTarget() const { return orbitTarget_; }

    // The tab camera turns from one yaw to another (radians) with eased ends.
    void orbitCamera(float fromYaw, float toYaw, double durationSeconds);
    // Holds the growing cubes at `progress`; the animation still ends 2.6 s after it began.
    void freezeAnimation(float progress);

    // A growth animation is on screen.
    bool animating() const { return animation_->running(); }

    // Builds that ran to the end on the worker, installed or not.
    std::int64_t buildsFinished() const { return workerSide_->finished.load(); }

    // Both cameras' image settings, and the sun's shadow settings (its colour comes with the sky).
    static scene::Camera cameraSettings();
    static scene::DirectionalLight sunSettings();

    // The materials, for inspection.
    struct Materials {
        std::shared_ptr<scene::Material> wood, leaf, grow, shrink, pot, ground, stand;
    };
    const Materials& materials() const { return materials_; }
    std::optional<std::int64_t> shownDioramaKey() const { return shownDioramaKey_; }

  private:
    // What the main thread shares with the worker's jobs.
    struct WorkerSide {
        LatestRequest latest;
        BuildCaches caches;
        std::atomic<std::int64_t> finished{0};
    };

    void setupMaterials(const Settings& settings);
    void setupScene();
    void receive(Built built, std::function<void()> done);
    void apply(Built built, std::function<void()> done);
    void installSky(const Built& built);
    void installDiorama(const DioramaGeometry& diorama);
    void configureFalling(const FallingSetup& setup);

    MainQueue& main_;
    scene::Scene scene_;
    std::shared_ptr<scene::Node> cameraNode_, revealCameraNode_;
    BonsaiRenderDelegate renderDelegate_;
    scene::Vec3 orbitTarget_{0.0f, 1.0f, 0.0f};
    std::shared_ptr<scene::Node> content_, woodNode_, leafNode_, potNode_, groundNode_, standNode_, growNode_,
        shrinkNode_, sunNode_, fillNode_, rimNode_, sparkRoot_;
    Materials materials_;

    std::shared_ptr<WorkerSide> workerSide_ = std::make_shared<WorkerSide>();
    // The seed of the tree last applied, whose sky is installed; none before the first.
    std::optional<std::uint64_t> shownSeed_;
    std::optional<std::int64_t> shownDioramaKey_;
    std::unique_ptr<GrowthAnimation> animation_;
    Lifetime lifetime_; // results reach the main thread only while the engine lives
    WorkerPost post_;
    std::unique_ptr<SerialWorker> worker_; // last: joined before the rest goes
};

} // namespace vesk
