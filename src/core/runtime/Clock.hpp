#pragma once

#include "core/model/Date.hpp"

namespace vesk {

// The wall clock. The app reads the system clock; tests advance a virtual one.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;
};

} // namespace vesk
