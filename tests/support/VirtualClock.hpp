#pragma once

#include "core/runtime/Clock.hpp"

namespace vesk::test {

// A clock that moves only when a test moves it. It starts at a fixed, whole-second instant
// (2026-03-09 12:00:00 UTC) so that documents written in tests are reproducible.
class VirtualClock final : public Clock {
  public:
    static Date defaultStart() { return dateFromUnixSeconds(1'773'057'600); }

    VirtualClock() = default;
    explicit VirtualClock(Date start) : now_(start) {}

    Date now() const override { return now_; }
    void set(Date date) { now_ = date; }
    void advance(double seconds) { now_ = addingSeconds(now_, seconds); }

  private:
    Date now_ = defaultStart();
};

} // namespace vesk::test
