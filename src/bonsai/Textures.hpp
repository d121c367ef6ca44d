#pragma once

#include "bonsai/Math.hpp"
#include "bonsai/Species.hpp"

#include <cstdint>
#include <vector>

// The four images the renderers paint with, computed pixel by pixel, never loaded.
namespace vesk::bonsai::Textures {

// 8-bit RGBA with premultiplied alpha, rows of width × 4 bytes, row 0 at the top. Channels are
// stored as trunc(clamp(v, 0, 1) × 255) of display (not linear) values.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    const std::uint8_t* pixel(int column, int row) const {
        return rgba.data() + (std::size_t(row) * std::size_t(width) + std::size_t(column)) * 4;
    }

    friend bool operator==(const Image&, const Image&) = default;
};

// 128 × 128 grey: a soft bevel at the edges of every cube face, with a faint grain. Built once.
const Image& block();
// 32 × 32 white sprite of the growth sparks, opaque in the middle and fading at the border. Built once.
const Image& spark();
// 1024 × 512 equirectangular sky of the palette, with the sun's glow around sunDir and faint clouds.
Image sky(const Sky& palette, Vec3 sunDir);
// 512 × 512 near-black backdrop with a soft pool of the palette's tint a little above the centre.
Image backdrop(const Sky& palette);

} // namespace vesk::bonsai::Textures
