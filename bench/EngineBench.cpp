// What a show request costs on the worker, from seed and count to the meshes the main thread
// installs: the tree state from the blueprint cache (cold: a new cache; warm: the next count of
// a cached stage), meshing the tree against the diorama, the growth diff and its animated
// meshes, and the whole build.
#include "render/engine/CubeDiff.hpp"
#include "render/engine/EngineBuild.hpp"
#include "render/engine/EngineMesh.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace vesk;

constexpr std::uint64_t seed = 12345;

void BM_ShowStateCold(benchmark::State& state) {
    for (auto _ : state) {
        bonsai::BonsaiGrower grower;
        benchmark::DoNotOptimize(grower.state(seed, state.range(0)));
    }
}

void BM_ShowStateWarm(benchmark::State& state) {
    bonsai::BonsaiGrower grower;
    const std::int64_t n = state.range(0);
    std::int64_t step = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(grower.state(seed, n + (step++ & 1)));
}

void BM_ShowMesh(benchmark::State& state) {
    bonsai::BonsaiGrower grower;
    const auto s = grower.state(seed, state.range(0));
    for (auto _ : state) {
        bonsai::VoxelGrid grid = s.diorama->staticGrid;
        for (const bonsai::Cube& cube : s.tree->cubes)
            grid.mark(cube);
        benchmark::DoNotOptimize(meshTree(s.tree->cubes, grid));
    }
    state.counters["cubes"] = double(s.tree->cubes.size());
}

// Three cubes grown: the diff by cell, the sparks and the growing cubes' mesh.
void BM_ShowDiff(benchmark::State& state) {
    bonsai::BonsaiGrower grower;
    const std::int64_t n = state.range(0);
    const auto before = grower.state(seed, n - 3), after = grower.state(seed, n);
    const Framing frame(*after.diorama, {0.0f, 1.0f, 0.0f});
    for (auto _ : state) {
        const CubeDiff diff(before.tree->cubes, after.tree->cubes);
        const SparkPlan plan(diff, frame, {0.0f, 1.0f, 0.0f});
        benchmark::DoNotOptimize(plan);
        benchmark::DoNotOptimize(GrowthAnimation::animatedMesh(diff.added));
    }
}

// The whole build of a request: plain (arg 1 = 0) or animated from three cubes fewer (1).
void BM_ShowBuildWarm(benchmark::State& state) {
    BuildCaches caches;
    const std::int64_t n = state.range(0);
    const bool animated = state.range(1) != 0;
    std::int64_t step = 0;
    for (auto _ : state) {
        const std::int64_t count = n + (step++ & 1);
        const BuildRequest request{step,         seed,
                                   count,        animated ? std::optional(count - 3) : std::nullopt,
                                   std::nullopt, {0.0f, 1.0f, 0.0f}};
        benchmark::DoNotOptimize(buildTree(caches, request, [] { return true; }));
    }
}

#define COUNTS Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_ShowStateCold)->COUNTS;
BENCHMARK(BM_ShowStateWarm)->COUNTS;
BENCHMARK(BM_ShowMesh)->COUNTS;
BENCHMARK(BM_ShowDiff)->COUNTS;
BENCHMARK(BM_ShowBuildWarm)->ArgsProduct({{100, 1000, 10000, 100000}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace
