#pragma once

#include <atomic>
#include <cstdint>

namespace vesk {

// Coalesces show requests: each new request takes the next generation, and a build checks at
// its checkpoints whether it is still the newest, so overtaken work is dropped early.
class LatestRequest {
  public:
    using Generation = std::uint64_t;

    Generation next() { return latest_.fetch_add(1, std::memory_order_acq_rel) + 1; }
    bool isCurrent(Generation generation) const {
        return latest_.load(std::memory_order_acquire) == generation;
    }

  private:
    std::atomic<Generation> latest_{0};
};

} // namespace vesk
