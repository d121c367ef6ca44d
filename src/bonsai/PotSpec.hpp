#pragma once

#include "bonsai/Species.hpp"

#include <cstdint>

namespace vesk::bonsai {

// The pot of a tree: a superellipse |x/a|^n + |z/b|^n ≤ 1 around the origin, `height` cells tall.
struct PotSpec {
    PotShape shape = PotShape::oval;
    float a = 0.0f; // half-extent along x, in cells
    float b = 0.0f; // half-extent along z
    float n = 2.0f; // outline exponent: 2 is an ellipse, 5 to 8 a rounded rectangle
    int height = 0;
    Glaze glaze;
    bool slate = false; // the pot stands on a slate slab

    friend bool operator==(const PotSpec&, const PotSpec&) = default;
};

} // namespace vesk::bonsai
