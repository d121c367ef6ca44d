#pragma once

#include <QImage>
#include <QSize>
#include <memory>
#include <string>

namespace vesk {

namespace gl {
class OffscreenRenderer;
}
namespace scene {
class Node;
class Scene;
} // namespace scene

// The pictures of the live scene for every 3D view on screen. The views draw them as plain
// images: a GL view would turn the whole translucent panel into a GL window (Qt re-creates
// the window for it, and composing it costs more on a software rasteriser than the frame).
// One headless context serves all views, so the scene is uploaded once; it is made at the
// first frame and, on Mesa's software rasterisers, draws with the light quality. Main thread.
class SceneFrames {
  public:
    SceneFrames();
    ~SceneFrames();
    SceneFrames(const SceneFrames&) = delete;
    SceneFrames& operator=(const SceneFrames&) = delete;

    // The scene from `pointOfView` at `pixels`; a null image when there is no headless GL.
    QImage render(const scene::Scene& scene, const scene::Node& pointOfView, QSize pixels,
                  double timeSeconds);

    // Known once the first frame was asked for.
    bool software() const { return software_; }

  private:
    bool ensureRenderer();

    std::unique_ptr<gl::OffscreenRenderer> renderer_;
    bool tried_ = false;
    bool software_ = false;
};

} // namespace vesk
