#include "garden/bonsai/BonsaiSceneView.hpp"

#include "garden/bonsai/SceneFrames.hpp"
#include "render/engine/BonsaiEngine.hpp"
#include "render/engine/GrowthAnimation.hpp"
#include "shell/anim/AnimationManager.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/PendingPicture.hpp"
#include "shell/controls/PictureFill.hpp"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

scene::OrbitController::Settings orbitSettings(const BonsaiEngine& engine) {
    scene::OrbitController::Settings s;
    s.target = engine.orbitTarget();
    s.minPitchDegrees = -12.0f;
    s.maxPitchDegrees = 80.0f;
    s.friction = 0.08f;
    s.maxDistance = GrowthAnimation::maxViewDistance;
    return s;
}

} // namespace

BonsaiSceneView::BonsaiSceneView(BonsaiEngine& engine, std::shared_ptr<scene::Node> camera, Input input,
                                 SceneFrames& frames, QWidget* parent, TimeSource now)
    : QWidget(parent), engine_(engine), camera_(std::move(camera)), interactive_(input == Input::interactive),
      frames_(frames), now_(now ? std::move(now) : [] { return AnimationManager::shared().now(); }),
      orbit_(orbitSettings(engine)) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_TransparentForMouseEvents, !interactive_);
    if (interactive_) setCursor(Qt::OpenHandCursor);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { step(); });
    PendingPicture::mark(*this, PendingPicture::State::awaited);
}

BonsaiSceneView::~BonsaiSceneView() = default;

void BonsaiSceneView::setCornerRadius(double radius) {
    cornerRadius_ = radius;
    update();
}

void BonsaiSceneView::setBorder(const QColor& color) {
    border_ = color;
    update();
}

bool BonsaiSceneView::lively(double now) const {
    return dragging_ || orbit_.isSpinning() || engine_.animating() ||
           (lastInteraction_ && now - *lastInteraction_ < livelySeconds);
}

void BonsaiSceneView::schedule(double frameStart) {
    if (!isVisible()) return;
    const double now = now_();
    double rate = fullRate;
    if (frames_.software()) rate = lively(now) ? softwareLivelyRate : softwareIdleRate;
    // The next frame is due a period after this one began: the time spent drawing is part
    // of the period, not added to it.
    const double wait = std::max(1.0 / rate - (now - frameStart), 0.0);
    timer_.start(static_cast<int>(std::lround(1000.0 * wait)));
}

void BonsaiSceneView::step() {
    if (!isVisible()) {
        timer_.stop();
        return;
    }
    const double t = now_();
    lastFrameStart_ = t;
    engine_.scene().update(t);
    if (controlling_) {
        orbit_.step(*camera_, t);
        if (!dragging_ && !orbit_.isSpinning()) controlling_ = false;
    }
    engine_.renderDelegate().update(t, camera_.get());
    // Drawn at the screen's pixels and painted once at the view's size.
    const qreal scale = devicePixelRatioF();
    QImage image = frames_.render(engine_.scene(), *camera_, size() * scale, t);
    if (!image.isNull()) {
        image.setDevicePixelRatio(scale);
        frame_ = std::move(image);
        ++framesRendered_;
        if (engine_.info.get()) PendingPicture::mark(*this, PendingPicture::State::arrived);
        update();
    } else if (frames_.unavailable()) {
        // No picture will ever come: a snapshot does not wait for one.
        PendingPicture::mark(*this, PendingPicture::State::arrived);
    }
    schedule(t);
}

void BonsaiSceneView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first frame comes at once, so that the view never shows an old picture.
    timer_.start(0);
}

void BonsaiSceneView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_.stop();
    dragging_ = false;
}

void BonsaiSceneView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Presence::apply(painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    if (frame_.isNull()) {
        painter.fillPath(shape, Qt::black);
    } else {
        PictureFill::fill(painter, shape, frame_);
    }
    if (border_.alpha() > 0) {
        painter.setPen(QPen(border_, 1));
        painter.setBrush(Qt::NoBrush);
        const double inset = 0.5, radius = std::max(cornerRadius_ - inset, 0.0);
        painter.drawRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), radius, radius);
    }
}

void BonsaiSceneView::takeControl() {
    if (!controlling_) orbit_.attach(*camera_);
    camera_->removeAction("orbit");
    controlling_ = true;
    lastInteraction_ = now_();
    // The lively rate brings the next frame forward; counted from the last frame, a stream of
    // wheel events never puts it off.
    if (isVisible() && frames_.software()) schedule(lastFrameStart_);
}

void BonsaiSceneView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    takeControl();
    dragging_ = true;
    lastPointer_ = event->position();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void BonsaiSceneView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return QWidget::mouseMoveEvent(event);
    const QPointF delta = event->position() - lastPointer_;
    lastPointer_ = event->position();
    // Dragging down lifts the camera over the tree, as if the scene were turned by hand.
    orbit_.drag({float(delta.x()), float(delta.y())}, now_());
    lastInteraction_ = now_();
    event->accept();
}

void BonsaiSceneView::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    dragging_ = false;
    orbit_.release(now_());
    lastInteraction_ = now_();
    setCursor(Qt::OpenHandCursor);
    event->accept();
}

void BonsaiSceneView::wheelEvent(QWheelEvent* event) {
    if (!interactive_) return QWidget::wheelEvent(event);
    takeControl();
    // One notch of the wheel moves the camera a tenth of its distance.
    orbit_.dolly(float(event->angleDelta().y() / 120.0 * 0.1));
    event->accept();
}

} // namespace vesk
