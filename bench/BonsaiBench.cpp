#include "bonsai/VoxelGrower.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

namespace VG = vesk::bonsai::VoxelGrower;

namespace {

constexpr int seedsPerStage = 20;

// One iteration designs the stage for 20 seeds; the counters give the median and worst seed.
void blueprintPerStage(benchmark::State& state) {
    const int stage = int(state.range(0));
    std::vector<double> ms;
    std::size_t cubes = 0;
    for (auto _ : state) {
        ms.clear();
        for (int seed = 0; seed < seedsPerStage; ++seed) {
            const auto start = std::chrono::steady_clock::now();
            const auto bp = VG::blueprint(std::uint64_t(seed) * 0x9E3779B97F4A7C15ULL + 1, stage);
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            cubes += bp.wood.size() + bp.crown.size();
            benchmark::DoNotOptimize(bp.crown.data());
        }
    }
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2.0;
    state.counters["max_ms"] = ms.back();
    state.counters["stage_size"] = double(VG::stageSize(stage));
    state.counters["blueprint_cubes"] = double(cubes) / double(state.iterations() * seedsPerStage);
}
BENCHMARK(blueprintPerStage)->DenseRange(0, 23)->Iterations(1)->Unit(benchmark::kMillisecond);

// Cutting a 200,000-cube tree out of its blueprint: sort plus one colour per cube.
void treeCut(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const auto bp = VG::blueprint(7, VG::stage(count));
    for (auto _ : state) {
        const auto tree = bp.tree(count);
        benchmark::DoNotOptimize(tree.cubes.data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(treeCut)->Arg(3000)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// A stress-test tree from nothing: the blueprint of its stage, then the cut.
void grow200k(benchmark::State& state) {
    std::uint64_t seed = 1;
    for (auto _ : state) {
        const auto tree = VG::blueprint(seed++, VG::stage(200000)).tree(200000);
        benchmark::DoNotOptimize(tree.cubes.data());
    }
}
BENCHMARK(grow200k)->Iterations(3)->Unit(benchmark::kMillisecond);

// The fallback of exactly n cubes.
void classic(benchmark::State& state) {
    std::uint64_t seed = 1;
    for (auto _ : state) {
        const auto tree = VG::classic(seed++, state.range(0));
        benchmark::DoNotOptimize(tree.cubes.data());
    }
}
BENCHMARK(classic)->Arg(50)->Arg(3000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace
