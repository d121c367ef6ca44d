#pragma once

#include "bonsai/Species.hpp"
#include "render/scene/Node.hpp"

namespace vesk {

// The three directional lights of a bonsai scene: the sun, a fill from the opposite side and
// a rim from behind, all aimed at the target from 20 units away.
struct SceneLights {
    static constexpr float fillIntensity = 260.0f;
    static constexpr float rimIntensity = 650.0f;

    scene::Node& sun;
    scene::Node& fill;
    scene::Node& rim;

    // Colours from the species' palette: the sun's own (with its intensity), the fill half-way
    // from the zenith to white, the rim the sun's moved 0.3 of the way to the horizon's.
    void color(const bonsai::Sky& palette) const;
    // The sun along the diorama's sun direction, fill and rim placed from it.
    void aim(scene::Vec3 target, scene::Vec3 sunDir) const;
};

// A linear colour as a light or tint takes it: through the display encoding a platform colour
// stores, and back, so that every light matches the look the palettes were made for.
scene::Vec3 lightColor(scene::Vec3 linear);

} // namespace vesk
