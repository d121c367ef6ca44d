#include "bonsai/BonsaiGrower.hpp"
#include "bonsai/Textures.hpp"
#include "bonsai/VoxelDiorama.hpp"
#include "bonsai/VoxelGrower.hpp"
#include "bonsai/VoxelMesher.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace vesk::bonsai;

constexpr std::uint64_t seed = 0x7A11BEEF;

// The tree of `seed` at n cubes and the grid the renderer meshes it against.
struct Scene {
    BonsaiGrower::State state;
    VoxelGrid grid;
};

Scene sceneAt(std::int64_t n) {
    BonsaiGrower grower;
    Scene scene{grower.state(seed, n), {}};
    scene.grid = scene.state.diorama->staticGrid;
    for (const Cube& c : scene.state.tree->cubes)
        scene.grid.mark(c);
    return scene;
}

// The tree and its whole diorama meshed, as a build of the live view does.
void BM_MesherVerticesPerSecond(benchmark::State& bench) {
    const Scene scene = sceneAt(bench.range(0));
    const VoxelDiorama& d = *scene.state.diorama;
    std::size_t vertices = 0;
    for (auto _ : bench) {
        const MeshBuffers tree = VoxelMesher::mesh(scene.state.tree->cubes, scene.grid);
        const MeshBuffers pot = VoxelMesher::mesh(d.pot, d.staticGrid);
        const MeshBuffers ground = VoxelMesher::mesh(d.ground, d.staticGrid);
        const MeshBuffers stand = VoxelMesher::mesh(d.stand, d.staticGrid);
        vertices += tree.vertexCount() + pot.vertexCount() + ground.vertexCount() + stand.vertexCount();
        benchmark::DoNotOptimize(tree.idx.data());
    }
    bench.counters["vertices/s"] = benchmark::Counter(double(vertices), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MesherVerticesPerSecond)->Arg(3000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_AnimatedVerticesPerSecond(benchmark::State& bench) {
    const Scene scene = sceneAt(3000);
    std::size_t vertices = 0;
    for (auto _ : bench) {
        MeshBuffers b;
        b.reserve(scene.state.tree->cubes.size() * 24, scene.state.tree->cubes.size() * 36, true);
        for (const Cube& c : scene.state.tree->cubes)
            VoxelMesher::appendAnimated(b, c.x, c.y, c.z, c.color, 0.5f);
        vertices += b.vertexCount();
        benchmark::DoNotOptimize(b.idx.data());
    }
    bench.counters["vertices/s"] = benchmark::Counter(double(vertices), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnimatedVerticesPerSecond)->Unit(benchmark::kMillisecond);

void BM_Diorama(benchmark::State& bench) {
    const VoxelTree tree = *sceneAt(bench.range(0)).state.tree;
    for (auto _ : bench) {
        const VoxelDiorama diorama(tree);
        benchmark::DoNotOptimize(diorama.pot.data());
    }
}
BENCHMARK(BM_Diorama)->Arg(150)->Arg(3000)->Arg(20000)->Unit(benchmark::kMillisecond);

// A tree growing by one cube within a cached stage: what each reveal step of the live view asks.
void BM_CachedStateNextCube(benchmark::State& bench) {
    const std::int64_t n = bench.range(0);
    BonsaiGrower grower;
    grower.state(seed, n);
    std::int64_t k = 0;
    for (auto _ : bench) {
        const BonsaiGrower::State state = grower.state(seed, n + 1 + (k++ & 1));
        benchmark::DoNotOptimize(state.tree.get());
    }
}
BENCHMARK(BM_CachedStateNextCube)->Arg(3000)->Unit(benchmark::kMillisecond);

void BM_Sky(benchmark::State& bench) {
    const Sky& palette = Species::pine().sky;
    for (auto _ : bench) {
        const Textures::Image image = Textures::sky(palette, normalize({-0.55f, 0.62f, 0.45f}));
        benchmark::DoNotOptimize(image.rgba.data());
    }
}
BENCHMARK(BM_Sky)->Unit(benchmark::kMillisecond);

void BM_Backdrop(benchmark::State& bench) {
    const Sky& palette = Species::pine().sky;
    for (auto _ : bench) {
        const Textures::Image image = Textures::backdrop(palette);
        benchmark::DoNotOptimize(image.rgba.data());
    }
}
BENCHMARK(BM_Backdrop)->Unit(benchmark::kMillisecond);

} // namespace
