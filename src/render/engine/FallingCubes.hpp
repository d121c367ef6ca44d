#pragma once

#include "bonsai/Math.hpp"
#include "bonsai/RNG.hpp"
#include "render/scene/Geometry.hpp"
#include "render/scene/Image.hpp"
#include "render/scene/Node.hpp"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace vesk {

// Leaf cubes drifting down from the crown and settling on the surface below them, each a
// small box node under `node()`, in scene units. The main thread hands over a set-up with
// configure(); the thread that renders steps the simulation once per frame. Only the
// hand-over is shared, under the lock.
class FallingCubes {
  public:
    static constexpr double maxStep = 0.05;
    static constexpr std::size_t maxFalling = 60;
    static constexpr std::size_t keptLanded = 160;
    static constexpr double fadeSeconds = 1.5;
    static constexpr float roughness = 0.6f;

    struct Config {
        std::vector<bonsai::Vec3> colors; // linear
        float rate = 0.0f;                // leaves per second
        float size = 0.0f;                // cube edge in scene units
        std::vector<bonsai::Vec3> spawn;
        std::function<float(float x, float z)> rest; // surface height below a point
    };

    struct Leaf {
        std::shared_ptr<scene::Node> node;
        bonsai::Vec3 pos;
        float vy = 0.0f, phase = 0.0f;
        bonsai::Vec3 axis;
        float angle = 0.0f, spin = 0.0f;
        bool landed = false;
    };

    // The boxes are textured with `blockTexture` (none: plain).
    explicit FallingCubes(std::shared_ptr<const scene::Image> blockTexture = nullptr);

    const std::shared_ptr<scene::Node>& node() const { return node_; }

    void configure(Config config);
    // One step at scene time `time`; returns the landed leaf removed this step, which fades out.
    std::optional<Leaf> update(double time);

    const std::vector<Leaf>& leaves() const { return leaves_; }

  private:
    void takeOver(Config config);
    void spawnOne();

    std::shared_ptr<const scene::Image> blockTexture_;
    std::shared_ptr<scene::Node> node_ = scene::Node::make("falling");

    std::mutex lock_;
    std::optional<Config> pending_;
    bool active_ = false;

    std::vector<Leaf> leaves_;
    std::optional<Config> cfg_;
    std::vector<std::shared_ptr<scene::Geometry>> boxes_; // one per colour of cfg_
    double acc_ = 0.0;
    double last_ = -1.0;
    bonsai::RNG rng_{42};
};

} // namespace vesk
