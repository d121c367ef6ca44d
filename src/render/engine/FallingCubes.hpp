#pragma once

#include "bonsai/Math.hpp"
#include "bonsai/RNG.hpp"

#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace vesk {

// Leaf cubes drifting down from the crown and settling on the surface below them. The main
// thread hands over a set-up with configure(); the render thread steps the simulation once
// per frame. Only the hand-over is shared, under the lock.
class FallingCubes {
  public:
    static constexpr double maxStep = 0.05;
    static constexpr std::size_t maxFalling = 60;
    static constexpr std::size_t keptLanded = 160;
    static constexpr double fadeSeconds = 1.5;

    struct Config {
        std::size_t colorCount = 0;
        float rate = 0.0f; // leaves per second
        float size = 0.0f; // cube edge in scene units
        std::vector<bonsai::Vec3> spawn;
        std::function<float(float x, float z)> rest; // surface height below a point
    };

    struct Leaf {
        bonsai::Vec3 pos;
        float vy = 0.0f, phase = 0.0f;
        bonsai::Vec3 axis;
        float angle = 0.0f, spin = 0.0f;
        std::size_t color = 0;
        float yaw = 0.0f; // lying orientation once landed
        bool landed = false;
    };

    void configure(Config config);
    // One step at scene time `time`; returns the landed leaf removed this step, to fade out.
    std::optional<Leaf> update(double time);

    const std::vector<Leaf>& leaves() const { return leaves_; }

  private:
    void spawnOne();

    std::mutex lock_;
    std::optional<Config> pending_;
    bool active_ = false;

    std::vector<Leaf> leaves_;
    std::optional<Config> cfg_;
    double acc_ = 0.0;
    double last_ = -1.0;
    bonsai::RNG rng_{42};
};

} // namespace vesk
