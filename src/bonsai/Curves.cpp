#include "bonsai/Curves.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace vesk::bonsai {

namespace {

float distance(Vec3 a, Vec3 b) {
    const Vec3 d = b - a;
    return std::sqrt(dot(d, d));
}

} // namespace

std::vector<Vec3> catmullRom(const std::vector<Vec3>& points, int samplesPerSeg) {
    const std::ptrdiff_t count = std::ssize(points);
    if (count < 3) return points;
    const int samples = std::max(samplesPerSeg, 0);
    std::vector<Vec3> out;
    out.reserve(std::size_t((count - 1) * samples + 1));
    for (std::ptrdiff_t i = 0; i + 1 < count; ++i) {
        const Vec3 p0 = points[std::size_t(std::max<std::ptrdiff_t>(i - 1, 0))];
        const Vec3 p1 = points[std::size_t(i)];
        const Vec3 p2 = points[std::size_t(i + 1)];
        const Vec3 p3 = points[std::size_t(std::min<std::ptrdiff_t>(i + 2, count - 1))];
        const Vec3 d1 = p2 - p0;
        const Vec3 d2 = (((p0 + p0) + (-5.0f * p1)) + (4.0f * p2)) - p3;
        const Vec3 d3 = (((3.0f * p1) - p0) - (3.0f * p2)) + p3;
        for (int j = 0; j < samples; ++j) {
            const float t = float(j) / float(samples);
            const float t2 = t * t;
            const float t3 = t * t2;
            out.push_back(((((p1 + p1) + d1 * t) + d2 * t2) + d3 * t3) * 0.5f);
        }
    }
    out.push_back(points.back());
    return out;
}

std::vector<Vec3> bezier(Vec3 p0, Vec3 p1, Vec3 p2, Vec3 p3, int samples) {
    // Zero samples would divide 0 by 0 for the parameter.
    if (samples <= 0) return {p0};
    std::vector<Vec3> out;
    out.reserve(std::size_t(samples) + 1);
    for (int j = 0; j <= samples; ++j) {
        const float t = float(j) / float(samples);
        const float u = 1.0f - t;
        const float w0 = (u * u) * u;
        const float w1 = ((3.0f * u) * u) * t;
        const float w2 = ((3.0f * u) * t) * t;
        const float w3 = (t * t) * t;
        out.push_back(((w0 * p0 + w1 * p1) + w2 * p2) + w3 * p3);
    }
    return out;
}

float arcLength(const std::vector<Vec3>& points) {
    float total = 0.0f;
    for (std::size_t i = 1; i < points.size(); ++i)
        total = total + distance(points[i - 1], points[i]);
    return total;
}

std::vector<Vec3> resample(const std::vector<Vec3>& points, int segments) {
    const std::ptrdiff_t count = std::ssize(points);
    if (count < 2 || segments < 1) return points;
    std::vector<float> cumulative(std::size_t(count), 0.0f);
    for (std::ptrdiff_t i = 0; i + 1 < count; ++i)
        cumulative[std::size_t(i + 1)] =
            cumulative[std::size_t(i)] + distance(points[std::size_t(i)], points[std::size_t(i + 1)]);
    const float total = cumulative.back();

    std::vector<Vec3> out;
    out.reserve(std::size_t(segments) + 1);
    std::ptrdiff_t j = 0;
    for (int k = 0; k <= segments; ++k) {
        const float d = (total * float(k)) / float(segments);
        while (j <= count - 3 && cumulative[std::size_t(j + 1)] < d)
            ++j;
        if (j > count - 3) j = count - 2;
        const float l0 = cumulative[std::size_t(j)];
        const float span = std::max(cumulative[std::size_t(j + 1)] - l0, 0.000001f);
        const float t = std::clamp((d - l0) / span, 0.0f, 1.0f);
        const Vec3 a = points[std::size_t(j)];
        out.push_back(a + (points[std::size_t(j + 1)] - a) * t);
    }
    return out;
}

} // namespace vesk::bonsai
