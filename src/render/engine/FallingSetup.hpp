#pragma once

#include "bonsai/Cube.hpp"
#include "bonsai/Species.hpp"
#include "render/engine/FallingCubes.hpp"
#include "render/engine/Framing.hpp"

#include <map>
#include <memory>
#include <span>

namespace vesk {

// What the falling leaf cubes of one build need, prepared on the worker.
struct FallingSetup {
    std::vector<bonsai::Vec3> colors;
    float rate = 0.0f;
    float size = 0.0f;
    std::vector<bonsai::Vec3> spawn; // thinned to at most 799 points
    std::shared_ptr<const std::map<bonsai::CellKey, std::int32_t>> top;
    float floorY = 0.0f;
    Framing frame;

    static constexpr std::size_t minLeaves = 21; // fewer leaves than this drop none

    FallingSetup(std::span<const bonsai::Cube> tree, const bonsai::Species& species,
                 const std::map<bonsai::CellKey, std::int32_t>& dioramaTop, const Framing& frame);

    // The simulation's set-up; a leaf rests on the top of its diorama column, else on the floor.
    FallingCubes::Config config() const;
};

} // namespace vesk
