#include "render/engine/FallingCubes.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

void FallingCubes::configure(Config config) {
    std::lock_guard lock(lock_);
    pending_ = std::move(config);
    active_ = true;
}

void FallingCubes::spawnOne() {
    const auto& cfg = *cfg_;
    Leaf leaf;
    leaf.pos = cfg.spawn[std::size_t(rng_.integer(std::int64_t(cfg.spawn.size())))];
    leaf.color = std::size_t(rng_.integer(std::int64_t(cfg.colorCount)));
    leaf.phase = rng_.range(0.0f, 6.28f);
    leaf.axis = rng_.onSphere();
    leaf.angle = rng_.range(0.0f, 6.28f);
    const float speed = rng_.range(1.5f, 4.0f);
    leaf.spin = speed * rng_.sign();
    leaves_.push_back(leaf);
}

std::optional<FallingCubes::Leaf> FallingCubes::update(double time) {
    bool active = false;
    {
        std::lock_guard lock(lock_);
        if (pending_) {
            cfg_ = std::move(pending_);
            pending_.reset();
            leaves_.clear();
            acc_ = 0.0;
        }
        active = active_;
    }
    const double dt = last_ >= 0.0 && time - last_ > 0.0 ? std::min(time - last_, maxStep) : 0.0;
    last_ = time;
    if (!cfg_ || cfg_->colorCount == 0) return std::nullopt;
    const Config& cfg = *cfg_;

    if (active && !cfg.spawn.empty() && cfg.rate > 0.0f) {
        acc_ += dt * double(cfg.rate);
        while (acc_ >= 1.0) {
            acc_ -= 1.0; // spent even when the cap holds the spawn back
            const auto falling =
                std::count_if(leaves_.begin(), leaves_.end(), [](const Leaf& l) { return !l.landed; });
            if (std::size_t(falling) <= maxFalling) spawnOne();
        }
    }

    const std::size_t landedBefore =
        std::size_t(std::count_if(leaves_.begin(), leaves_.end(), [](const Leaf& l) { return l.landed; }));
    const float f = std::min(2.5f * float(dt), 1.0f);
    const float t = float(time), step = float(dt);
    for (Leaf& leaf : leaves_) {
        if (leaf.landed) continue;
        leaf.vy += f * (-0.32f - leaf.vy);
        const float y = leaf.pos.y + leaf.vy * step;
        const float x = leaf.pos.x + (0.22f * std::sin(1.7f * t + leaf.phase) + 0.05f) * step;
        const float z = leaf.pos.z + 0.18f * std::cos(1.3f * t + 1.7f * leaf.phase) * step;
        leaf.angle += leaf.spin * step;
        const float floor = cfg.rest(x, z) + 0.5f * cfg.size;
        if (y <= floor) {
            const auto quarter = float(rng_.integer(4));
            leaf.yaw = quarter * std::numbers::pi_v<float> / 2.0f + rng_.range(-0.3f, 0.3f);
            leaf.landed = true;
            leaf.pos = {x, floor, z};
        } else {
            leaf.pos = {x, y, z};
        }
    }

    if (landedBefore > keptLanded) {
        const auto first =
            std::find_if(leaves_.begin(), leaves_.end(), [](const Leaf& l) { return l.landed; });
        Leaf removed = *first;
        leaves_.erase(first);
        return removed;
    }
    return std::nullopt;
}

} // namespace vesk
