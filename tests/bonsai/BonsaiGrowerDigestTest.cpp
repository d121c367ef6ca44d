#include "TreeDigest.hpp"
#include "bonsai/BonsaiGrower.hpp"
#include "bonsai/Textures.hpp"
#include "bonsai/VoxelMesher.hpp"

#include <array>
#include <bit>
#include <gtest/gtest.h>
#include <thread>

namespace vesk::bonsai {
namespace {

void addFloats(testing::Digest& d, const std::vector<float>& floats) {
    d.add(floats.size());
    for (const float f : floats)
        d.add(std::bit_cast<std::uint32_t>(f));
}

void addMesh(testing::Digest& d, const MeshBuffers& b) {
    for (const auto* stream : {&b.p, &b.n, &b.c, &b.uv, &b.a0, &b.a1})
        addFloats(d, *stream);
    d.add(b.idx.size());
    for (const std::uint32_t i : b.idx)
        d.add(i);
}

void addCubes(testing::Digest& d, const std::vector<Cube>& cubes) {
    VoxelTree wrapped;
    wrapped.cubes = cubes;
    d.add(wrapped);
}

void addImage(testing::Digest& d, const Textures::Image& image) {
    d.add((std::uint64_t(std::uint32_t(image.width)) << 32) | std::uint32_t(image.height));
    for (std::size_t i = 0; i + 8 <= image.rgba.size(); i += 8) {
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < 8; ++k)
            word |= std::uint64_t(image.rgba[i + k]) << (8 * k);
        d.add(word);
    }
}

// Everything the renderers take from the generator for a few seeds and counts: the trees and
// their dioramas through the cache, every mesh built from them, and all four textures.
std::uint64_t geometryDigest() {
    testing::Digest d;
    for (const std::uint64_t seed :
         {std::uint64_t(0), std::uint64_t(1), std::uint64_t(42), std::uint64_t(0xDEADBEEFCAFEF00DULL)}) {
        BonsaiGrower grower;
        for (const std::int64_t n : {1, 25, 150, 1000, 3000}) {
            const BonsaiGrower::State state = grower.state(seed, n);
            const VoxelDiorama& diorama = *state.diorama;
            d.add(std::uint64_t(state.key));
            d.add(*state.tree);
            for (const auto* list : {&diorama.pot, &diorama.ground, &diorama.stand}) {
                addCubes(d, *list);
                addMesh(d, VoxelMesher::mesh(*list, diorama.staticGrid));
            }
            for (const std::int64_t v : {diorama.lo.x, diorama.lo.y, diorama.lo.z, diorama.hi.x, diorama.hi.y,
                                         diorama.hi.z, std::int64_t(diorama.floorY)})
                d.add(std::uint64_t(v));
            for (const float f : {diorama.sunDir.x, diorama.sunDir.y, diorama.sunDir.z})
                d.add(std::bit_cast<std::uint32_t>(f));
            for (const auto& [column, y] : diorama.top)
                d.add(std::uint64_t(column) ^ (std::uint64_t(y) << 1));

            VoxelGrid grid = diorama.staticGrid;
            for (const Cube& c : state.tree->cubes)
                grid.mark(c);
            addMesh(d, VoxelMesher::mesh(state.tree->cubes, grid));
            MeshBuffers animated;
            const std::size_t count = state.tree->cubes.size();
            for (std::size_t i = 0; i < count; i += 7) {
                const Cube& c = state.tree->cubes[i];
                VoxelMesher::appendAnimated(animated, c.x, c.y, c.z, c.color, float(i) * 0.7f / float(count));
            }
            addMesh(d, animated);
        }
    }
    addImage(d, Textures::block());
    addImage(d, Textures::spark());
    for (const Species& species : Species::all()) {
        addImage(d, Textures::sky(species.sky, normalize({-0.55f, 0.62f, 0.45f})));
        addImage(d, Textures::backdrop(species.sky));
    }
    return d.value();
}

// Checked in RelWithDebInfo and Debug builds. A change here means a mesh or an image changed.
constexpr std::uint64_t storedDigest = 0xF202BE38D4D0E79FULL;

TEST(BonsaiGrowerDigestTest, MeshesAndTexturesMatchTheStoredDigestOnEveryRunAndThread) {
    const std::uint64_t first = geometryDigest();
    std::array<std::uint64_t, 2> fromThreads{};
    std::array<std::thread, 2> threads;
    for (std::size_t i = 0; i < threads.size(); ++i)
        threads[i] = std::thread([&fromThreads, i] { fromThreads[i] = geometryDigest(); });
    for (auto& t : threads)
        t.join();
    for (const std::uint64_t d : fromThreads)
        EXPECT_EQ(d, first);
    EXPECT_EQ(first, storedDigest) << std::hex << "0x" << first;
}

} // namespace
} // namespace vesk::bonsai
