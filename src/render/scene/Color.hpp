#pragma once

#include "render/scene/Quat.hpp"

namespace vesk::scene {

// The sRGB decoding curve, per channel (negative values count as 0; above 1 the curve
// continues).
float srgbToLinear(float encoded);
Vec3 srgbToLinear(Vec3 encoded);

// Hue (0…1, wrapping), saturation and brightness of an RGB colour, and back.
Vec3 rgbToHsb(Vec3 rgb);
Vec3 hsbToRgb(Vec3 hsb);

} // namespace vesk::scene
