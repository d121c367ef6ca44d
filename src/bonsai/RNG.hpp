#pragma once

#include "bonsai/Math.hpp"

#include <cstdint>
#include <limits>
#include <span>

namespace vesk::bonsai {

// SplitMix64 over one 64-bit word. A value type: a copy continues the same sequence
// independently. The number of next() calls each operation makes is part of the contract.
struct RNG {
    std::uint64_t s = 0;

    explicit RNG(std::uint64_t seed) : s(seed ^ 0x2545F4914F6CDD1DULL) {}

    std::uint64_t next() {
        s = s + 0x9E3779B97F4A7C15ULL;
        std::uint64_t z = s;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0..<n from one draw, by plain modulo (no rejection); 0 without a draw when n < 2.
    std::int64_t integer(std::int64_t n) {
        if (n < 2) return 0;
        return std::int64_t(next() % std::uint64_t(n));
    }
    // (b − a)·u + a, one draw.
    float range(float a, float b) {
        const float d = b - a;
        return d * unit() + a;
    }
    // +1 or −1, one draw.
    float sign() { return unit() < 0.5f ? 1.0f : -1.0f; }
    // true with probability p, one draw.
    bool chance(float p) { return unit() < p; }
    // A point of the closed unit ball by rejection, three draws per attempt.
    Vec3 inSphere();
    // A unit vector, or UP when the ball point is (almost) the centre.
    Vec3 onSphere();

    // 0..<bound without bias by Lemire's multiply-and-reject, as the original platform's
    // standard library draws a bounded integer. bound must be at least 1.
    std::uint64_t bounded(std::uint64_t bound);

    // The platform's standard Fisher–Yates shuffle: position i gets a uniform pick of the
    // remaining elements.
    template <typename T> void shuffle(std::span<T> items) {
        std::size_t amount = items.size();
        std::size_t current = 0;
        while (amount > 1) {
            const std::uint64_t j = bounded(amount);
            amount -= 1;
            if (j != 0) std::swap(items[current], items[current + j]);
            current += 1;
        }
    }

    // UniformRandomBitGenerator, so standard algorithms may take it.
    using result_type = std::uint64_t;
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return std::numeric_limits<result_type>::max(); }
    result_type operator()() { return next(); }

  private:
    // The unit draw: the top 24 bits of one next() as k / 2^24, exact in single precision.
    float unit() { return float(std::uint32_t(next() >> 40)) * 5.9604645e-8f; }
};

} // namespace vesk::bonsai
