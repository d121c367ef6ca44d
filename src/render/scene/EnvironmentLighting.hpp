#pragma once

#include "render/scene/Image.hpp"
#include "render/scene/Quat.hpp"

#include <array>

namespace vesk::scene {

// The direction an equirectangular panorama shows at texture coordinates (u, v): rows from
// straight up (v = 0) to straight down, columns from azimuth −π to π, azimuth 0 along −Z.
Vec3 panoramaDirection(float u, float v);

// Diffuse light from a panorama of display colours, as nine spherical-harmonic terms,
// pre-convolved with the cosine lobe and divided by π: a uniform panorama of linear
// radiance L gives L for every normal. Evaluate with evaluateIrradiance.
std::array<Vec3, 9> irradianceCoefficients(const Image& panorama);
Vec3 evaluateIrradiance(const std::array<Vec3, 9>& coefficients, Vec3 normal);

} // namespace vesk::scene
