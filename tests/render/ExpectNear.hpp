#pragma once

#include "render/scene/Quat.hpp"

#include <gtest/gtest.h>

namespace vesk::scene::testing {

inline void expectNear(Vec3 a, Vec3 b, float eps = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

} // namespace vesk::scene::testing
