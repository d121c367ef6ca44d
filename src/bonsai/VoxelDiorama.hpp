#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/VoxelGrid.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <map>
#include <vector>

namespace vesk::bonsai {

// The pot, the ground inside it and the stand under it, built around a grown tree. Immutable once
// built: the renderers share one per growth stage. The pot's top layer is y = 0 and the tree stands
// on y ≥ 0; every cube here has the kind trunk, only position and colour matter.
struct VoxelDiorama {
    std::vector<Cube> pot;    // wall and feet
    std::vector<Cube> ground; // soil, moss, moss cushions and stones
    std::vector<Cube> stand;  // slate slab or wooden stand
    Int3 lo;                  // inclusive bounds of the diorama and the tree together
    Int3 hi;
    // Highest y of a diorama cube in each column, keyed by the cell key of (x, 0, z).
    std::map<CellKey, std::int32_t> top;
    std::int32_t floorY = 0; // one below the lowest stand cube
    Vec3 sunDir;             // unit vector towards the sun
    VoxelGrid staticGrid;    // the diorama's cubes (not the tree's) over lo … hi

    explicit VoxelDiorama(const VoxelTree& tree);
};

} // namespace vesk::bonsai
