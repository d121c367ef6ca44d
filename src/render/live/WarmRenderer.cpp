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
    Handle after(double, Task) override { return ++last_; }
    Handle repeating(double, Task) override { return ++last_; }
    void cancel(Handle) override {}
    void post(Task task) override { task(); }

  private:
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
        // The growth at one size: a change of size makes every frame image again, and the
        // driver's code is the same at any size; the other sizes get one frame each.
        for (const double time : warmTimes) {
            engine.scene().update(time);
            engine.renderDelegate().update(time, engine.revealCameraNode().get());
            draw(sizes.front(), time);
        }
        for (auto size = sizes.begin() + 1; size != sizes.end(); ++size)
            draw(*size, warmTimes[std::size(warmTimes) - 1]);
    }
    // The context and its programs stay, with the driver's code for them; the tree's uploads,
    // the frame images and the shadow maps go, with the heap they took: a panel opened without
    // a 3D view on screen holds none of them, and a view's first frame makes its own quickly.
    renderer->releaseTargets();
    malloc_trim(0);
    renderer->release();
    return renderer;
}

} // namespace vesk
