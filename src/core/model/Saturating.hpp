#pragma once

#include <cstdint>
#include <limits>

namespace vesk {

// Cube counts come from a hand-editable file: sums clamp at the ends of the range instead of
// overflowing.
inline std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

} // namespace vesk
