#include "render/engine/SceneLights.hpp"

#include "render/engine/EngineMesh.hpp"
#include "render/scene/Color.hpp"

namespace vesk {

namespace {

void place(scene::Node& node, scene::Vec3 target, scene::Vec3 dir) {
    node.setPosition(target + dir * 20.0f);
    node.lookAt(target);
}

} // namespace

scene::Vec3 lightColor(scene::Vec3 linear) {
    return scene::srgbToLinear(nscolor(linear));
}

void SceneLights::color(const bonsai::Sky& palette) const {
    if (sun.light) {
        sun.light->color = lightColor(palette.sun);
        sun.light->intensity = palette.sunIntensity;
    }
    if (fill.light) fill.light->color = lightColor(scene::lerp(palette.zenith, {1.0f, 1.0f, 1.0f}, 0.5f));
    if (rim.light) rim.light->color = lightColor(scene::lerp(palette.sun, palette.horizon, 0.3f));
}

void SceneLights::aim(scene::Vec3 target, scene::Vec3 s) const {
    place(sun, target, s);
    place(fill, target, scene::normalized(scene::Vec3{-s.x, 0.25f, 0.6f * s.z + 0.5f}));
    place(rim, target, scene::normalized(scene::Vec3{0.5f * s.x, 0.5f, -1.0f}));
}

} // namespace vesk
