#include "render/scene/GeometrySource.hpp"

#include <algorithm>
#include <array>

namespace vesk::scene {

bool hasNormals(const GeometrySource& g) {
    return g.n.size() == g.vertexCount() * GeometrySource::vec3Floats;
}

bool hasColors(const GeometrySource& g) {
    return g.c.size() == g.vertexCount() * GeometrySource::vec4Floats;
}

bool hasUV(const GeometrySource& g) {
    return g.uv.size() == g.vertexCount() * GeometrySource::vec2Floats;
}

bool hasAnimation(const GeometrySource& g) {
    const std::size_t size = g.vertexCount() * GeometrySource::vec2Floats;
    return g.a0.size() == size && g.a1.size() == size;
}

bool indicesValid(const GeometrySource& g) {
    if (g.idx.size() % 3 != 0) return false;
    const std::size_t count = g.vertexCount();
    return std::all_of(g.idx.begin(), g.idx.end(), [count](std::uint32_t i) { return i < count; });
}

GeometrySource boxStreams(float width, float height, float length) {
    struct Face {
        std::array<float, 3> normal, u, v;
    };
    // u × v = normal, so that corners in (−,−) (+,−) (+,+) (−,+) order wind counter-clockwise.
    static constexpr std::array<Face, 6> faces{{
        {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
        {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
        {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
    }};
    static constexpr std::array<std::array<float, 2>, 4> corners{{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}};
    const std::array<float, 3> half{width * 0.5f, height * 0.5f, length * 0.5f};

    GeometrySource g;
    for (const Face& f : faces) {
        const auto base = std::uint32_t(g.vertexCount());
        for (const auto& [su, sv] : corners) {
            for (int a = 0; a < 3; ++a)
                g.p.push_back((f.normal[a] + su * f.u[a] + sv * f.v[a]) * half[a]);
            g.p.push_back(0.0f);
            g.n.insert(g.n.end(), {f.normal[0], f.normal[1], f.normal[2], 0.0f});
            g.c.insert(g.c.end(), {1.0f, 1.0f, 1.0f, 1.0f});
            g.uv.insert(g.uv.end(), {(su + 1.0f) * 0.5f, (sv + 1.0f) * 0.5f});
        }
        g.idx.insert(g.idx.end(), {base, base + 1, base + 2, base, base + 2, base + 3});
    }
    return g;
}

} // namespace vesk::scene
