#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::bonsai::VoxelGrower {

std::uint64_t subSeed(std::uint64_t seed, std::int64_t salt) {
    std::uint64_t z = (std::uint64_t(salt) + 0x632BE59BD9B4EF29ULL) ^ (seed * 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 31)) * 0xD6E8FEB86659FD93ULL;
    return z ^ (z >> 32);
}

std::int64_t stageSize(int stage) {
    const double size = std::round(24.0 * std::pow(1.5, double(std::max(stage, 0))));
    // Far beyond any stage in use; saturate rather than overflow the conversion.
    if (!(size < 9.0e18)) return INT64_MAX;
    return std::int64_t(size);
}

int stage(std::int64_t n) {
    const std::int64_t target = std::min(n, maxCubes);
    int s = 0;
    while (stageSize(s) < target)
        ++s;
    return s;
}

int maxStage() {
    static const int s = stage(maxCubes);
    return s;
}

std::pair<Species, Style> speciesAndStyle(std::uint64_t seed, std::optional<std::int64_t> forcedSpecies,
                                          std::optional<Style> forcedStyle) {
    const auto& all = Species::all();
    const std::int64_t count = std::int64_t(all.size());
    RNG rng(seed);
    const std::int64_t drawn = rng.integer(count);
    std::int64_t index = drawn;
    if (forcedSpecies) {
        index = *forcedSpecies % count;
        if (index < 0) index += count;
    }
    const Species& species = all[std::size_t(index)];
    // The style draw is made even when a style is forced, so forcing shifts nothing else.
    const std::int64_t j = rng.integer(std::int64_t(species.styles.size()));
    const Style style = forcedStyle ? *forcedStyle : species.styles[std::size_t(j)];
    return {species, style};
}

PotSpec potSpec(std::uint64_t seed, const Species& species, Style style, float scale) {
    RNG rng(subSeed(seed, salt::pot));
    PotSpec pot;
    switch (style) {
    case Style::chokkan:
        pot.shape = PotShape::rect;
        break;
    case Style::bunjin:
        pot.shape = PotShape::bowl;
        break;
    case Style::hanKengai:
        pot.shape = PotShape::drum;
        break;
    case Style::hokidachi:
        pot.shape = PotShape::oval;
        break;
    case Style::moyogi:
    case Style::shakan:
    case Style::fukinagashi:
        pot.shape = rng.chance(0.45f) ? PotShape::rect : PotShape::oval;
        break;
    }
    pot.glaze = species.glazes[std::size_t(rng.integer(std::int64_t(species.glazes.size())))];
    pot.slate = style != Style::hanKengai && rng.chance(0.35f);

    switch (pot.shape) {
    case PotShape::bowl:
        pot.a = std::max(scale * 0.28f, 3.8f);
        pot.b = pot.a;
        pot.height = std::max(roundToInt(pot.a * 0.38f), 2);
        pot.n = 2.0f;
        break;
    case PotShape::drum:
        pot.a = std::max(scale * 0.26f, 3.4f);
        pot.b = pot.a;
        pot.height = std::max(roundToInt(pot.a * 1.3f), 4);
        pot.n = 2.0f;
        break;
    case PotShape::rect: {
        const float f = rng.range(0.95f, 1.08f);
        pot.a = std::max((scale * 0.44f) * f, 4.6f);
        pot.height = std::max(roundToInt(pot.a * 0.34f), 2);
        pot.b = std::max(pot.a * 0.64f, 3.2f);
        pot.n = rng.range(5.0f, 8.0f);
        break;
    }
    case PotShape::oval: {
        const float f = rng.range(0.95f, 1.08f);
        pot.a = std::max((scale * 0.46f) * f, 4.6f);
        pot.height = std::max(roundToInt(pot.a * 0.3f), 2);
        pot.b = std::max(pot.a * 0.66f, 3.2f);
        pot.n = 2.0f;
        break;
    }
    }
    if (style == Style::shakan || style == Style::fukinagashi) pot.a = pot.a * 1.08f;
    return pot;
}

} // namespace vesk::bonsai::VoxelGrower
