#include "bonsai/Curves.hpp"
#include "bonsai/DesignBuilder.hpp"

#include <algorithm>
#include <cmath>

// Branches and foliage pads of the tree designer, by training style.
namespace vesk::bonsai {

namespace {

struct OpenCrownStyle {
    float crownFactor;
    float lengthFactor;
    float lowest; // height fraction of the lowest branch
    int maxBranches;
};

OpenCrownStyle openCrownStyle(Style style) {
    switch (style) {
    case Style::chokkan:
        return {0.8f, 0.44f, 0.3f, 8};
    case Style::moyogi:
        return {1.0f, 0.5f, 0.32f, 8};
    case Style::shakan:
        return {1.0f, 0.5f, 0.34f, 8};
    case Style::fukinagashi:
        return {0.75f, 0.62f, 0.38f, 6};
    case Style::bunjin:
        return {0.7f, 0.26f, 0.72f, 2};
    case Style::hanKengai:
    case Style::hokidachi:
        break;
    }
    return {1.0f, 0.5f, 0.32f, 8};
}

} // namespace

void DesignBuilder::crown() {
    // Drawn for every style, whether or not it has side branches.
    const float t = std::clamp((scale_ - 3.0f) / 25.0f, 0.0f, 1.0f);
    const float a = rng_.range(0.25f, 0.7f);
    switch (style_) {
    case Style::hokidachi:
        broom();
        return;
    case Style::hanKengai:
        cascade();
        return;
    default:
        break;
    }

    const OpenCrownStyle k = openCrownStyle(style_);
    const bool windswept = style_ == Style::fukinagashi;
    const int m = std::min(truncToInt(scale_ / 4.2f), k.maxBranches);
    const float leanAngle = fm::atan2(d_.leanDir.z, d_.leanDir.x);
    const bool c = rng_.chance(0.5f);
    float phi = (c ? 0.0f : 3.1415925f) + rng_.range(-0.4f, 0.4f);
    if (m > 0) {
        const float droop = ((a + 0.7f) * t - 0.7f) + (style_ == Style::chokkan ? 0.2f : 0.0f);
        const float baseLength = k.lengthFactor * scale_;
        const float taper = style_ == Style::chokkan ? 0.7f : windswept ? 0.3f : 0.55f;
        for (int j = 0; j < m; ++j) {
            const float f = float(j) / float(std::max(m, 2) - 1);
            const float h = (k.lowest + (0.86f - k.lowest) * f) + rng_.range(-0.025f, 0.025f);
            const int at = trunkIndex(h);
            float angle = phi;
            float stretch = 1.0f;
            if (windswept) {
                // Every branch blows downwind.
                angle = leanAngle + rng_.range(-0.8f, 0.8f);
                stretch = 1.3f;
            }
            phi = phi + (2.4f + rng_.range(-0.35f, 0.35f));
            const Vec3 dir{fm::cos(angle), 0.0f, fm::sin(angle)};
            const float length = (baseLength * (1.0f - taper * f)) * rng_.range(0.85f, 1.15f);
            const Tip tip = addBranch(at, dir, length, droop);
            d_.pads.push_back(sidePad(tip.point, dir, length, tip.birth, stretch));
        }
    }

    // The apex pad crowns the trunk.
    const float v = rng_.range(0.85f, 1.15f);
    Pad apex;
    apex.blobs = Pad::makeBlobs(rng_, 3);
    const float size = std::max(((scale_ * 0.24f) * k.crownFactor) * v, 1.2f);
    apex.radii = {windswept ? size * 1.4f : size, std::max(size * 0.8f, 1.0f), size * 0.95f};
    apex.right = d_.leanDir;
    apex.up = UP;
    apex.fwd = normalize(cross(d_.leanDir, UP));
    apex.center =
        (d_.top + UP * std::max(scale_ * 0.05f, 0.5f)) + d_.leanDir * (windswept ? scale_ * 0.08f : 0.0f);
    apex.bottom = -0.35f;
    apex.seed = d_.top;
    apex.birth = trunkBirth(segments_);
    d_.pads.push_back(std::move(apex));
}

void DesignBuilder::broom() {
    const float w = rng_.range(0.46f, 0.54f);
    const float hr = rng_.range(0.28f, 0.34f);
    const float v = rng_.range(0.85f, 1.0f);
    Pad pad;
    pad.blobs = Pad::makeBlobs(rng_, 4);
    const float wide = std::max(w * scale_, 1.5f);
    pad.radii = {wide, std::max(hr * scale_, 1.1f), wide * v};
    pad.right = {1.0f, 0.0f, 0.0f};
    pad.up = UP;
    pad.fwd = {0.0f, 0.0f, 1.0f};
    pad.center = d_.top + UP * (scale_ * 0.3f);
    pad.bottom = -0.5f;
    pad.seed = d_.top;
    pad.birth = trunkBirth(segments_);
    d_.pads.push_back(pad);

    const Vec3 top = d_.top;
    const int count = std::clamp(truncToInt(scale_ / 3.0f), 2, 10);
    const float r0 = std::max(0.75f * radius_.back(), 0.45f);
    for (int i = 0; i < count; ++i) {
        const float q = float(i) / float(count);
        const float angle = (q + q) * 3.1415925f + rng_.range(-0.3f, 0.3f);
        const float r1 = rng_.range(0.45f, 0.8f);
        const float ly = rng_.range(-0.1f, 0.4f);
        const float r2 = rng_.range(0.45f, 0.8f);
        const Vec3 tip = pad.toWorld({r1 * fm::cos(angle), ly, r2 * fm::sin(angle)});
        const Vec3 p1 = UP * (scale_ * 0.05f) + (top + (tip - top) * 0.45f);
        const Vec3 p2 = p1 + (tip - p1) * 0.5f;
        const std::vector<Vec3> samples = evenPath(bezier(top, p1, p2, tip, 16));
        const float n = float(samples.size() - 1);
        std::vector<float> radii;
        radii.reserve(samples.size());
        for (std::size_t s = 0; s < samples.size(); ++s)
            radii.push_back((0.45f - r0) * (float(s) / n) + r0);
        stamp(samples, radii, pad.birth, CubeKind::branch);
    }
}

void DesignBuilder::cascade() {
    std::size_t iH = 0;
    for (std::size_t i = 1; i < path_.size(); ++i)
        if (path_[i].y > path_[iH].y) iH = i;
    const Vec3 arch = path_[iH];

    Pad over;
    over.blobs = Pad::makeBlobs(rng_, 2);
    const float crownX = std::max(scale_ * 0.2f, 1.2f);
    over.radii = {crownX, std::max(scale_ * 0.11f, 0.9f), std::max(scale_ * 0.18f, 1.1f)};
    over.right = {1.0f, 0.0f, 0.0f};
    over.up = UP;
    over.fwd = {0.0f, 0.0f, 1.0f};
    over.center = arch + UP * std::max(scale_ * 0.09f, 1.0f);
    over.bottom = -0.35f;
    over.seed = arch;
    over.birth = trunkBirth(int(iH));
    d_.pads.push_back(std::move(over));

    const int m = std::min(truncToInt(scale_ / 5.0f), 6);
    // The side sign is drawn even when the tree is too small for side branches.
    float sigma = rng_.sign();
    const std::size_t last = path_.size() - 1;
    for (int j = 0; j < m; ++j) {
        const float h = std::min(
            (float(j) * 0.42f) / float(std::max(m, 2) - 1) + 0.48f + rng_.range(-0.03f, 0.03f), 0.95f);
        const int i = trunkIndex(h);
        const Vec3 ahead = path_[std::min(std::size_t(i) + 1, last)] - path_[std::size_t(std::max(i - 1, 0))];
        const Vec3 flat{ahead.x, 0.0f, ahead.z};
        const Vec3 forward = length(flat) <= 0.0001f ? d_.leanDir : normalize(flat);
        const Vec3 side = normalize(cross(forward, UP));
        const Vec3 dirH = normalize(forward * 0.35f + (side * sigma) * 0.9f);
        sigma = -sigma;
        const float len = (scale_ * 0.26f) * rng_.range(0.8f, 1.15f);
        const Tip tip = addBranch(i, dirH, len, 0.15f);
        d_.pads.push_back(sidePad(tip.point, dirH, len, tip.birth, 1.0f));
    }

    // The pad at the tip of the cascade.
    Pad end;
    end.blobs = Pad::makeBlobs(rng_, 3);
    end.radii = {std::max(scale_ * 0.24f, 1.3f), std::max(scale_ * 0.13f, 1.0f), crownX};
    end.right = d_.leanDir;
    end.up = UP;
    end.fwd = normalize(cross(d_.leanDir, UP));
    end.center = d_.top + UP * (scale_ * 0.03f);
    end.bottom = -0.35f;
    end.seed = d_.top;
    end.birth = trunkBirth(segments_);
    d_.pads.push_back(std::move(end));
}

DesignBuilder::Tip DesignBuilder::addBranch(int at, Vec3 dirH, float length, float droop) {
    const Vec3 s = path_[std::size_t(at)];
    const Vec3 side = normalize(cross(dirH, UP));
    const float w = rng_.range(-0.12f, 0.12f) * length;
    const float sag = -(droop * length);
    const Vec3 p1 = (s + dirH * (length * 0.33f)) + UP * (sag * 0.24f);
    const Vec3 p2 = ((s + dirH * (length * 0.68f)) + UP * (sag * 0.1f)) + side * w;
    const Vec3 p3 = (s + dirH * (length * 0.92f)) + UP * (length * 0.06f);
    const std::vector<Vec3> samples = evenPath(bezier(s, p1, p2, p3, 24));
    const float r0 = std::max(radius_[std::size_t(at)] * 0.5f, 0.45f);
    const float n = float(samples.size() - 1);
    std::vector<float> radii;
    radii.reserve(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        radii.push_back((0.45f - r0) * fm::pow(float(i) / n, 0.7f) + r0);
    const float birth = stamp(samples, radii, trunkBirth(at), CubeKind::branch);
    return {samples.back(), birth};
}

Pad DesignBuilder::sidePad(Vec3 tip, Vec3 dir, float size, float birth, float stretch) {
    const float r1 = rng_.range(0.85f, 1.15f);
    const float r2 = rng_.range(0.85f, 1.15f);
    const float r3 = rng_.range(0.5f, 0.64f);
    const std::uint64_t c = rng_.next();
    Pad pad;
    pad.radii.x = std::max(((size * 0.64f) * r1) * stretch, 1.2f);
    pad.radii.y = std::max((r3 * pad.radii.x) / stretch, 1.0f);
    pad.radii.z = std::max((size * 0.58f) * r2, 1.1f);
    pad.right = dir;
    pad.up = UP;
    pad.fwd = normalize(cross(dir, UP));
    pad.center = (tip - dir * (pad.radii.x * 0.15f)) + UP * (pad.radii.y * 0.35f);
    pad.bottom = -0.35f;
    pad.seed = tip;
    pad.birth = birth;
    pad.blobs = Pad::makeBlobs(rng_, 2 + int(c % 3));
    return pad;
}

} // namespace vesk::bonsai
