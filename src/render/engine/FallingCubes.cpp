#include "render/engine/FallingCubes.hpp"

#include "render/engine/EngineMesh.hpp"
#include "render/scene/Color.hpp"
#include "render/scene/GeometrySource.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

FallingCubes::FallingCubes(std::shared_ptr<const scene::Image> blockTexture)
    : blockTexture_(std::move(blockTexture)) {}

void FallingCubes::configure(Config config) {
    std::lock_guard lock(lock_);
    pending_ = std::move(config);
    active_ = true;
}

void FallingCubes::takeOver(Config config) {
    node_->removeAllChildren();
    leaves_.clear();
    boxes_.clear();
    for (const bonsai::Vec3& color : config.colors) {
        auto material = std::make_shared<scene::Material>();
        material->diffuse = blockTexture_;
        // The colour goes through the display encoding a platform colour holds, as every
        // light and tint of the scene does.
        material->multiply = scene::srgbToLinear(nscolor(color));
        material->roughness = roughness;
        auto box = scene::Geometry::make(scene::boxStreams(config.size, config.size, config.size));
        if (!box) continue; // a degenerate size draws nothing
        box->materials = {std::move(material)};
        boxes_.push_back(std::move(box));
    }
    cfg_ = std::move(config);
    acc_ = 0.0;
}

void FallingCubes::spawnOne() {
    const auto& cfg = *cfg_;
    Leaf leaf;
    leaf.pos = cfg.spawn[std::size_t(rng_.integer(std::int64_t(cfg.spawn.size())))];
    leaf.node = scene::Node::make("leaf");
    leaf.node->geometry = boxes_[std::size_t(rng_.integer(std::int64_t(boxes_.size())))];
    leaf.node->castsShadow = true;
    leaf.node->setPosition(leaf.pos);
    node_->addChild(leaf.node);
    leaf.phase = rng_.range(0.0f, 6.28f);
    leaf.axis = rng_.onSphere();
    leaf.angle = rng_.range(0.0f, 6.28f);
    const float speed = rng_.range(1.5f, 4.0f);
    leaf.spin = speed * rng_.sign();
    leaves_.push_back(std::move(leaf));
}

std::optional<FallingCubes::Leaf> FallingCubes::update(double time) {
    bool active = false;
    std::optional<Config> taken;
    {
        std::lock_guard lock(lock_);
        taken.swap(pending_);
        active = active_;
    }
    if (taken) takeOver(std::move(*taken));
    const double dt = last_ >= 0.0 && time - last_ > 0.0 ? std::min(time - last_, maxStep) : 0.0;
    last_ = time;
    if (!cfg_ || boxes_.empty()) return std::nullopt;
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
            // Lying flat, square to the scene within ±0.3 rad.
            const auto quarter = float(rng_.integer(4));
            const float yaw = quarter * std::numbers::pi_v<float> / 2.0f + rng_.range(-0.3f, 0.3f);
            leaf.landed = true;
            leaf.pos = {x, floor, z};
            leaf.node->setOrientation(scene::Quat::axisAngle({0.0f, 1.0f, 0.0f}, yaw));
        } else {
            leaf.pos = {x, y, z};
            leaf.node->setOrientation(scene::Quat::axisAngle(leaf.axis, leaf.angle));
        }
        leaf.node->setPosition(leaf.pos);
    }

    if (landedBefore > keptLanded) {
        const auto first =
            std::find_if(leaves_.begin(), leaves_.end(), [](const Leaf& l) { return l.landed; });
        Leaf removed = std::move(*first);
        leaves_.erase(first);
        removed.node->runAction(scene::Action::sequence(
            {scene::Action::fadeOut(fadeSeconds), scene::Action::removeFromParent()}));
        return removed;
    }
    return std::nullopt;
}

} // namespace vesk
