#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/Pad.hpp"
#include "bonsai/VoxelTree.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace vesk::bonsai {

// Asked between the long steps of a build: once it answers false the build is cut short, for
// a result nobody waits for any more. An empty one never stops.
using KeepGoing = std::function<bool()>;

// One cube of a reveal order. Without a colour, the colour is computed when a tree is cut.
struct RevealCube {
    CellKey key = 0;
    float birth = 0.0f;
    CubeKind kind = CubeKind::trunk;
    std::int16_t pad = -1; // index into the blueprint's pads; −1 for none
    std::optional<Vec3> color;

    friend bool operator==(const RevealCube&, const RevealCube&) = default;
};

// The complete tree of one growth stage, wood and crown each in reveal order; immutable once made.
struct Blueprint {
    std::uint64_t seed = 0;
    int stage = 0;
    Species species;
    Style style = Style::chokkan;
    float height = 0.0f; // the scale of the kept design
    PotSpec pot;
    BaseCell base;
    Vec3 leanDir;
    std::vector<RevealCube> wood;
    std::vector<RevealCube> crown;
    std::vector<Pad> pads;

    // All the wood and the first clamp(count, wood, wood + crown) − wood crown cubes, coloured; the
    // count is first capped at VoxelGrower::maxCubes.
    VoxelTree tree(std::int64_t count) const;
};

} // namespace vesk::bonsai
