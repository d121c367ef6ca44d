// One garden thumbnail (240 × 200) from seed to pixels: the cached tree state, meshing and
// the offscreen frame. The first render of a seed also builds its blueprint and sky.
#include "render/thumbs/BonsaiThumbnails.hpp"
#include "render/thumbs/ThumbnailRenderer.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void BM_ThumbnailOfAGrownTree(benchmark::State& state) {
    setenv("EGL_PLATFORM", "surfaceless", 0);
    vesk::ThumbnailRenderer renderer;
    const std::int64_t n = state.range(0);
    if (!renderer.render(12345, n, vesk::BonsaiThumbnails::width, vesk::BonsaiThumbnails::height)) {
        state.SkipWithError("no headless GL");
        return;
    }
    for (auto _ : state) {
        auto image = renderer.render(12345, n, vesk::BonsaiThumbnails::width, vesk::BonsaiThumbnails::height);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_ThumbnailOfAGrownTree)->Arg(300)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

} // namespace
