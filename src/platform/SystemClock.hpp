#pragma once

#include "core/runtime/Clock.hpp"

namespace vesk {

// The machine's wall clock; it may step (NTP, a manual change), which the store tolerates.
class SystemClock final : public Clock {
  public:
    Date now() const override;
};

} // namespace vesk
