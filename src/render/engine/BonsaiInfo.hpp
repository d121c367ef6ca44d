#pragma once

#include "bonsai/Species.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <string>

namespace vesk {

// What the tree on screen is, as the bonsai tab names it.
struct BonsaiInfo {
    std::string japanese; // the species' Japanese name
    std::string species;  // its English name
    std::string style;    // "Moyogi · informal upright"
    std::int64_t cubes = 0;

    static BonsaiInfo of(const bonsai::VoxelTree& tree);

    friend bool operator==(const BonsaiInfo&, const BonsaiInfo&) = default;
};

// The Japanese style name: "Chokkan", "Moyogi", … "Hokidachi".
std::string styleName(bonsai::Style style);
// The Japanese style name, " · " and the English description.
std::string styleLabel(bonsai::Style style);

} // namespace vesk
