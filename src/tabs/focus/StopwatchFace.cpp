#include "tabs/focus/StopwatchFace.hpp"

#include "shell/anim/PresencePainter.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/theme/Theme.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

// The store's ticker moves the reading once a second; the dot glides over the same time.
constexpr Animation glide = Animation::linear(1);
// The dot goes round a 128-point circle once a minute, some 7 points a second: seven frames a
// second move it about a point at a time, which looks as smooth as ten, and every frame wakes
// the program and repaints part of its window all day long.
constexpr double glideFrameRate = 7;

double normalized(double degrees) {
    const double wrapped = std::fmod(degrees, 360.0);
    return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

} // namespace

StopwatchFace::StopwatchFace(QWidget* parent, AnimationManager* manager)
    : QWidget(parent), degrees_(0.0, {}, manager), dotColor_(Theme::text3()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    degrees_.setFrameRate(glideFrameRate);
    degrees_.setOnChange([this] {
        // A glide's last step may be a short one: it is drawn anew once it has moved half a
        // point, and only where it was and where it is.
        const double now = degrees_.value();
        const double moved = std::abs(now - drawnDegrees_) * outline().width() / 2 * std::numbers::pi / 180;
        if (moved < 0.5 && degrees_.isAnimating()) return;
        update(dotRect(drawnDegrees_).united(dotRect(now)).toAlignedRect().adjusted(-1, -1, 1, 1));
        drawnDegrees_ = now;
    });
}

void StopwatchFace::setProgress(double progress, Move move) {
    if (!std::isfinite(progress)) return;
    if (move == Move::jumps) {
        degrees_.jump(normalized(progress * 360.0));
        return;
    }
    const double current = degrees_.target();
    double step = normalized(progress * 360.0 - current);
    if (step > 180) step -= 360;
    if (step == 0) return;
    degrees_.animate(current + step, glide);
}

void StopwatchFace::setDotColor(const QColor& color) {
    if (color == dotColor_) return;
    dotColor_ = color;
    update(dotRect(drawnDegrees_).toAlignedRect().adjusted(-1, -1, 1, 1));
}

double StopwatchFace::dotAngle() const {
    return normalized(drawnDegrees_);
}

QRectF StopwatchFace::outline() const {
    // The stroke stays inside the dial's frame, which lies `bleed` inside this widget.
    const double side = std::min(width(), height()) - 2 * bleed - lineWidth;
    return {(width() - side) / 2, (height() - side) / 2, side, side};
}

QRectF StopwatchFace::dotRect(double degrees) const {
    const QPointF at = Ring::onCircle(outline(), normalized(degrees) / 360);
    return {at.x() - dotSize / 2, at.y() - dotSize / 2, dotSize, dotSize};
}

const QPixmap& StopwatchFace::track() {
    const qreal ratio = devicePixelRatioF();
    const QColor color = Theme::surfaceHi();
    if (track_.size() != size() * ratio || track_.devicePixelRatio() != ratio || trackColor_ != color) {
        track_ = QPixmap(size() * ratio);
        track_.setDevicePixelRatio(ratio);
        track_.fill(Qt::transparent);
        trackColor_ = color;
        QPainter p(&track_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(color, lineWidth, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(outline());
    }
    return track_;
}

void StopwatchFace::paintEvent(QPaintEvent* event) {
    PresencePainter p(this);
    // The outline comes from its picture: the dot redraws a few points of it many times a
    // minute, and stroking the whole circle for each would cost more than the rest.
    const QRectF part = event->rect();
    const qreal ratio = track().devicePixelRatio();
    p.drawPixmap(part, track_, QRectF(part.topLeft() * ratio, part.size() * ratio));
    p.setPen(Qt::NoPen);
    p.setBrush(dotColor_);
    p.drawEllipse(dotRect(drawnDegrees_));
}

} // namespace vesk
