// One frame of the bonsai tab's live view at its size in the open tarnel (378 × 316), of the
// engine's own scene with a 3,000-cube tree, read back to pixels as the view shows it. Run it
// on the machine's headless GL: on Mesa's software rasteriser the full pipeline is what keeps
// an open tab busy, so the variants take one setting away at a time, down to the light one.
#include "render/engine/BonsaiEngine.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"
#include "support/FakeMainQueue.hpp"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace vesk;

constexpr int viewWidth = 378, viewHeight = 316;

struct Fixture {
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
    BonsaiEngine engine{queue, {}, [](std::function<void()> job) { job(); }};
    std::unique_ptr<gl::OffscreenRenderer> renderer;

    Fixture() {
        std::string log;
        renderer = gl::OffscreenRenderer::make(log);
        engine.show(12345, 3000);
        queue.runDue();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

gl::RenderQuality variant(std::int64_t index) {
    gl::RenderQuality q = gl::RenderQuality::full();
    switch (index) {
    case 1:
        q.maxSamples = 0;
        break;
    case 2:
        q.ambientOcclusion = false;
        break;
    case 3:
        q.maxShadowMapSize = 1024;
        break;
    case 4:
        q = gl::RenderQuality::light();
        break;
    default:
        break;
    }
    return q;
}

// 0 full, 1 without multisampling, 2 without ambient occlusion, 3 with a 1024² shadow map,
// 4 light (all three).
void BM_TabViewFrame(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.renderer) {
        state.SkipWithError("no headless GL");
        return;
    }
    gl::SceneRenderer& scene = f.renderer->sceneRenderer();
    scene.setQuality(variant(state.range(0)));
    double time = 0.0;
    const scene::Node& camera = *f.engine.cameraNode();
    f.renderer->render(f.engine.scene(), camera, viewWidth, viewHeight, time); // targets
    for (auto _ : state) {
        time += 1.0 / 60.0;
        f.engine.scene().update(time);
        const gl::Frame frame = f.renderer->render(f.engine.scene(), camera, viewWidth, viewHeight, time);
        benchmark::DoNotOptimize(frame.rgba.data());
    }
    state.SetLabel(scene.rendererName());
    state.counters["samples"] = scene.samples();
}
BENCHMARK(BM_TabViewFrame)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

} // namespace
