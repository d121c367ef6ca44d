#include "bonsai/VoxelMesher.hpp"

#include <array>
#include <gtest/gtest.h>
#include <map>
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

VoxelGrid gridOf(const std::vector<Cell>& cells, Int3 hi = {10, 10, 10}) {
    VoxelGrid grid({-10, -10, -10}, hi);
    for (auto [x, y, z] : cells)
        grid.mark(x, y, z);
    return grid;
}

// The shade of each +Y vertex of the cube at the origin, keyed by its corner's (x, z) side.
std::map<std::pair<float, float>, float> topShades(const std::vector<Cell>& cells) {
    MeshBuffers b;
    VoxelMesher::append(b, 0, 0, 0, {1, 1, 1}, gridOf(cells));
    std::map<std::pair<float, float>, float> shades;
    for (std::size_t v = 0; v < b.vertexCount(); ++v)
        if (at(b.n, v).y == 1.0f) shades[{at(b.p, v).x, at(b.p, v).z}] = b.c[v * 4];
    return shades;
}

TEST(VoxelMesherTest, SmallCases) {
    const std::vector<Cube> lone{{3, -2, 7, CubeKind::leaf, {0.5f, 0.25f, 1.0f}}};
    const MeshBuffers b = VoxelMesher::mesh(lone, gridOf({{3, -2, 7}}));
    EXPECT_EQ(b.vertexCount(), 24u);
    EXPECT_EQ(b.idx.size(), 36u);
    EXPECT_EQ(b.uv.size(), 48u);
    EXPECT_TRUE(b.a0.empty() && b.a1.empty());
    for (std::size_t v = 0; v < 24; ++v)
        EXPECT_EQ((std::array{b.c[v * 4], b.c[v * 4 + 1], b.c[v * 4 + 2], b.c[v * 4 + 3]}),
                  (std::array{0.5f, 0.25f, 1.0f, 1.0f}));

    // Side by side: the shared faces go and no corner darkens, since occlusion looks only at the
    // layer in front of a face.
    const std::vector<Cube> pair{{0, 0, 0, CubeKind::leaf, {1, 1, 1}}, {1, 0, 0, CubeKind::leaf, {1, 1, 1}}};
    const MeshBuffers two = VoxelMesher::mesh(pair, gridOf({{0, 0, 0}, {1, 0, 0}}));
    EXPECT_EQ(two.vertexCount(), 40u);
    for (std::size_t v = 0; v < two.vertexCount(); ++v)
        EXPECT_EQ(two.c[v * 4], 1.0f);

    using Shades = std::map<std::pair<float, float>, float>;
    // A cube diagonally above on the +x side darkens the two +x corners of the +Y face.
    EXPECT_EQ(
        topShades({{0, 0, 0}, {1, 1, 0}}),
        (Shades{
            {{-0.5f, -0.5f}, 1.0f}, {{-0.5f, 0.5f}, 1.0f}, {{0.5f, -0.5f}, 0.82f}, {{0.5f, 0.5f}, 0.82f}}));
    // Both sides taken: fully dark, even with the diagonal cell free.
    EXPECT_EQ((topShades({{0, 0, 0}, {1, 1, 0}, {0, 1, 1}})[{0.5f, 0.5f}]), 0.42f);
}

TEST(VoxelMesherTest, QuadIsCutAlongItsDarkerDiagonal) {
    // Only the cell diagonally in front of corner 0 of the +Y face is taken: l0 + l2 < l1 + l3, so
    // the +Y quad (the third face) is cut the other way; the other faces keep the first cut.
    MeshBuffers b;
    VoxelMesher::append(b, 0, 0, 0, {1, 1, 1}, gridOf({{-1, 1, -1}}));
    ASSERT_EQ(b.vertexCount(), 24u);
    for (std::uint32_t face = 0; face < 6; ++face) {
        const std::uint32_t q = face * 4;
        const std::vector<std::uint32_t> indices(b.idx.begin() + face * 6, b.idx.begin() + face * 6 + 6);
        const std::vector<std::uint32_t> expected =
            face == 2 ? std::vector<std::uint32_t>{q + 1, q + 2, q + 3, q + 1, q + 3, q}
                      : std::vector<std::uint32_t>{q, q + 1, q + 2, q, q + 2, q + 3};
        EXPECT_EQ(indices, expected) << face;
    }
}

// Random blobs: as many quads as a brute-force count of exposed faces; every corner's shade
// matches the occupancy in front of it, worked out from the vertex's own position; every
// triangle winds counter-clockwise seen from outside; a sparse grid gives the same buffers.
TEST(VoxelMesherTest, RandomBlobsMatchABruteForceCount) {
    std::mt19937 rng(20251209);
    for (int round = 0; round < 20; ++round) {
        std::set<Cell> cells;
        std::bernoulli_distribution fill(0.25 + 0.03 * round);
        for (int x = -4; x < 4; ++x)
            for (int y = -4; y < 4; ++y)
                for (int z = -4; z < 4; ++z)
                    if (fill(rng)) cells.insert({x, y, z});
        const std::vector<Cell> list(cells.begin(), cells.end());
        std::vector<Cube> cubes;
        for (auto [x, y, z] : list)
            cubes.push_back({x, y, z, CubeKind::leaf, {1, 1, 1}});
        const VoxelGrid grid = gridOf(list);
        const auto taken = [&](int x, int y, int z) { return int(cells.count({x, y, z})); };

        std::size_t exposed = 0;
        MeshBuffers b;
        for (const Cube& c : cubes) {
            const std::size_t first = b.vertexCount();
            VoxelMesher::append(b, c.x, c.y, c.z, c.color, grid);
            for (std::size_t v = first; v < b.vertexCount(); ++v) {
                const Vec3 p = at(b.p, v), n = at(b.n, v);
                // Twice the offset from the centre, less the normal, points at the corner.
                const int nx = int(n.x), ny = int(n.y), nz = int(n.z);
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
        const VoxelGrid sparse = gridOf(list, {1000, 1000, 1000});
        ASSERT_FALSE(sparse.isDense);
        EXPECT_EQ(b, VoxelMesher::mesh(cubes, sparse));

        for (std::size_t t = 0; t < b.idx.size(); t += 3) {
            const Vec3 p0 = at(b.p, b.idx[t]), p1 = at(b.p, b.idx[t + 1]), p2 = at(b.p, b.idx[t + 2]);
            // Unit right triangles: the winding's normal is the face's normal exactly.
            ASSERT_EQ(cross(p1 - p0, p2 - p0), at(b.n, b.idx[t])) << "triangle " << t / 3;
        }
    }
}

TEST(VoxelMesherTest, AnimatedCubeCarriesItsCentreAndStart) {
    MeshBuffers b;
    VoxelMesher::appendAnimated(b, 2, -3, 4, {0.3f, 0.6f, 0.9f}, 0.35f);
    VoxelMesher::appendAnimated(b, 0, 0, 0, {1, 1, 1}, 0.7f);
    ASSERT_EQ(b.vertexCount(), 48u);
    ASSERT_EQ(b.a0.size(), 96u);
    ASSERT_EQ(b.a1.size(), 96u);
    for (std::size_t v = 0; v < 24; ++v) {
        EXPECT_EQ((std::array{b.a0[v * 2], b.a0[v * 2 + 1], b.a1[v * 2], b.a1[v * 2 + 1]}),
                  (std::array{2.0f, -3.0f, 4.0f, 0.35f}));
        EXPECT_EQ(b.c[v * 4 + 1], 0.6f); // unshaded
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
