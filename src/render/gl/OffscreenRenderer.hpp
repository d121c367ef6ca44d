#pragma once

#include "render/scene/Scene.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vesk::gl {

class EglContext;
class SceneRenderer;

// 8-bit RGBA pixels, row 0 at the top, opaque.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Renders scenes to pixels without a display: its own surfaceless EGL context and scene
// renderer. Used from one thread at a time: the one that made it, or one that took it over
// after a release() there; the thread using it last destroys it (the GL objects go before
// the context).
class OffscreenRenderer {
  public:
    // Nothing when no headless GL is available; `log` says why.
    static std::unique_ptr<OffscreenRenderer> make(std::string& log);
    ~OffscreenRenderer();
    OffscreenRenderer(const OffscreenRenderer&) = delete;
    OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

    // An empty frame when the size is not positive or GL fails.
    Frame render(const scene::Scene& scene, const scene::Node& pointOfView, int width, int height,
                 double timeSeconds = 0.0);

    SceneRenderer& sceneRenderer() { return *renderer_; }

    // Frees the images frames are drawn into (the next frame makes them again); the
    // context, its programs and uploads stay.
    void releaseTargets();
    // Leaves the calling thread without the context, for another thread to take it over.
    void release();

  private:
    OffscreenRenderer() = default;
    bool makeCurrent() const;
    void ensureTarget(int width, int height);
    void deleteTarget();

    std::unique_ptr<EglContext> context_;
    std::unique_ptr<SceneRenderer> renderer_;
    unsigned fbo_ = 0, color_ = 0;
    int width_ = 0, height_ = 0;
};

} // namespace vesk::gl
