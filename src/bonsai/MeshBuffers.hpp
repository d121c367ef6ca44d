#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vesk::bonsai {

// Vertex streams of a cube mesh, laid out as the GPU takes them: each stream is a flat float
// array, one vector per vertex; 3- and 4-component vectors take 16 bytes (a 3-vector is padded
// with a zero), 2-component ones 8 bytes. Triangles are three 32-bit indices each.
struct MeshBuffers {
    static constexpr std::size_t vec3Floats = 4;
    static constexpr std::size_t vec4Floats = 4;
    static constexpr std::size_t vec2Floats = 2;
    static constexpr std::size_t vec3StrideBytes = vec3Floats * sizeof(float);
    static constexpr std::size_t vec4StrideBytes = vec4Floats * sizeof(float);
    static constexpr std::size_t vec2StrideBytes = vec2Floats * sizeof(float);

    std::vector<float> p;  // positions (x, y, z, 0)
    std::vector<float> n;  // normals (x, y, z, 0)
    std::vector<float> c;  // linear RGBA colours
    std::vector<float> uv; // face texture coordinates
    // Growth animation, filled only for animated cubes: a0 = the cube's centre (x, y),
    // a1 = (centre z, start time of its growth).
    std::vector<float> a0;
    std::vector<float> a1;
    std::vector<std::uint32_t> idx;

    std::size_t vertexCount() const { return p.size() / vec3Floats; }
    std::size_t triangleCount() const { return idx.size() / 3; }
    bool empty() const { return idx.empty(); }
    bool animated() const { return !a0.empty(); }

    void reserve(std::size_t vertices, std::size_t indices, bool withAnimation) {
        p.reserve(vertices * vec3Floats);
        n.reserve(vertices * vec3Floats);
        c.reserve(vertices * vec4Floats);
        uv.reserve(vertices * vec2Floats);
        if (withAnimation) {
            a0.reserve(vertices * vec2Floats);
            a1.reserve(vertices * vec2Floats);
        }
        idx.reserve(indices);
    }

    friend bool operator==(const MeshBuffers&, const MeshBuffers&) = default;
};

} // namespace vesk::bonsai
