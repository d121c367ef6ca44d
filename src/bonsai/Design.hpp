#pragma once

#include "bonsai/CellMap.hpp"
#include "bonsai/Cube.hpp"
#include "bonsai/Pad.hpp"
#include "bonsai/PotSpec.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <vector>

namespace vesk::bonsai {

struct WoodCell {
    float birth = 0.0f;
    CubeKind kind = CubeKind::trunk;
};

struct LeafCand {
    float score = 0.0f;
    float birth = 0.0f;
    std::int16_t pad = -1;
};

// One complete tree in voxels as the designer makes it, before any reveal order.
struct Design {
    CellMap<WoodCell> wood;
    CellMap<LeafCand> leaves;
    std::vector<Pad> pads;    // in order of creation
    std::int64_t natural = 0; // leaf candidates scoring above 0.1
    PotSpec pot;
    BaseCell base;
    Vec3 leanDir;
    Vec3 top; // the last point of the trunk path
};

} // namespace vesk::bonsai
