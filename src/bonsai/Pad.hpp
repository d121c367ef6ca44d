#pragma once

#include "bonsai/Math.hpp"
#include "bonsai/RNG.hpp"

#include <vector>

namespace vesk::bonsai {

// A blob of a foliage pad, in the pad's radius-normalised local frame.
struct Blob {
    Vec3 center;
    float radius = 0.0f;

    friend bool operator==(const Blob&, const Blob&) = default;
};

// A foliage pad: an ellipsoid frame with blobs, from which leaf candidates are scored.
struct Pad {
    Vec3 center;
    Vec3 right;
    Vec3 up;
    Vec3 fwd;
    Vec3 radii;            // half-sizes along right, up and fwd
    float bottom = -0.35f; // lowest local height (in units of radii.y) at which leaves grow
    std::vector<Blob> blobs;
    Vec3 seed; // world point the pad's leaves grow from
    float birth = 0.0f;

    friend bool operator==(const Pad&, const Pad&) = default;

    Vec3 toLocal(Vec3 p) const;
    Vec3 toWorld(Vec3 l) const;
    // The smallest |l − c| / r over the blobs (|l| without blobs); ≤ 1 lies inside a blob.
    float blobDist(Vec3 l) const;

    // The fixed first blob, then `count` more, four draws each.
    static std::vector<Blob> makeBlobs(RNG& rng, int count);
};

} // namespace vesk::bonsai
