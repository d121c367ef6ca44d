#pragma once

#include <cstdint>

namespace vesk {

// Randomness from outside the program (cube rewards, nursery seeds, demo data).
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual std::uint64_t next() = 0;

    // Uniform in [low, high], without modulo bias.
    std::uint64_t uniform(std::uint64_t low, std::uint64_t high) {
        const std::uint64_t span = high - low;
        if (span == UINT64_MAX) return next();
        const std::uint64_t range = span + 1;
        const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
        std::uint64_t value = next();
        while (value >= limit)
            value = next();
        return low + value % range;
    }
};

} // namespace vesk
