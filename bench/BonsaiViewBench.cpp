// One frame of the bonsai tab's live view at its size in the open tarnel (378 × 316), of the
// engine's own scene with a 3,000-cube tree, read back to pixels as the view shows it. Run it
// on the machine's headless GL: on Mesa's software rasteriser the full pipeline is what keeps
// an open tab busy, so the variants take one setting away at a time, down to the light one.
#include "render/engine/BonsaiEngine.hpp"
#include "render/gl/EglContext.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"
#include "render/live/WarmRenderer.hpp"
#include "support/FakeMainQueue.hpp"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace vesk;

// The rasteriser threads the program asks for, set before any GL loads, as the program does.
const bool programThreads = [] {
    gl::EglContext::preferFewSoftwareThreads();
    return true;
}();

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

// What the main thread pays for the first frames of a session, the longest frame: 0, the
// first frame of the tab's view with the context made where it draws (how the views began);
// 1, the same with the context made and run through a small tree of its own on another
// thread first (how they begin now). The tree of the session is 3,000 cubes, as above.
// A figure for each new context, so few iterations.
double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::unique_ptr<gl::OffscreenRenderer> sessionRenderer(bool warmed) {
    std::unique_ptr<gl::OffscreenRenderer> renderer;
    std::string log;
    if (!warmed) {
        renderer = gl::OffscreenRenderer::make(log);
        if (renderer && gl::isSoftwareRenderer(renderer->sceneRenderer().rendererName()))
            renderer->sceneRenderer().setQuality(gl::RenderQuality::light());
        return renderer;
    }
    std::thread([&] { renderer = makeWarmRenderer({{208, 204}, {viewWidth, viewHeight}}, log); }).join();
    return renderer;
}

void BM_FirstTabFrame(benchmark::State& state) {
    test::VirtualClock clock;
    test::FakeMainQueue queue{clock};
    BonsaiEngine engine{queue, {}, [](std::function<void()> job) { job(); }};
    engine.show(12345, 3000);
    queue.runDue();
    for (auto _ : state) {
        auto renderer = state.range(0) == 1 ? sessionRenderer(true) : nullptr;
        const auto start = std::chrono::steady_clock::now();
        if (state.range(0) == 0) renderer = sessionRenderer(false);
        if (!renderer) return state.SkipWithError("no headless GL");
        renderer->render(engine.scene(), *engine.cameraNode(), viewWidth, viewHeight, 0.0);
        state.SetIterationTime(seconds(start));
    }
}
BENCHMARK(BM_FirstTabFrame)->DenseRange(0, 1)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The longest of the first 20 frames of the first growth reveal of a session, in a renderer
// that has drawn nothing else (0, made where it draws; 1, warmed on another thread first).
void BM_FirstRevealFrames(benchmark::State& state) {
    for (auto _ : state) {
        test::VirtualClock clock;
        test::FakeMainQueue queue{clock};
        BonsaiEngine engine{queue, {}, [](std::function<void()> job) { job(); }};
        engine.show(12345, 3000);
        queue.runDue();
        engine.show(12345, 3012, 3000);
        queue.runDue();
        auto renderer = state.range(0) == 1 ? sessionRenderer(true) : nullptr;
        double longest = 0.0;
        const auto start = std::chrono::steady_clock::now();
        if (state.range(0) == 0) renderer = sessionRenderer(false);
        if (!renderer) return state.SkipWithError("no headless GL");
        longest = seconds(start);
        for (int frame = 0; frame < 20; ++frame) {
            const double time = frame / 30.0;
            const auto begin = std::chrono::steady_clock::now();
            engine.scene().update(time);
            renderer->render(engine.scene(), *engine.revealCameraNode(), 208, 204, time);
            longest = std::max(longest, seconds(begin) + (frame == 0 ? longest : 0.0));
        }
        state.SetIterationTime(longest);
    }
}
BENCHMARK(BM_FirstRevealFrames)
    ->DenseRange(0, 1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
