#pragma once

#include "core/runtime/RandomSource.hpp"

namespace vesk {

// The kernel's random source, getrandom(2).
class GetrandomSource final : public RandomSource {
  public:
    std::uint64_t next() override;
};

} // namespace vesk
