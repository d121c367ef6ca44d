#pragma once

#include <QImage>
#include <QSize>
#include <QTimer>
#include <future>
#include <memory>
#include <string>
#include <vector>

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
// One headless context serves all views, so the scene is uploaded once. It is made on a
// thread of its own as soon as the frames are, and run through a few frames there, so that
// no view's first frame waits for the context, the programs or the driver's code for them;
// on Mesa's software rasterisers it draws with the light quality. A few seconds after the
// last frame the images frames are drawn into are freed, with the heap they leave unused;
// the context and its programs stay. Main thread.
class SceneFrames {
  public:
    // Without frames drawn for this long the frame images are freed.
    static constexpr int releaseAfterMs = 4000;

    // `warmSizes`: the views' sizes in pixels, drawn once each while the context is made.
    explicit SceneFrames(std::vector<QSize> warmSizes = {});
    ~SceneFrames();
    SceneFrames(const SceneFrames&) = delete;
    SceneFrames& operator=(const SceneFrames&) = delete;

    // The scene from `pointOfView` at `pixels`; a null image while the context is still being
    // made, and when there is no headless GL.
    QImage render(const scene::Scene& scene, const scene::Node& pointOfView, QSize pixels,
                  double timeSeconds);

    // Whether frames can be drawn now (the context is made and handed over).
    bool ready();
    // Waits for the context; false when there is no headless GL.
    bool waitUntilReady();
    // Known once ready.
    bool software() const { return software_; }
    // Whether the frame images are held now.
    bool holdsTargets() const { return holdsTargets_; }

  private:
    void takeOver();
    void releaseTargets();

    std::future<std::unique_ptr<gl::OffscreenRenderer>> making_;
    std::string makeLog_;
    std::unique_ptr<gl::OffscreenRenderer> renderer_;
    bool software_ = false;
    bool holdsTargets_ = false;
    QTimer idle_;
};

} // namespace vesk
