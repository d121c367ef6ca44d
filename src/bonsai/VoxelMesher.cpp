#include "bonsai/VoxelMesher.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace vesk::bonsai::VoxelMesher {

namespace {

struct Step {
    int x, y, z;
};

constexpr Step operator+(Step a, Step b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
constexpr Step operator*(int s, Step a) {
    return {s * a.x, s * a.y, s * a.z};
}

// The six faces: normal and the in-plane axes u and v with u × v = normal.
struct FaceAxes {
    Step normal, u, v;
};
constexpr FaceAxes faceAxes[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
};
// (su, sv) of the four corners, counter-clockwise seen from outside.
constexpr int cornerSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};

struct Corner {
    int side1, side2, diagonal; // neighbourhood bits of the cells in front of the corner
    float offset[3];            // from the cube's centre
    float uv[2];
};
struct Face {
    int neighbour;
    float normal[3];
    Corner corners[4];
};

constexpr int bitOf(Step s) {
    return neighbourBit(s.x, s.y, s.z);
}

constexpr std::array<Face, 6> buildFaces() {
    std::array<Face, 6> faces{};
    for (int f = 0; f < 6; ++f) {
        const FaceAxes& a = faceAxes[f];
        Face& face = faces[std::size_t(f)];
        face.neighbour = bitOf(a.normal);
        face.normal[0] = float(a.normal.x);
        face.normal[1] = float(a.normal.y);
        face.normal[2] = float(a.normal.z);
        for (int k = 0; k < 4; ++k) {
            const int su = cornerSigns[k][0], sv = cornerSigns[k][1];
            const Step side1 = a.normal + su * a.u, side2 = a.normal + sv * a.v;
            const Step corner = su * a.u + a.normal + sv * a.v;
            Corner& c = face.corners[k];
            c.side1 = bitOf(side1);
            c.side2 = bitOf(side2);
            c.diagonal = bitOf(corner);
            c.offset[0] = float(corner.x) * 0.5f;
            c.offset[1] = float(corner.y) * 0.5f;
            c.offset[2] = float(corner.z) * 0.5f;
            c.uv[0] = float(su + 1) / 2.0f;
            c.uv[1] = float(sv + 1) / 2.0f;
        }
    }
    return faces;
}
constexpr std::array<Face, 6> faces = buildFaces();

// Occlusion level by (side1, side2, diagonal) occupancy bits: 0 when both sides are taken,
// else 3 less the number of taken cells. A table, since occupancy is unpredictable for a branch.
constexpr int levelByCells[8] = {3, 2, 2, 0, 2, 1, 1, 0};

int occlusionLevel(std::uint32_t around, const Corner& corner) {
    const std::uint32_t cells = ((around >> corner.side1) & 1u) | (((around >> corner.side2) & 1u) << 1) |
                                (((around >> corner.diagonal) & 1u) << 2);
    return levelByCells[cells];
}

// Where the next vertices and indices go. The streams are sized up front, so that the hot loop
// writes through plain pointers.
struct Cursor {
    float* p;
    float* n;
    float* c;
    float* uv;
    float* a0; // null unless animated
    float* a1;
    std::uint32_t* idx;
    std::uint32_t vertex; // index of the next vertex
};

Cursor grow(MeshBuffers& b, std::size_t faces, bool animated) {
    const std::size_t vertices = b.vertexCount(), indices = b.idx.size();
    const std::size_t added = faces * 4;
    b.p.resize((vertices + added) * MeshBuffers::vec3Floats);
    b.n.resize((vertices + added) * MeshBuffers::vec3Floats);
    b.c.resize((vertices + added) * MeshBuffers::vec4Floats);
    b.uv.resize((vertices + added) * MeshBuffers::vec2Floats);
    b.idx.resize(indices + faces * 6);
    Cursor at{b.p.data() + vertices * MeshBuffers::vec3Floats,
              b.n.data() + vertices * MeshBuffers::vec3Floats,
              b.c.data() + vertices * MeshBuffers::vec4Floats,
              b.uv.data() + vertices * MeshBuffers::vec2Floats,
              nullptr,
              nullptr,
              b.idx.data() + indices,
              std::uint32_t(vertices)};
    if (animated) {
        b.a0.resize((vertices + added) * MeshBuffers::vec2Floats);
        b.a1.resize((vertices + added) * MeshBuffers::vec2Floats);
        at.a0 = b.a0.data() + vertices * MeshBuffers::vec2Floats;
        at.a1 = b.a1.data() + vertices * MeshBuffers::vec2Floats;
    }
    return at;
}

void writeVertex(Cursor& at, float cx, float cy, float cz, const Face& face, const Corner& corner, Vec3 color,
                 float shade) {
    at.p[0] = cx + corner.offset[0];
    at.p[1] = cy + corner.offset[1];
    at.p[2] = cz + corner.offset[2];
    at.p[3] = 0.0f;
    at.n[0] = face.normal[0];
    at.n[1] = face.normal[1];
    at.n[2] = face.normal[2];
    at.n[3] = 0.0f;
    at.c[0] = color.x * shade;
    at.c[1] = color.y * shade;
    at.c[2] = color.z * shade;
    at.c[3] = 1.0f;
    at.uv[0] = corner.uv[0];
    at.uv[1] = corner.uv[1];
    at.p += 4;
    at.n += 4;
    at.c += 4;
    at.uv += 2;
}

void writeQuad(Cursor& at, bool flipped) {
    const std::uint32_t q = at.vertex;
    const std::uint32_t cut[2][6] = {{q, q + 1, q + 2, q, q + 2, q + 3},
                                     {q + 1, q + 2, q + 3, q + 1, q + 3, q}};
    std::copy(cut[flipped], cut[flipped] + 6, at.idx);
    at.idx += 6;
    at.vertex += 4;
}

// Neighbourhood bits of the six face neighbours.
constexpr std::uint32_t faceNeighbours = [] {
    std::uint32_t mask = 0;
    for (const Face& face : faces)
        mask |= 1u << face.neighbour;
    return mask;
}();

std::size_t visibleFaces(std::uint32_t around) {
    return 6 - std::size_t(std::popcount(around & faceNeighbours));
}

void writeVisibleFaces(Cursor& at, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color,
                       std::uint32_t around) {
    const float cx = float(x), cy = float(y), cz = float(z);
    for (const Face& face : faces) {
        if ((around >> face.neighbour) & 1u) continue;
        int level[4];
        for (int k = 0; k < 4; ++k) {
            level[k] = occlusionLevel(around, face.corners[k]);
            writeVertex(at, cx, cy, cz, face, face.corners[k], color, occlusionFactors[level[k]]);
        }
        // Cut the quad along the diagonal whose ends are darker, so that the shading runs
        // smoothly instead of creasing across the brighter corners.
        writeQuad(at, level[0] + level[2] < level[1] + level[3]);
    }
}

} // namespace

MeshBuffers mesh(std::span<const Cube> cubes, const VoxelGrid& grid) {
    // One pass to learn which faces show, so that the streams grow once.
    std::vector<std::uint32_t> around(cubes.size());
    std::size_t faceCount = 0;
    for (std::size_t i = 0; i < cubes.size(); ++i) {
        around[i] = grid.neighbourhood(cubes[i].x, cubes[i].y, cubes[i].z);
        faceCount += visibleFaces(around[i]);
    }
    MeshBuffers buffers;
    Cursor at = grow(buffers, faceCount, false);
    for (std::size_t i = 0; i < cubes.size(); ++i)
        writeVisibleFaces(at, cubes[i].x, cubes[i].y, cubes[i].z, cubes[i].color, around[i]);
    return buffers;
}

void append(MeshBuffers& buffers, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color,
            const VoxelGrid& grid) {
    const std::uint32_t around = grid.neighbourhood(x, y, z);
    Cursor at = grow(buffers, visibleFaces(around), false);
    writeVisibleFaces(at, x, y, z, color, around);
}

void appendAnimated(MeshBuffers& buffers, std::int32_t x, std::int32_t y, std::int32_t z, Vec3 color,
                    float start) {
    Cursor at = grow(buffers, 6, true);
    const float cx = float(x), cy = float(y), cz = float(z);
    for (const Face& face : faces) {
        for (const Corner& corner : face.corners) {
            writeVertex(at, cx, cy, cz, face, corner, color, 1.0f);
            at.a0[0] = cx;
            at.a0[1] = cy;
            at.a1[0] = cz;
            at.a1[1] = start;
            at.a0 += 2;
            at.a1 += 2;
        }
        writeQuad(at, false);
    }
}

} // namespace vesk::bonsai::VoxelMesher
