#pragma once

#include "bonsai/Cube.hpp"
#include "render/engine/Framing.hpp"
#include "render/engine/GrowthAnimation.hpp"

#include <optional>
#include <span>
#include <vector>

namespace vesk {

// Two trees compared cell by cell: kept and added cubes in the new tree's order (with its
// colours and kinds), removed cubes in the old tree's order.
struct CubeDiff {
    std::vector<bonsai::Cube> kept, added, removed;

    CubeDiff(std::span<const bonsai::Cube> before, std::span<const bonsai::Cube> after);
};

// Sparks on each added cube and the point the reveal camera leans toward; only for a small
// pure growth (1 to 64 added cubes, none removed), otherwise none.
struct SparkPlan {
    static constexpr std::size_t maxAdded = 64;

    std::vector<GrowthAnimation::Spark> sparks;
    std::optional<scene::Vec3> focus;

    SparkPlan(const CubeDiff& diff, const Framing& frame, scene::Vec3 target);
};

} // namespace vesk
