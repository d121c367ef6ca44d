#include "render/scene/GrowthModifiers.hpp"

#include <numbers>
#include <string>

namespace vesk::scene {

namespace {

// Every wind frequency is a whole number of hundredths of a radian per second, so the sway
// repeats exactly every 200π seconds.
constexpr double kWindPeriodSeconds = 200.0 * std::numbers::pi;

constexpr const char* kWindArguments = "uniform float windAmp;\nuniform float treeH;\n";

constexpr const char* kWindBody = R"(
{
    vec3 p = _geometry.position;
    float t = u_time;
    float h = clamp(p.y / max(treeH, 1.0), 0.0, 1.5);
    vec3 offset = vec3(0.65 * sin(0.83 * t + 0.09 * p.y + 0.03 * p.x) + 0.18 * sin(2.1 * t + 0.2 * p.x + 0.17 * p.z),
                       0.0,
                       0.45 * cos(0.71 * t + 0.07 * p.y) + 0.16 * sin(1.9 * t + 0.23 * p.z));
    _geometry.position = p + offset * (windAmp * treeH * h * h);
}
)";

constexpr const char* kGrowArguments = "uniform float growT;\nuniform float growDir;\n";

constexpr const char* kGrowBody = R"(
{
    vec3 centre = vec3(_geometry.texcoord1, _geometry.texcoord2.x);
    float start = _geometry.texcoord2.y;
    float k = clamp((growT - start) / 0.3, 0.0, 1.0);
    float s;
    if (growDir > 0.0) {
        float u = k - 1.0;
        s = k <= 0.0 ? 0.0 : 1.0 + 4.2 * u * u * u + 3.2 * u * u;
        s *= 1.0 + 0.4 * (1.0 - smoothstep(0.72, 1.0, growT));
    } else {
        s = 1.0 - k * k * (3.0 - 2.0 * k);
    }
    _geometry.position = centre + (_geometry.position - centre) * s;
}
)";

constexpr const char* kFlashArguments = "uniform float glow;\nuniform float growT;\nuniform float growDir;\n";

constexpr const char* kFlashBody = R"(
    float flash = growDir > 0.0 ? 1.0 - smoothstep(0.72, 1.0, growT) : 0.0;
    _surface.emission.rgb += _surface.diffuse.rgb * (glow + 1.4 * flash) + vec3(1.0, 0.88, 0.6) * (0.8 * flash);
)";

ShaderModifier make(std::string declarations, std::string body, double period) {
    ShaderModifier m;
    m.declarations = std::move(declarations);
    m.body = std::move(body);
    m.timePeriodSeconds = period;
    return m;
}

} // namespace

const ShaderModifier& windGeometry() {
    static const ShaderModifier m = make(kWindArguments, kWindBody, kWindPeriodSeconds);
    return m;
}

const ShaderModifier& growGeometry() {
    // Growth first, so that a growing cube sways about where it stands.
    static const ShaderModifier m = make(std::string(kGrowArguments) + kWindArguments,
                                         std::string(kGrowBody) + kWindBody, kWindPeriodSeconds);
    return m;
}

const ShaderModifier& glowSurface() {
    static const ShaderModifier m =
        make("uniform float glow;\n", "    _surface.emission.rgb += _surface.diffuse.rgb * glow;\n", 0.0);
    return m;
}

const ShaderModifier& flashSurface() {
    static const ShaderModifier m = make(kFlashArguments, kFlashBody, 0.0);
    return m;
}

} // namespace vesk::scene
