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

QPointF Ring::onCircle(const QRectF& circle, double turns) {
    const double radians = 2 * std::numbers::pi * turns;
    return {circle.center().x() + circle.width() / 2 * std::sin(radians),
            circle.center().y() - circle.height() / 2 * std::cos(radians)};
}

void Ring::setProgress(double progress) {
    if (progress == progress_) return;
    progress_ = progress;
    // A running timer moves a small ring's arc by a sliver every second: it redraws
    // once the end of the arc has moved by a quarter of a pixel.
    const double circumference = std::numbers::pi * std::max(std::min(width(), height()) - lineWidth_, 0.0);
    const double fraction = arcFraction(progress_);
    if (std::abs(fraction - paintedFraction_) * circumference >= 0.25) redrawArc(paintedFraction_, fraction);
}

void Ring::redraw() {
    pictureStale_ = true;
    update();
}

void Ring::redrawArc(double fromFraction, double toFraction) {
    if (pictureStale_ || fromFraction < 0) return redraw();
    // The arc's end sweeps from one angle to the other: the box of the points on the way, as
    // wide as the line with its round cap and the antialiased edge.
    const QRectF ring = circle();
    const double low = std::min(fromFraction, toFraction);
    const double high = std::max(fromFraction, toFraction);
    const int steps = static_cast<int>(std::ceil((high - low) * 36)) + 1;
    QRectF swept;
    for (int i = 0; i <= steps; ++i)
        swept = swept.united(QRectF(onCircle(ring, low + (high - low) * i / steps), QSizeF(0.001, 0.001)));
    const double margin = std::max(lineWidth_, 0.0) / 2 + 2;
    const QRect part = swept.adjusted(-margin, -margin, margin, margin).toAlignedRect() & rect();
    staleArc_ += part;
    update(part);
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
    } else if (!staleArc_.isEmpty()) {
        // A running timer's arc grows by a sliver: only that part of the picture is drawn again.
        QPainter p(&picture_);
        p.setClipRegion(staleArc_);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(staleArc_.boundingRect(), Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        draw(p);
    }
    staleArc_ = QRegion();
    QPainter p(this);
    Presence::apply(p, this);
    const QRectF part = event->rect();
    p.drawPixmap(part, picture_, QRectF(part.topLeft() * ratio, part.size() * ratio));
}

QRectF Ring::circle() const {
    const double side = std::min(width(), height());
    const double line = std::max(lineWidth_, 0.0);
    // Inset by half the line so the stroke stays inside the frame.
    return {QPointF((width() - side) / 2 + line / 2, (height() - side) / 2 + line / 2),
            QSizeF(side - line, side - line)};
}

void Ring::draw(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    const double line = std::max(lineWidth_, 0.0);
    const QRectF circle = this->circle();
    if (circle.width() <= 0) return;

    QColor track = tint_;
    track.setAlphaF(tint_.alphaF() * 0.2f);
    p.setPen(QPen(track, line, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);

    const double fraction = arcFraction(progress_);
    paintedFraction_ = fraction;
    p.setPen(QPen(tint_, line, Qt::SolidLine, Qt::RoundCap));
    // Through fixed points a degree apart, so that the line does not depend on the arc's
    // length: a picture redrawn only where the end moved matches one drawn whole.
    QPainterPath arc(onCircle(circle, 0));
    for (int degree = 1; degree < 360.0 * fraction; ++degree)
        arc.lineTo(onCircle(circle, degree / 360.0));
    arc.lineTo(onCircle(circle, fraction));
    p.drawPath(arc);
}

} // namespace vesk
