// One frame of the animation manager's work: how many moving values fit comfortably into a
// 60 Hz frame, and what the tarnel's outline costs to rebuild while its radii animate.
#include "shell/anim/AnimatedScalar.hpp"
#include "shell/theme/NotchShape.hpp"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

using vesk::AnimatedScalar;
using vesk::Animation;

void advanceFrames(benchmark::State& state, const Animation& animation, bool retargetMidway) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::vector<AnimatedScalar> values(count);
    double now = 0;
    auto restart = [&] {
        for (std::size_t i = 0; i < count; ++i)
            values[i].animate(100.0 + static_cast<double>(i), animation, now);
    };
    restart();
    int frame = 0;
    for (auto _ : state) {
        now += 1.0 / 60.0;
        if (retargetMidway && frame % 6 == 3)
            for (auto& value : values)
                value.animate(value.target() + 10, animation, now);
        for (auto& value : values)
            benchmark::DoNotOptimize(value.advance(now));
        if (++frame % 60 == 0) restart();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SpringFrame(benchmark::State& state) {
    advanceFrames(state, Animation::tarnelOpen, false);
}
void BM_BlendedSpringFrame(benchmark::State& state) {
    advanceFrames(state, Animation::tarnel, true);
}
void BM_TimedFrame(benchmark::State& state) {
    advanceFrames(state, Animation::easeInOut(0.9), false);
}

void BM_NotchPath(benchmark::State& state) {
    double radius = 14;
    for (auto _ : state) {
        radius = radius > 24 ? 14 : radius + 0.1;
        benchmark::DoNotOptimize(vesk::NotchShape{radius, radius - 8}.path(QRectF(330, 0, 440, 470)));
    }
}

} // namespace

BENCHMARK(BM_SpringFrame)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_BlendedSpringFrame)->Arg(10)->Arg(100)->Arg(1000);
BENCHMARK(BM_TimedFrame)->Arg(100);
BENCHMARK(BM_NotchPath);
