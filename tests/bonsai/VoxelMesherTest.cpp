#include "bonsai/VoxelMesher.hpp"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <tuple>
#include <vector>

namespace vesk::bonsai {
namespace {

using Cell = std::tuple<int, int, int>;

Vec3 at(const std::vector<float>& stream, std::size_t vertex) {
    return {stream[vertex * 4], stream[vertex * 4 + 1], stream[vertex * 4 + 2]};
}

Cube cube(int x, int y, int z, Vec3 color = {0.5f, 0.25f, 1.0f}) {
    return Cube{x, y, z, CubeKind::leaf, color};
}

VoxelGrid gridOf(const std::vector<Cube>& cubes, Int3 lo = {-10, -10, -10}, Int3 hi = {10, 10, 10}) {
    VoxelGrid grid(lo, hi);
    for (const Cube& c : cubes)
        grid.mark(c);
    return grid;
}

// The brightness factor of every vertex of the buffers, from its colour's red channel.
std::vector<float> shades(const MeshBuffers& b, float red) {
    std::vector<float> out;
    for (std::size_t v = 0; v < b.vertexCount(); ++v)
        out.push_back(b.c[v * 4] / red);
    return out;
}

TEST(VoxelMesherTest, LoneCubeHasSixOpenFacesInItsOwnColour) {
    const std::vector<Cube> cubes{cube(3, -2, 7)};
    const MeshBuffers b = VoxelMesher::mesh(cubes, gridOf(cubes));
    EXPECT_EQ(b.vertexCount(), 24u);
    EXPECT_EQ(b.idx.size(), 36u);
    EXPECT_EQ(b.p.size(), 24u * 4);
    EXPECT_EQ(b.n.size(), 24u * 4);
    EXPECT_EQ(b.c.size(), 24u * 4);
    EXPECT_EQ(b.uv.size(), 24u * 2);
    EXPECT_TRUE(b.a0.empty());
    EXPECT_TRUE(b.a1.empty());
    for (std::size_t v = 0; v < 24; ++v) {
        EXPECT_EQ(b.c[v * 4], 0.5f);
        EXPECT_EQ(b.c[v * 4 + 1], 0.25f);
        EXPECT_EQ(b.c[v * 4 + 2], 1.0f);
        EXPECT_EQ(b.c[v * 4 + 3], 1.0f);
        EXPECT_EQ(b.p[v * 4 + 3], 0.0f);
        const Vec3 p = at(b.p, v);
        EXPECT_EQ(std::abs(p.x - 3.0f), 0.5f);
        EXPECT_EQ(std::abs(p.y + 2.0f), 0.5f);
        EXPECT_EQ(std::abs(p.z - 7.0f), 0.5f);
    }
    // Texture coordinates run over the unit square in corner order.
    EXPECT_EQ((std::vector<float>(b.uv.begin(), b.uv.begin() + 8)),
              (std::vector<float>{0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f}));
}

TEST(VoxelMesherTest, OcclusionLooksOnlyAtTheLayerInFrontOfAFace) {
    // Side by side: the shared faces go, and no corner darkens.
    const std::vector<Cube> pair{cube(0, 0, 0), cube(1, 0, 0)};
    const MeshBuffers b = VoxelMesher::mesh(pair, gridOf(pair));
    EXPECT_EQ(b.vertexCount(), 40u);
    for (float s : shades(b, 0.5f))
        EXPECT_EQ(s, 1.0f);

    // A cube diagonally above on the +x side darkens the two +x corners of the first +Y face.
    const std::vector<Cube> step{cube(0, 0, 0), cube(1, 1, 0)};
    MeshBuffers first;
    VoxelMesher::append(first, 0, 0, 0, {1, 1, 1}, gridOf(step));
    ASSERT_EQ(first.vertexCount(), 24u);
    int darkened = 0;
    for (std::size_t v = 0; v < 24; ++v) {
        const Vec3 p = at(first.p, v), n = at(first.n, v);
        if (n.y != 1.0f) continue;
        EXPECT_EQ(first.c[v * 4], p.x == 0.5f ? 0.82f : 1.0f) << v;
        darkened += p.x == 0.5f;
    }
    EXPECT_EQ(darkened, 2);
}

TEST(VoxelMesherTest, CornerBetweenTwoOccupiedSidesIsFullyDark) {
    // In front of the +Y face, the cells at +x and +z are taken but the diagonal one is free.
    const std::vector<Cube> cubes{cube(0, 0, 0), cube(1, 1, 0), cube(0, 1, 1)};
    MeshBuffers b;
    VoxelMesher::append(b, 0, 0, 0, {1, 1, 1}, gridOf(cubes));
    bool found = false;
    for (std::size_t v = 0; v < b.vertexCount(); ++v) {
        const Vec3 p = at(b.p, v), n = at(b.n, v);
        if (n.y == 1.0f && p.x == 0.5f && p.z == 0.5f) {
            EXPECT_EQ(b.c[v * 4], 0.42f);
            found = true;
        }
    }
    EXPECT_TRUE(found);
}

TEST(VoxelMesherTest, QuadIsCutAlongItsDarkerDiagonal) {
    // Only the cell diagonally in front of corner 0 of the +Y face is taken: that corner is at
    // level 2, so l0 + l2 < l1 + l3 and the +Y quad (the third face) is cut the other way.
    const VoxelGrid grid = gridOf({cube(-1, 1, -1)});
    MeshBuffers b;
    VoxelMesher::append(b, 0, 0, 0, {1, 1, 1}, grid);
    ASSERT_EQ(b.vertexCount(), 24u);
    for (std::uint32_t face = 0; face < 6; ++face) {
        const std::uint32_t q = face * 4;
        const std::vector<std::uint32_t> indices(b.idx.begin() + face * 6, b.idx.begin() + face * 6 + 6);
        if (face == 2) {
            EXPECT_EQ(b.c[q * 4], 0.82f);
            EXPECT_EQ(indices, (std::vector<std::uint32_t>{q + 1, q + 2, q + 3, q + 1, q + 3, q}));
        } else {
            EXPECT_EQ(indices, (std::vector<std::uint32_t>{q, q + 1, q + 2, q, q + 2, q + 3})) << face;
        }
    }
}

// Random blobs: the number of quads equals the exposed faces counted by brute force; every
// triangle faces out; every corner's shade matches the occupancy in front of it, worked out
// from the vertex's own position.
TEST(VoxelMesherTest, RandomBlobsMatchABruteForceCount) {
    std::mt19937 rng(20251209);
    for (int round = 0; round < 20; ++round) {
        std::set<Cell> cells;
        std::bernoulli_distribution fill(0.25 + 0.03 * round);
        for (int x = -4; x < 4; ++x)
            for (int y = -4; y < 4; ++y)
                for (int z = -4; z < 4; ++z)
                    if (fill(rng)) cells.insert({x, y, z});
        std::vector<Cube> cubes;
        for (auto [x, y, z] : cells)
            cubes.push_back(cube(x, y, z, {1, 1, 1}));
        const VoxelGrid grid = gridOf(cubes);
        const auto taken = [&](int x, int y, int z) { return cells.count({x, y, z}) > 0; };

        std::size_t exposed = 0;
        MeshBuffers b;
        for (const Cube& c : cubes) {
            const std::size_t first = b.vertexCount();
            VoxelMesher::append(b, c.x, c.y, c.z, c.color, grid);
            for (std::size_t v = first; v < b.vertexCount(); ++v) {
                const Vec3 p = at(b.p, v), n = at(b.n, v);
                const int nx = int(n.x), ny = int(n.y), nz = int(n.z);
                // Twice the offset from the centre, less the normal, points at the corner.
                const int dx = int(2.0f * (p.x - float(c.x))) - nx, dy = int(2.0f * (p.y - float(c.y))) - ny,
                          dz = int(2.0f * (p.z - float(c.z))) - nz;
                const int fx = c.x + nx, fy = c.y + ny, fz = c.z + nz;
                std::vector<int> sides;
                if (dx != 0) sides.push_back(taken(fx + dx, fy, fz));
                if (dy != 0) sides.push_back(taken(fx, fy + dy, fz));
                if (dz != 0) sides.push_back(taken(fx, fy, fz + dz));
                ASSERT_EQ(sides.size(), 2u);
                const int k = taken(fx + dx, fy + dy, fz + dz);
                const int level = sides[0] && sides[1] ? 0 : 3 - (sides[0] + sides[1] + k);
                ASSERT_EQ(b.c[v * 4], VoxelMesher::occlusionFactors[level]);
            }
            for (auto [dx, dy, dz] :
                 std::array<Cell, 6>{{{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}})
                exposed += !taken(c.x + dx, c.y + dy, c.z + dz);
        }
        EXPECT_EQ(b.vertexCount(), exposed * 4);
        EXPECT_EQ(b.idx.size(), exposed * 6);
        EXPECT_EQ(b, VoxelMesher::mesh(cubes, grid));

        for (std::size_t t = 0; t < b.idx.size(); t += 3) {
            const Vec3 p0 = at(b.p, b.idx[t]), p1 = at(b.p, b.idx[t + 1]), p2 = at(b.p, b.idx[t + 2]);
            const Vec3 facing = cross(p1 - p0, p2 - p0);
            // Unit right triangles: the winding's normal is the face's normal exactly.
            ASSERT_EQ(facing, at(b.n, b.idx[t])) << "triangle " << t / 3;
        }
    }
}

TEST(VoxelMesherTest, SparseGridGivesTheSameBuffersAsDense) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> coord(-6, 6);
    std::vector<Cube> cubes;
    for (int i = 0; i < 600; ++i)
        cubes.push_back(cube(coord(rng), coord(rng), coord(rng)));
    const VoxelGrid dense = gridOf(cubes, {-6, -6, -6}, {6, 6, 6});
    const VoxelGrid sparse = gridOf(cubes, {-6, -6, -6}, {1000, 1000, 1000});
    ASSERT_TRUE(dense.isDense);
    ASSERT_FALSE(sparse.isDense);
    EXPECT_EQ(VoxelMesher::mesh(cubes, dense), VoxelMesher::mesh(cubes, sparse));
}

TEST(VoxelMesherTest, AnimatedCubeCarriesItsCentreAndStart) {
    MeshBuffers b;
    VoxelMesher::appendAnimated(b, 2, -3, 4, {0.3f, 0.6f, 0.9f}, 0.35f);
    VoxelMesher::appendAnimated(b, 0, 0, 0, {1, 1, 1}, 0.7f);
    ASSERT_EQ(b.vertexCount(), 48u);
    ASSERT_EQ(b.a0.size(), 48u * 2);
    ASSERT_EQ(b.a1.size(), 48u * 2);
    ASSERT_EQ(b.idx.size(), 72u);
    for (std::size_t v = 0; v < 24; ++v) {
        EXPECT_EQ(b.a0[v * 2], 2.0f);
        EXPECT_EQ(b.a0[v * 2 + 1], -3.0f);
        EXPECT_EQ(b.a1[v * 2], 4.0f);
        EXPECT_EQ(b.a1[v * 2 + 1], 0.35f);
        EXPECT_EQ(b.c[v * 4 + 1], 0.6f);
    }
    EXPECT_EQ(b.a1[24 * 2 + 1], 0.7f);
    // The second cube's indices continue after the first's 24 vertices.
    EXPECT_EQ((std::vector<std::uint32_t>(b.idx.begin() + 36, b.idx.begin() + 42)),
              (std::vector<std::uint32_t>{24, 25, 26, 24, 26, 27}));
    for (std::size_t t = 0; t < b.idx.size(); t += 3) {
        const Vec3 p0 = at(b.p, b.idx[t]), p1 = at(b.p, b.idx[t + 1]), p2 = at(b.p, b.idx[t + 2]);
        ASSERT_EQ(cross(p1 - p0, p2 - p0), at(b.n, b.idx[t]));
    }
}

} // namespace
} // namespace vesk::bonsai
