#include "render/live/WarmRenderer.hpp"

#include "render/engine/BonsaiEngine.hpp"
#include "render/gl/OffscreenRenderer.hpp"
#include "render/gl/SceneRenderer.hpp"

#include <future>
#include <malloc.h>

namespace vesk {

namespace {

// The engine's hand-overs run at once on this thread; its delayed work (the fallback that
// ends an animation) never comes, the few frames end before it would.
class InlineQueue final : public MainQueue {
  public:
    void post(Task task) override { task(); }

  private:
    Handle start(double, Task) override { return ++last_; }
    Handle startRepeating(double, Task) override { return ++last_; }
    void cancel(Handle) override {}

    Handle last_ = 0;
};

// A tree big enough to shed leaves, growing by a few cubes: every material, the sky,
// shadows, sparks and falling leaves are on screen within the growth's two seconds.
constexpr std::uint64_t warmSeed = 12345;
constexpr std::int64_t warmFrom = 150, warmTo = 170;
constexpr double warmTimes[] = {0.0, 0.3, 1.2, 2.4};

// The warm-up's tree, grown by the thread that makes it and drawn by another.
struct WarmTree {
    InlineQueue queue;
    BonsaiEngine engine{queue, {}, [](std::function<void()> job) { job(); }};

    WarmTree() {
        engine.show(warmSeed, warmFrom);
        engine.show(warmSeed, warmTo, warmFrom);
    }
};

} // namespace

std::unique_ptr<gl::OffscreenRenderer> makeWarmRenderer(const std::vector<std::pair<int, int>>& sizes,
                                                        std::string& log, const std::atomic<bool>* stop) {
    // The tree grows while the context is made: each takes a good part of the warm-up.
    std::future<std::unique_ptr<WarmTree>> growing;
    if (!sizes.empty()) growing = std::async(std::launch::async, [] { return std::make_unique<WarmTree>(); });
    auto renderer = gl::OffscreenRenderer::make(log);
    if (!renderer) return nullptr;
    gl::SceneRenderer& scene = renderer->sceneRenderer();
    if (gl::isSoftwareRenderer(scene.rendererName())) scene.setQuality(gl::RenderQuality::light());

    if (growing.valid()) {
        const std::unique_ptr<WarmTree> tree = growing.get();
        BonsaiEngine& engine = tree->engine;
        const auto draw = [&](std::pair<int, int> size, double time) {
            if (!stop || !*stop)
                renderer->render(engine.scene(), *engine.revealCameraNode(), size.first, size.second, time);
        };
        // The driver's code is the same at any size, and a change of size makes every frame
        // image again: one frame at each size but the last, then the growth at the last.
        for (const double time : warmTimes) {
            engine.scene().update(time);
            engine.renderDelegate().update(time, engine.revealCameraNode().get());
            if (time == warmTimes[0])
                for (auto size = sizes.begin(); size + 1 != sizes.end(); ++size)
                    draw(*size, time);
            draw(sizes.back(), time);
        }
    }
    // The context, its programs and the images of the last frame stay (made here, they cost
    // the main thread nothing: fresh pages are slow to come by); the tree's uploads go, with the
    // heap they took.
    scene.sweep();
    malloc_trim(0);
    renderer->release();
    return renderer;
}

} // namespace vesk
