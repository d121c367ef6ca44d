#include "../tests/render/TestScenes.hpp"
#include "bonsai/RNG.hpp"
#include "render/gl/OffscreenRenderer.hpp"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace vesk;

// About 3,000 cubes: a ragged crown of leaves over a trunk and a ground slab; the gaps keep
// many inner faces visible after the mesher drops the hidden ones.
std::vector<bonsai::Cube> treeOfAbout3000Cubes() {
    bonsai::RNG rng(7);
    std::vector<bonsai::Cube> cubes;
    auto add = [&](int x, int y, int z, scene::Vec3 color) {
        cubes.push_back(scene::testing::cube(x, y, z, color));
    };
    for (int x = -9; x <= 9; ++x)
        for (int z = -9; z <= 9; ++z)
            add(x, -1, z, {0.18f, 0.12f, 0.07f});
    for (int y = 0; y < 10; ++y)
        for (int x = -1; x <= 1; ++x)
            add(x, y, 0, {0.35f, 0.2f, 0.1f});
    for (int x = -10; x <= 10; ++x)
        for (int y = 8; y <= 20; ++y)
            for (int z = -10; z <= 10; ++z) {
                const int dy = y - 14;
                if (x * x + dy * dy * 2 + z * z <= 100 && rng.chance(0.88f))
                    add(x, y, z, {0.1f + 0.1f * rng.range(0.0f, 1.0f), 0.45f, 0.1f});
            }
    return cubes;
}

struct Fixture {
    std::unique_ptr<gl::OffscreenRenderer> renderer;
    std::unique_ptr<scene::testing::VoxelScene> scene;
    std::size_t cubes = 0;
};

Fixture& fixture() {
    static Fixture f = [] {
        Fixture made;
        std::string log;
        made.renderer = gl::OffscreenRenderer::make(log);
        const auto cubes = treeOfAbout3000Cubes();
        made.cubes = cubes.size();
        made.scene = scene::testing::makeVoxelScene(cubes);
        return made;
    }();
    return f;
}

// One frame of the live view's pipeline (shadow map, 4× multisampled HDR, ambient occlusion,
// bloom, composite) read back to pixels, as a thumbnail or a developer frame costs.
void BM_OffscreenFrame(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.renderer) {
        state.SkipWithError("no headless GL");
        return;
    }
    const int side = int(state.range(0));
    double time = 0.0;
    f.renderer->render(f.scene->scene, *f.scene->camera, side, side, time); // uploads, targets
    for (auto _ : state) {
        const gl::Frame frame =
            f.renderer->render(f.scene->scene, *f.scene->camera, side, side, time += 1.0 / 60.0);
        benchmark::DoNotOptimize(frame.rgba.data());
    }
    state.counters["cubes"] = double(f.cubes);
    state.counters["triangles"] = double(f.scene->cubes->geometry->triangleCount());
}
BENCHMARK(BM_OffscreenFrame)->Arg(160)->Arg(1080)->Unit(benchmark::kMillisecond);

} // namespace
