#include "bonsai/Pad.hpp"

#include <cmath>
#include <limits>

namespace vesk::bonsai {

Vec3 Pad::toLocal(Vec3 p) const {
    const Vec3 d = p - center;
    return {dot(d, right) / radii.x, dot(d, up) / radii.y, dot(d, fwd) / radii.z};
}

Vec3 Pad::toWorld(Vec3 l) const {
    return ((center + right * (l.x * radii.x)) + up * (l.y * radii.y)) + fwd * (l.z * radii.z);
}

float Pad::blobDist(Vec3 l) const {
    if (blobs.empty()) return length(l);
    float best = std::numeric_limits<float>::infinity();
    for (const Blob& blob : blobs) {
        const float q = length(l - blob.center) / blob.radius;
        if (q < best) best = q;
    }
    return best;
}

std::vector<Blob> Pad::makeBlobs(RNG& rng, int count) {
    std::vector<Blob> blobs;
    blobs.reserve(std::size_t(count > 0 ? count : 0) + 1);
    blobs.push_back({{0.0f, 0.05f, 0.0f}, 0.74f});
    for (int i = 0; i < count; ++i) {
        const float a = rng.range(0.0f, 6.283185f);
        const float d = rng.range(0.3f, 0.5f);
        const float y = rng.range(-0.05f, 0.22f);
        const float r = rng.range(0.42f, 0.58f);
        blobs.push_back({{d * fm::cos(a), y, d * fm::sin(a)}, r});
    }
    return blobs;
}

} // namespace vesk::bonsai
