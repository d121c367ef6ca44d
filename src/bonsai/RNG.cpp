#include "bonsai/RNG.hpp"

#include <cmath>

namespace vesk::bonsai {

Vec3 RNG::inSphere() {
    for (;;) {
        const float u1 = unit();
        const float u2 = unit();
        const float u3 = unit();
        const Vec3 p{(u1 + u1) - 1.0f, (u2 + u2) - 1.0f, (u3 + u3) - 1.0f};
        if (dot(p, p) <= 1.0f) return p;
    }
}

Vec3 RNG::onSphere() {
    const Vec3 p = inSphere();
    const float len = std::sqrt(dot(p, p));
    if (len < 0.0001f) return UP;
    return p / len;
}

std::uint64_t RNG::bounded(std::uint64_t bound) {
    std::uint64_t random = next();
    unsigned __int128 m = static_cast<unsigned __int128>(random) * bound;
    if (std::uint64_t(m) < bound) {
        const std::uint64_t t = (0 - bound) % bound;
        while (std::uint64_t(m) < t) {
            random = next();
            m = static_cast<unsigned __int128>(random) * bound;
        }
    }
    return std::uint64_t(m >> 64);
}

} // namespace vesk::bonsai
