#include "shell/controls/Ring.hpp"

#include "shell/anim/Presence.hpp"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

Ring::Ring(double progress, const QColor& tint, double lineWidth, QWidget* parent)
    : QWidget(parent), progress_(progress), tint_(tint), lineWidth_(lineWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Ring::setProgress(double progress) {
    if (progress == progress_) return;
    progress_ = progress;
    // A running timer moves a small ring's arc by a sliver every second: it redraws
    // once the end of the arc has moved by a quarter of a pixel.
    const double circumference = std::numbers::pi * std::max(std::min(width(), height()) - lineWidth_, 0.0);
    if (std::abs(arcFraction(progress_) - paintedFraction_) * circumference >= 0.25) redraw();
}

void Ring::redraw() {
    pictureStale_ = true;
    update();
}

void Ring::setTint(const QColor& tint) {
    if (tint == tint_) return;
    tint_ = tint;
    redraw();
}

void Ring::setLineWidth(double lineWidth) {
    lineWidth_ = lineWidth;
    redraw();
}

double Ring::arcFraction(double progress) {
    if (!std::isfinite(progress)) return progress > 0 ? 1.0 : 0.001;
    return std::clamp(progress, 0.001, 1.0);
}

void Ring::paintEvent(QPaintEvent* event) {
    // From a picture of the ring: the dial's clock rolls over it many times a second, and
    // stroking the circle and the arc for each frame would cost more than the clock.
    const qreal ratio = devicePixelRatioF();
    if (pictureStale_ || picture_.size() != size() * ratio || picture_.devicePixelRatio() != ratio) {
        picture_ = QPixmap(size() * ratio);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(Qt::transparent);
        QPainter p(&picture_);
        draw(p);
        pictureStale_ = false;
    }
    QPainter p(this);
    Presence::apply(p, this);
    const QRectF part = event->rect();
    p.drawPixmap(part, picture_, QRectF(part.topLeft() * ratio, part.size() * ratio));
}

void Ring::draw(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    const double line = std::max(lineWidth_, 0.0);
    // Inset by half the line so the stroke stays inside the frame.
    const QRectF circle(QPointF((width() - side) / 2 + line / 2, (height() - side) / 2 + line / 2),
                        QSizeF(side - line, side - line));
    if (circle.width() <= 0) return;

    QColor track = tint_;
    track.setAlphaF(tint_.alphaF() * 0.2f);
    p.setPen(QPen(track, line, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);

    const double fraction = arcFraction(progress_);
    paintedFraction_ = fraction;
    p.setPen(QPen(tint_, line, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arc;
    arc.arcMoveTo(circle, 90);
    arc.arcTo(circle, 90, -360.0 * fraction);
    p.drawPath(arc);
}

} // namespace vesk
