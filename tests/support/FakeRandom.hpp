#pragma once

#include "core/runtime/RandomSource.hpp"

#include <deque>

namespace vesk::test {

// Scripted random values, then a fixed SplitMix64 sequence once the script runs out, so
// that code drawing more than a test planned still behaves deterministically.
class FakeRandom final : public RandomSource {
  public:
    FakeRandom() = default;
    explicit FakeRandom(std::deque<std::uint64_t> script) : script(std::move(script)) {}

    std::uint64_t next() override {
        ++draws;
        if (!script.empty()) {
            const std::uint64_t value = script.front();
            script.pop_front();
            return value;
        }
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::deque<std::uint64_t> script;
    std::size_t draws = 0;

  private:
    std::uint64_t state_ = 0;
};

} // namespace vesk::test
