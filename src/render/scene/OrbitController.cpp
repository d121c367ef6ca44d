#include "render/scene/OrbitController.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk::scene {

namespace {
constexpr float kDegrees = std::numbers::pi_v<float> / 180.0f;
constexpr double kFrameSeconds = 1.0 / 60.0;
} // namespace

void OrbitController::attach(const Node& camera) {
    const Vec3 d = camera.position() - settings_.target;
    distance_ = std::clamp(std::sqrt(dot(d, d)), settings_.minDistance, settings_.maxDistance);
    pitch_ = std::asin(std::clamp(d.y / distance_, -1.0f, 1.0f));
    yaw_ = std::atan2(d.x, d.z);
    clampPitch();
    velocity_ = {};
    spinning_ = false;
}

void OrbitController::clampPitch() {
    pitch_ = std::clamp(pitch_, settings_.minPitchDegrees * kDegrees, settings_.maxPitchDegrees * kDegrees);
}

void OrbitController::drag(Vec2 delta, double time) {
    spinning_ = false;
    const Vec2 turn{-delta.x * settings_.radiansPerPoint, delta.y * settings_.radiansPerPoint};
    yaw_ += turn.x;
    pitch_ += turn.y;
    clampPitch();
    // The release speed follows the recent movement, smoothed over a few frames.
    const double dt = lastDrag_ ? std::max(time - *lastDrag_, kFrameSeconds) : kFrameSeconds;
    const Vec2 now{float(turn.x / dt), float(turn.y / dt)};
    dragVelocity_ = {dragVelocity_.x * 0.5f + now.x * 0.5f, dragVelocity_.y * 0.5f + now.y * 0.5f};
    lastDrag_ = time;
}

void OrbitController::release(double time) {
    // A pause before letting go means no spin.
    const bool fresh = lastDrag_ && time - *lastDrag_ < 0.1;
    velocity_ = fresh ? dragVelocity_ : Vec2{};
    spinning_ = fresh;
    dragVelocity_ = {};
    lastDrag_.reset();
}

void OrbitController::dolly(float share) {
    distance_ = std::clamp(distance_ * (1.0f - share), settings_.minDistance, settings_.maxDistance);
}

void OrbitController::step(Node& camera, double time) {
    const double dt = lastStep_ && time > *lastStep_ ? time - *lastStep_ : 0.0;
    lastStep_ = time;
    if (spinning_ && dt > 0.0) {
        yaw_ += float(velocity_.x * dt);
        pitch_ += float(velocity_.y * dt);
        clampPitch();
        // Friction per 1/60 s, whatever the frame rate.
        const float keep = float(std::pow(1.0 - double(settings_.friction), dt / kFrameSeconds));
        velocity_ = {velocity_.x * keep, velocity_.y * keep};
        if (std::fabs(velocity_.x) + std::fabs(velocity_.y) < 1e-3f) spinning_ = false;
    }
    camera.setPosition(settings_.target + orbitOffset(yaw_, pitch_, distance_));
    camera.lookAt(settings_.target);
}

} // namespace vesk::scene
