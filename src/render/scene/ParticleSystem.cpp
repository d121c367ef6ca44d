#include "render/scene/ParticleSystem.hpp"

#include "render/scene/Color.hpp"
#include "render/scene/ResourceId.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk::scene {

namespace {

// Any unit vector perpendicular to `d`.
Vec3 perpendicular(Vec3 d) {
    const Vec3 other = std::fabs(d.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0};
    return normalized(cross(d, other));
}

} // namespace

// Every system draws from its own generator, seeded from its creation order, so bursts
// look different from each other but a run repeats exactly.
ParticleSystem::ParticleSystem(ParticleSettings settings)
    : settings_(std::move(settings)), rng_(nextResourceId()) {}

float ParticleSystem::opacity(const Particle& p) const {
    const auto& keys = settings_.opacityKeys;
    if (keys.empty()) return 1.0f;
    const float f = p.life > 0.0f ? p.age / p.life : 1.0f;
    if (f <= keys.front().first) return keys.front().second;
    for (std::size_t i = 1; i < keys.size(); ++i) {
        if (f <= keys[i].first) {
            const auto [t0, v0] = keys[i - 1];
            const auto [t1, v1] = keys[i];
            return t1 > t0 ? v0 + (v1 - v0) * (f - t0) / (t1 - t0) : v1;
        }
    }
    return keys.back().second;
}

bool ParticleSystem::finished() const {
    return !settings_.loops && emittingFor_ >= settings_.emissionDurationSeconds && particles_.empty();
}

void ParticleSystem::spawn(const Mat4& world) {
    const ParticleSettings& s = settings_;
    Particle p;
    p.position = world.translation();
    // A direction inside the cone: cos θ uniform between cos(spread) and 1 covers the
    // cone's solid angle evenly.
    const Vec3 axis = normalized(world.transformDirection(s.emittingDirection));
    const float spread =
        std::clamp(s.spreadingAngleDegrees, 0.0f, 180.0f) * std::numbers::pi_v<float> / 180.0f;
    const float cosTheta = 1.0f - rng_.range(0.0f, 1.0f) * (1.0f - std::cos(spread));
    const float sinTheta = std::sqrt(std::max(0.0f, 1.0f - cosTheta * cosTheta));
    const float phi = rng_.range(0.0f, 2.0f * std::numbers::pi_v<float>);
    const Vec3 u = perpendicular(axis);
    const Vec3 v = cross(axis, u);
    const Vec3 dir = axis * cosTheta + (u * std::cos(phi) + v * std::sin(phi)) * sinTheta;
    const float speed = s.velocity + rng_.range(-1.0f, 1.0f) * s.velocityVariation;
    p.velocity = dir * std::max(speed, 0.0f);
    p.life = std::max(s.lifeSpan + rng_.range(-1.0f, 1.0f) * s.lifeSpanVariation, 1e-3f);
    p.size = std::max(s.size + rng_.range(-1.0f, 1.0f) * s.sizeVariation, 0.0f);
    p.angleRadians = rng_.range(-1.0f, 1.0f) * s.angleVariationDegrees * std::numbers::pi_v<float> / 180.0f;
    Vec3 hsb = rgbToHsb({s.color.x, s.color.y, s.color.z});
    hsb = {hsb.x + rng_.range(-1.0f, 1.0f) * s.colorVariation.x,
           std::clamp(hsb.y + rng_.range(-1.0f, 1.0f) * s.colorVariation.y, 0.0f, 1.0f),
           std::clamp(hsb.z + rng_.range(-1.0f, 1.0f) * s.colorVariation.z, 0.0f, 1.0f)};
    const Vec3 rgb = hsbToRgb(hsb);
    const float alpha = std::clamp(s.color.w + rng_.range(-1.0f, 1.0f) * s.colorVariation.w, 0.0f, 1.0f);
    p.color = {rgb.x, rgb.y, rgb.z, alpha};
    particles_.push_back(p);
}

void ParticleSystem::step(double time, const Mat4& emitterWorld) {
    const double dt = last_ >= 0.0 && time > last_ ? time - last_ : 0.0;
    last_ = time;
    if (dt <= 0.0) return;
    const float fdt = float(dt);
    const float damping = std::exp(-std::max(settings_.dampingFactor, 0.0f) * fdt);
    for (Particle& p : particles_) {
        p.velocity = (p.velocity + settings_.acceleration * fdt) * damping;
        p.position = p.position + p.velocity * fdt;
        p.age += fdt;
    }
    std::erase_if(particles_, [](const Particle& p) { return p.age >= p.life; });

    double emitting = dt;
    if (!settings_.loops) emitting = std::clamp(settings_.emissionDurationSeconds - emittingFor_, 0.0, dt);
    emittingFor_ += dt;
    pending_ += emitting * std::max(settings_.birthRate, 0.0f);
    while (pending_ >= 1.0) {
        pending_ -= 1.0;
        spawn(emitterWorld);
    }
}

} // namespace vesk::scene
