#include "render/scene/Color.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::scene {

float srgbToLinear(float c) {
    c = std::max(c, 0.0f);
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

Vec3 srgbToLinear(Vec3 c) {
    return {srgbToLinear(c.x), srgbToLinear(c.y), srgbToLinear(c.z)};
}

Vec3 rgbToHsb(Vec3 c) {
    const float maxC = std::max({c.x, c.y, c.z});
    const float minC = std::min({c.x, c.y, c.z});
    const float delta = maxC - minC;
    float hue = 0.0f;
    if (delta > 0.0f) {
        if (maxC == c.x)
            hue = std::fmod((c.y - c.z) / delta + 6.0f, 6.0f);
        else if (maxC == c.y)
            hue = (c.z - c.x) / delta + 2.0f;
        else
            hue = (c.x - c.y) / delta + 4.0f;
        hue /= 6.0f;
    }
    const float saturation = maxC > 0.0f ? delta / maxC : 0.0f;
    return {hue, saturation, maxC};
}

Vec3 hsbToRgb(Vec3 hsb) {
    const float h = (hsb.x - std::floor(hsb.x)) * 6.0f;
    const float s = std::clamp(hsb.y, 0.0f, 1.0f);
    const float v = std::max(hsb.z, 0.0f);
    const float c = v * s;
    const float x = c * (1.0f - std::fabs(std::fmod(h, 2.0f) - 1.0f));
    const float m = v - c;
    Vec3 rgb;
    if (h < 1.0f)
        rgb = {c, x, 0};
    else if (h < 2.0f)
        rgb = {x, c, 0};
    else if (h < 3.0f)
        rgb = {0, c, x};
    else if (h < 4.0f)
        rgb = {0, x, c};
    else if (h < 5.0f)
        rgb = {x, 0, c};
    else
        rgb = {c, 0, x};
    return {rgb.x + m, rgb.y + m, rgb.z + m};
}

} // namespace vesk::scene
