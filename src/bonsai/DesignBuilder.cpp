#include "bonsai/DesignBuilder.hpp"

#include "bonsai/Curves.hpp"
#include "bonsai/Noise.hpp"
#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <cmath>

namespace vesk::bonsai {

namespace {

float trunkFactor(Style style) {
    switch (style) {
    case Style::chokkan:
        return 0.085f;
    case Style::moyogi:
        return 0.08f;
    case Style::shakan:
        return 0.075f;
    case Style::fukinagashi:
        return 0.068f;
    case Style::bunjin:
        return 0.034f;
    case Style::hanKengai:
        return 0.055f;
    case Style::hokidachi:
        return 0.08f;
    }
    return 0.08f;
}

Vec3 cell(std::int32_t x, std::int32_t y, std::int32_t z) {
    return {float(x), float(y), float(z)};
}

} // namespace

DesignBuilder::DesignBuilder(std::uint64_t seed, const Species& species, Style style, float scale)
    : seed_(seed), seedU_(std::uint32_t(seed)), species_(species), style_(style), scale_(scale),
      rng_(VoxelGrower::subSeed(seed, VoxelGrower::salt::design)) {}

Design DesignBuilder::build() {
    d_.pot = VoxelGrower::potSpec(seed_, species_, style_, scale_);
    orientAndTrace();
    if (scale_ >= 5.0f) roots();
    crown();
    if (scale_ >= 9.0f) twigs();
    if (species_.deadwood && scale_ >= 12.0f) deadWood();
    leafCandidates();
    std::int64_t natural = 0;
    d_.leaves.forEach([&](CellKey, const LeafCand& c) { natural += c.score > 0.1f ? 1 : 0; });
    d_.natural = natural;
    return std::move(d_);
}

void DesignBuilder::orientAndTrace() {
    const float facing = rng_.chance(0.5f) ? 0.0f : 3.1415925f;
    theta_ = facing + rng_.range(-0.45f, 0.45f);
    std::vector<Vec3> controls = VoxelGrower::trunkControls(style_, scale_, rng_);
    const float c = fm::cos(theta_), s = fm::sin(theta_);
    for (Vec3& p : controls)
        p = {p.x * c + p.z * s, p.y, p.z * c - p.x * s};

    // The lean is a plain division, not the fast normalise.
    const float dx = controls.back().x - controls.front().x;
    const float dz = controls.back().z - controls.front().z;
    leanDistance_ = std::sqrt(dx * dx + dz * dz);
    d_.leanDir =
        leanDistance_ > 0.001f ? Vec3{dx / leanDistance_, 0.0f, dz / leanDistance_} : Vec3{c, 0.0f, -s};

    const Vec3 lean = d_.leanDir;
    float bx = 0.0f, bz = 0.0f;
    switch (style_) {
    case Style::shakan:
    case Style::fukinagashi:
        bx = -lean.x * (d_.pot.a * 0.26f);
        bz = -lean.z * (d_.pot.a * 0.26f);
        break;
    case Style::hanKengai:
        bx = -lean.x * (d_.pot.a * 0.34f);
        bz = -lean.z * (d_.pot.a * 0.34f);
        break;
    case Style::bunjin:
        bx = rng_.range(-0.1f, 0.1f) * d_.pot.a;
        bz = rng_.range(-0.1f, 0.1f) * d_.pot.a;
        break;
    case Style::chokkan:
    case Style::moyogi:
    case Style::hokidachi:
        bx = rng_.range(-0.14f, 0.14f) * d_.pot.a;
        bz = rng_.range(-0.08f, 0.08f) * d_.pot.b;
        break;
    }
    d_.base = {roundToInt(bx), roundToInt(bz)};

    const Vec3 offset{float(d_.base.x), 0.0f, float(d_.base.z)};
    for (Vec3& p : controls)
        p = p + offset;
    const std::vector<Vec3> spline = catmullRom(controls, 20);
    trunkLength_ = arcLength(spline);
    segments_ = std::max(truncToInt(trunkLength_ / 0.3f), 1);
    path_ = resample(spline, segments_);

    // The trunk wanders a little, more toward the top.
    const float seg = float(segments_);
    for (int i = 1; i <= segments_; ++i) {
        const Vec3 p = path_[std::size_t(i)];
        const float nx = Noise::value(p * 0.25f, seedU_ + 18u);
        const float nz = Noise::value(p * 0.25f, seedU_ + 19u);
        path_[std::size_t(i)].x = p.x + (((scale_ * 0.03f) * nx) * float(i)) / seg;
        path_[std::size_t(i)].z = p.z + (((scale_ * 0.03f) * nz) * float(i)) / seg;
    }
    d_.top = path_.back();

    r0_ = std::max((trunkFactor(style_) * scale_) * 0.95f, 0.45f);
    radius_.resize(path_.size());
    for (int i = 0; i <= segments_; ++i) {
        const float y = path_[std::size_t(i)].y;
        const float flare = fm::exp(-std::max(y, 0.0f) / (scale_ * 0.06f + 0.6f));
        radius_[std::size_t(i)] =
            std::max((((float(i) / seg) * -0.72f + 1.12f) * r0_) * (flare * 0.6f + 1.0f), 0.45f);
    }
    stamp(path_, radius_, 0.0f, CubeKind::trunk);
}

float DesignBuilder::trunkBirth(int i) const {
    return (trunkLength_ * float(i)) / float(segments_);
}

int DesignBuilder::trunkIndex(float f) const {
    return std::clamp(roundToInt(float(segments_) * f), 1, segments_);
}

void DesignBuilder::roots() {
    const int count = 4 + int(rng_.next() % 3);
    const float phi0 = rng_.range(0.0f, 6.283185f);
    const float f = std::min(leanDistance_ / scale_, 1.0f);
    const Vec3 against = -d_.leanDir;
    for (int j = 0; j < count; ++j) {
        const float jitter = rng_.range(-0.3f, 0.3f);
        const float q = float(j) / float(count);
        const float alpha = (phi0 + (q + q) * 3.1415925f) + jitter;
        const Vec3 dir{fm::cos(alpha), 0.0f, fm::sin(alpha)};
        const float along = dot(dir, against);
        const float b = along < 0.0f ? 0.0f : along * 0.8f;
        const float length =
            std::min(r0_ * 1.1f + (scale_ * 0.09f) * ((f * b + f * b) + 1.0f), d_.pot.a * 0.8f);
        const int segments = std::max(truncToInt(length / 0.3f), 2);
        std::vector<Vec3> samples;
        std::vector<float> radii;
        samples.reserve(std::size_t(segments) + 1);
        radii.reserve(std::size_t(segments) + 1);
        for (int k = 0; k <= segments; ++k) {
            const float t = float(k) / float(segments);
            samples.push_back({float(d_.base.x) + dir.x * (length * t), (1.0f - t) * 0.25f,
                               float(d_.base.z) + dir.z * (length * t)});
            radii.push_back((r0_ * 0.7f) * fm::pow(1.0f - t, 1.6f));
        }
        stamp(samples, radii, 0.5f, CubeKind::root);
    }
}

void DesignBuilder::twigs() {
    for (const Pad& pad : d_.pads) {
        const int count = std::clamp(truncToInt(pad.radii.x * 0.7f), 1, 9);
        for (int n = 0; n < count; ++n) {
            const float a = rng_.range(0.0f, 6.283185f);
            const float rx = rng_.range(0.4f, 0.85f);
            const float ly = rng_.range(-0.2f, 0.3f);
            const float rz = rng_.range(0.4f, 0.85f);
            const Vec3 tip = pad.toWorld({fm::cos(a) * rx, ly, fm::sin(a) * rz});
            const Vec3 d = tip - pad.seed;
            const float length = bonsai::length(d);
            const int segments = std::max(truncToInt(length / 0.3f), 1);
            const Vec3 w = rng_.inSphere();
            std::vector<Vec3> samples;
            samples.reserve(std::size_t(segments) + 1);
            for (int k = 0; k <= segments; ++k) {
                const float t = float(k) / float(segments);
                samples.push_back((pad.seed + d * t) + (w * (length * 0.15f)) * fm::sin(t * 3.1415925f));
            }
            stamp(samples, std::vector<float>(samples.size(), 0.45f), pad.birth, CubeKind::twig);
        }
    }
}

void DesignBuilder::deadWood() {
    const int count = 1 + int(rng_.next() & 1);
    for (int n = 0; n < count; ++n) {
        const int i = std::clamp(roundToInt(rng_.range(0.25f, 0.75f) * float(segments_)), 1, segments_);
        float angle = rng_.range(0.0f, 6.283185f);
        // Windswept dead wood points upwind; the first angle is drawn all the same.
        if (style_ == Style::fukinagashi)
            angle = fm::atan2(-d_.leanDir.z, -d_.leanDir.x) + rng_.range(-0.6f, 0.6f);
        const float y = rng_.range(0.3f, 0.9f);
        const float length = rng_.range(0.12f, 0.22f) * scale_;
        const int segments = std::max(truncToInt(length / 0.3f), 2);
        Vec3 d = normalize({fm::cos(angle), y, fm::sin(angle)});
        std::vector<Vec3> samples{path_[std::size_t(i)]};
        samples.reserve(std::size_t(segments) + 1);
        for (int k = 0; k < segments; ++k) {
            d = normalize(d + rng_.inSphere() * 0.25f);
            samples.push_back(samples.back() + d * 0.3f);
        }
        const float r0 = std::max(radius_[std::size_t(i)] * 0.4f, 0.45f);
        std::vector<float> radii;
        radii.reserve(samples.size());
        for (int k = 0; k <= segments; ++k)
            radii.push_back(std::max((1.0f - float(k) / float(segments)) * r0, 0.45f));
        stamp(samples, radii, trunkBirth(i), CubeKind::dead);
    }
}

void DesignBuilder::leafCandidates() {
    const std::uint32_t coarse = seedU_ + 22u, fine = seedU_ + 24u;
    for (std::size_t index = 0; index < d_.pads.size(); ++index) {
        const Pad& pad = d_.pads[index];
        const auto absv = [](Vec3 v) { return Vec3{std::abs(v.x), std::abs(v.y), std::abs(v.z)}; };
        const Vec3 e =
            ((pad.radii.x * absv(pad.right) + pad.radii.y * absv(pad.up)) + pad.radii.z * absv(pad.fwd)) *
            1.2f;
        const Vec3 lo = pad.center - e, hi = pad.center + e;
        const std::int32_t x0 = truncToInt(std::floor(lo.x)), x1 = truncToInt(std::ceil(hi.x));
        const std::int32_t y0 = truncToInt(std::floor(lo.y)), y1 = truncToInt(std::ceil(hi.y));
        const std::int32_t z0 = truncToInt(std::floor(lo.z)), z1 = truncToInt(std::ceil(hi.z));
        for (std::int32_t x = x0; x <= x1; ++x)
            for (std::int32_t y = y0; y <= y1; ++y)
                for (std::int32_t z = z0; z <= z1; ++z) {
                    // Leaves below the rim never enter the pot.
                    if (y < 0 && insidePot(x, z, 1.3f)) continue;
                    const Vec3 p = cell(x, y, z);
                    const float h = dot(p - pad.center, pad.up) / pad.radii.y;
                    if (h < pad.bottom) continue;
                    const float q = pad.blobDist(pad.toLocal(p));
                    if (q > 1.3f) continue;
                    const float n =
                        Noise::value(p * 0.33f, coarse) * 0.3f + Noise::value(p * 0.9f, fine) * 0.12f;
                    const float score = (h * 0.08f + (1.0f - q)) + n;
                    if (score < -0.25f) continue;
                    const CellKey key = cellKey(x, y, z);
                    if (d_.wood.contains(key)) continue;
                    bool inserted = false;
                    LeafCand& cand = d_.leaves.upsert(key, inserted);
                    if (!inserted && cand.score >= score) continue;
                    const Vec3 ds = p - pad.seed;
                    const float dist = std::sqrt((ds.z * ds.z + ds.x * ds.x) + ds.y * ds.y);
                    cand = {score, n * 3.0f + (pad.birth + dist * 1.1f), std::int16_t(index)};
                }
    }
}

bool DesignBuilder::insidePot(std::int32_t x, std::int32_t z, float widen) const {
    const float a = d_.pot.a + widen, b = d_.pot.b + widen;
    return fm::pow(std::abs(float(x) / a), d_.pot.n) + fm::pow(std::abs(float(z) / b), d_.pot.n) <= 1.0f;
}

void DesignBuilder::place(std::int32_t x, std::int32_t y, std::int32_t z, float birth, CubeKind kind) {
    // Wood never enters the pot below the soil.
    if (y < 0 && d_.pot.a > 0.0f && d_.pot.b > 0.0f && insidePot(x, z, 0.0f)) return;
    bool inserted = false;
    WoodCell& w = d_.wood.upsert(cellKey(x, y, z), inserted);
    if (!inserted && w.birth <= birth) return;
    w = {birth, kind};
}

float DesignBuilder::stamp(const std::vector<Vec3>& samples, const std::vector<float>& radii, float b0,
                           CubeKind kind) {
    float travelled = 0.0f;
    float t = b0;
    std::int32_t cx = 0, cy = 0, cz = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Vec3 p = samples[i];
        if (i > 0) travelled = travelled + length(p - samples[i - 1]);
        t = b0 + travelled;
        const std::int32_t tx = roundToInt(p.x), ty = roundToInt(p.y), tz = roundToInt(p.z);
        if (i == 0) {
            cx = tx, cy = ty, cz = tz;
            place(cx, cy, cz, t, kind);
        } else {
            // Unit steps along the axis with the largest remaining difference; ties x, y, z.
            while (cx != tx || cy != ty || cz != tz) {
                const std::int64_t ax = std::abs(std::int64_t(tx) - cx), ay = std::abs(std::int64_t(ty) - cy),
                                   az = std::abs(std::int64_t(tz) - cz);
                if (ax < ay) {
                    if (ay < az)
                        cz += tz > cz ? 1 : -1;
                    else
                        cy += ty > cy ? 1 : -1;
                } else {
                    if (ax < az)
                        cz += tz > cz ? 1 : -1;
                    else
                        cx += tx > cx ? 1 : -1;
                }
                place(cx, cy, cz, t, kind);
            }
        }
        const float r = radii[i];
        if (r >= 0.72f) {
            const std::int32_t reach = truncToInt(std::ceil(r));
            for (std::int32_t di = -reach; di <= reach; ++di)
                for (std::int32_t dj = -reach; dj <= reach; ++dj)
                    for (std::int32_t dk = -reach; dk <= reach; ++dk) {
                        const float ex = float(tx + di) - p.x, ey = float(ty + dj) - p.y,
                                    ez = float(tz + dk) - p.z;
                        const float dist = std::sqrt((ex * ex + ey * ey) + ez * ez);
                        if (dist <= r) place(tx + di, ty + dj, tz + dk, t + dist * 5.0f, kind);
                    }
        }
    }
    return t;
}

std::vector<Vec3> DesignBuilder::evenPath(const std::vector<Vec3>& curve) {
    return resample(curve, std::max(truncToInt(arcLength(curve) / 0.3f), 1));
}

} // namespace vesk::bonsai
