#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QSize>
#include <QTimer>
#include <atomic>
#include <functional>
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
// One headless context serves all views, so the scene is uploaded once. Nothing of GL is
// held while the tarnel sits collapsed: the context is made when the panel opens (a view is
// likely soon) or a view asks for its first frame, on a thread of its own, and run through
// a few frames there, so that no view's first frame waits for the context, the programs or
// the driver's code for them; until then the views show their placeholder. On Mesa's
// software rasterisers it draws with the light quality. A few seconds after the last frame
// the images frames are drawn into are freed; with the panel closed and no frame for a
// while everything goes, the context too, with the heap it leaves unused. Main thread.
class SceneFrames {
  public:
    // Without frames drawn for this long the frame images are freed.
    static constexpr int releaseAfterMs = 4000;
    // With the panel closed and no frame drawn for this long, everything goes: soon enough
    // that, with the teardown, the memory is back within 10 s of the last frame.
    static constexpr int dropAfterMs = 6000;
    // A wait for the context ends after this long whatever: a driver that hangs holds no one.
    static constexpr int readyDeadlineMs = 120000;

    // `warmSizes`: the views' sizes in pixels, drawn once each while the context is made.
    explicit SceneFrames(std::vector<QSize> warmSizes = {});
    ~SceneFrames();
    SceneFrames(const SceneFrames&) = delete;
    SceneFrames& operator=(const SceneFrames&) = delete;

    // The scene from `pointOfView` at `pixels`; a null image while the context is being
    // made (asking starts it), and when there is no headless GL.
    QImage render(const scene::Scene& scene, const scene::Node& pointOfView, QSize pixels,
                  double timeSeconds);

    // The tarnel's panel opened (the context is made now) or closed (the drop is counted
    // from now).
    void setPanelOpen(bool open);
    // Starts making the context on its own thread unless it is made or being made.
    void warm();
    // Lets go of the context and all it holds, on another thread; the next warm() or frame
    // makes it again. A context still being made is let go of later.
    void drop();

    // Whether frames can be drawn now (the context is made and handed over).
    bool ready();
    // Makes the context if need be and waits for it; false when there is no headless GL.
    bool waitUntilReady();
    // Runs `then` once frames can be drawn (at once when they can), or once it is known that
    // there is no headless GL, or after the deadline; without blocking this thread.
    void whenReady(std::function<void()> then);
    // Known once ready.
    bool software() const { return software_; }
    // Known once the making ended without a context.
    bool unavailable() const { return unavailable_; }
    // Whether the frame images are held now.
    bool holdsTargets() const { return holdsTargets_; }

  private:
    void takeOver();
    void releaseTargets();
    void lookForReady();

    std::vector<std::pair<int, int>> warmSizes_;
    std::future<std::unique_ptr<gl::OffscreenRenderer>> making_;
    std::future<void> dropping_;
    // Tells the making to draw no more: the program is ending.
    std::atomic<bool> stopMaking_ = false;
    std::string makeLog_;
    std::unique_ptr<gl::OffscreenRenderer> renderer_;
    bool unavailable_ = false;
    bool software_ = false;
    bool holdsTargets_ = false;
    bool panelOpen_ = false;
    QTimer idle_;
    QTimer unused_;
    std::vector<std::function<void()>> waiting_;
    QElapsedTimer waitingSince_;
    QTimer readyLook_;
};

} // namespace vesk
