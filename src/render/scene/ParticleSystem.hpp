#pragma once

#include "bonsai/RNG.hpp"
#include "render/scene/Image.hpp"
#include "render/scene/Mat4.hpp"

#include <memory>
#include <utility>
#include <vector>

namespace vesk::scene {

// How a burst of camera-facing sprites is emitted and ages. Ranges written "v ± var" draw
// uniformly from v − var to v + var. Colour is a display (sRGB) colour, as a colour picker
// gives it; its variation is in hue, saturation, brightness and alpha.
struct ParticleSettings {
    std::shared_ptr<const Image> image; // none: a plain square
    float birthRate = 1.0f;             // particles per second
    double emissionDurationSeconds = 1.0;
    bool loops = true;
    float lifeSpan = 1.0f, lifeSpanVariation = 0.0f;
    float size = 1.0f, sizeVariation = 0.0f;
    float velocity = 1.0f, velocityVariation = 0.0f;
    Vec3 emittingDirection{0.0f, 1.0f, 0.0f}; // in the emitter node's space
    float spreadingAngleDegrees = 0.0f;       // half-angle of the emission cone; 180: all around
    Vec3 acceleration;                        // scene space
    float dampingFactor = 0.0f;               // per second, relative to the velocity
    Vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
    Vec4 colorVariation;
    float angleVariationDegrees = 0.0f;
    bool additive = true;
    // Opacity over each particle's life: (life fraction, opacity) keys in ascending order,
    // linear in between; empty means fully opaque.
    std::vector<std::pair<float, float>> opacityKeys;
};

struct Particle {
    Vec3 position; // scene space
    Vec3 velocity;
    float age = 0.0f;
    float life = 1.0f;
    float size = 1.0f;
    float angleRadians = 0.0f;
    Vec4 color; // display colour
};

// One emitter's live particles. Stepped by scene time; the first step only starts the clock.
class ParticleSystem {
  public:
    explicit ParticleSystem(ParticleSettings settings);

    const ParticleSettings& settings() const { return settings_; }
    const std::vector<Particle>& particles() const { return particles_; }

    // Ages, moves and emits up to `time`, emitting from the node whose transform is given.
    void step(double time, const Mat4& emitterWorld);
    float opacity(const Particle& particle) const;
    // Emission is over and no particle is alive.
    bool finished() const;

  private:
    void spawn(const Mat4& emitterWorld);

    ParticleSettings settings_;
    std::vector<Particle> particles_;
    bonsai::RNG rng_;
    double last_ = -1.0;
    double emittingFor_ = 0.0;
    double pending_ = 0.0;
};

} // namespace vesk::scene
