#pragma once

#include "render/scene/OrbitController.hpp"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace vesk {

class BonsaiEngine;
class SceneFrames;

namespace scene {
class Node;
}

// The engine's one live scene seen through one of its cameras. While the view is shown it
// draws continuously from its timer: each frame steps the scene's actions and the engine's
// per-frame delegate, then renders; hidden (another tab, the tarnel collapsed) it has no
// timer and draws nothing, and shown again it goes on with the same scene. Interactive, a
// drag turns the camera about the engine's orbit target (tilt −12°…80°) and coasts on after
// the release; the wheel moves it nearer or farther. Not interactive, mouse input passes
// through and the camera stays where the engine puts it. The picture is clipped to a
// rounded rectangle and painted with the presence of its ancestors.
class BonsaiSceneView final : public QWidget {
    Q_OBJECT

  public:
    // Frames a second: up to 60 on a GPU. A software rasteriser draws the untouched view at
    // a few frames a second (the wind still moves) and a moving one faster.
    static constexpr double fullRate = 60.0;
    static constexpr double softwareIdleRate = 10.0;
    static constexpr double softwareLivelyRate = 30.0;
    // After the last drag, turn or zoom the view stays lively this long.
    static constexpr double livelySeconds = 0.5;

    // Seconds on a monotonic clock; the scene's time.
    using TimeSource = std::function<double()>;

    enum class Input { interactive, passesThrough };

    BonsaiSceneView(BonsaiEngine& engine, std::shared_ptr<scene::Node> camera, Input input,
                    SceneFrames& frames, QWidget* parent = nullptr, TimeSource now = {});
    ~BonsaiSceneView() override;

    void setCornerRadius(double radius);
    // A 1-point line inside the rounded edge, over the picture.
    void setBorder(const QColor& color);

    // One frame now: what the timer runs.
    void step();
    bool isRendering() const { return timer_.isActive(); }
    // Milliseconds until the next frame is due; -1 when none is.
    int nextFrameInMs() const { return timer_.remainingTime(); }
    int framesRendered() const { return framesRendered_; }
    const QImage& lastFrame() const { return frame_; }
    const scene::OrbitController& orbit() const { return orbit_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Takes over the camera from the engine's scripted motion.
    void takeControl();
    bool lively(double now) const;
    // Starts the timer for the frame after the one begun at `frameStart`.
    void schedule(double frameStart);

    BonsaiEngine& engine_;
    std::shared_ptr<scene::Node> camera_;
    bool interactive_;
    SceneFrames& frames_;
    TimeSource now_;
    QTimer timer_;
    QImage frame_;
    int framesRendered_ = 0;
    // When the last frame began; none yet: long ago.
    double lastFrameStart_ = -std::numeric_limits<double>::infinity();
    double cornerRadius_ = 0;
    QColor border_ = Qt::transparent;

    scene::OrbitController orbit_;
    bool controlling_ = false; // the user moves the camera: the orbit places it each frame
    bool dragging_ = false;
    QPointF lastPointer_;
    std::optional<double> lastInteraction_;
};

} // namespace vesk
