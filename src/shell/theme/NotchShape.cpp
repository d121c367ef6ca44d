#include "shell/theme/NotchShape.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vesk {

namespace {

double finiteOrZero(double v) {
    return std::isfinite(v) ? v : 0.0;
}

double length(QPointF v) {
    return std::hypot(v.x(), v.y());
}

} // namespace

NotchShape::Radii NotchShape::radii(double width, double height) const {
    const double w = std::max(finiteOrZero(width), 0.0);
    const double h = std::max(finiteOrZero(height), 0.0);
    double f = std::min(finiteOrZero(flare), w * 0.25);
    f = std::min(f, h * 0.5);
    f = std::max(f, 0.0);
    double r = std::min(finiteOrZero(bottomRadius), (w - 2 * f) * 0.5);
    r = std::min(r, h - f);
    r = std::max(r, 0.0);
    return {f, r};
}

void addTangentArc(QPainterPath& path, QPointF corner, QPointF towards, double radius) {
    const QPointF start = path.currentPosition();
    const QPointF in = start - corner;
    const QPointF out = towards - corner;
    const double inLength = length(in);
    const double outLength = length(out);
    const double cross = in.x() * out.y() - in.y() * out.x();
    if (!(radius > 0) || inLength < 1e-9 || outLength < 1e-9 ||
        std::abs(cross) < 1e-9 * inLength * outLength) {
        path.lineTo(corner);
        return;
    }
    const QPointF u = in / inLength;
    const QPointF v = out / outLength;
    const double cosine = std::clamp(u.x() * v.x() + u.y() * v.y(), -1.0, 1.0);
    const double half = std::acos(cosine) / 2; // half the angle at the corner
    const double reach = radius / std::tan(half);
    const QPointF t1 = corner + u * reach;
    const QPointF t2 = corner + v * reach;
    QPointF bisector = u + v;
    bisector /= length(bisector);
    const QPointF centre = corner + bisector * (radius / std::sin(half));

    path.lineTo(t1);
    // Qt measures angles counter-clockwise as seen on screen, where y grows downwards.
    auto angle = [&](QPointF p) { return std::atan2(-(p.y() - centre.y()), p.x() - centre.x()); };
    double sweep = angle(t2) - angle(t1);
    while (sweep > std::numbers::pi)
        sweep -= 2 * std::numbers::pi;
    while (sweep <= -std::numbers::pi)
        sweep += 2 * std::numbers::pi;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcTo(box, angle(t1) * 180 / std::numbers::pi, sweep * 180 / std::numbers::pi);
}

QPainterPath NotchShape::path(const QRectF& rect) const {
    const double w = std::max(finiteOrZero(rect.width()), 0.0);
    const double h = std::max(finiteOrZero(rect.height()), 0.0);
    const Radii r = radii(w, h);
    QPainterPath path;
    path.moveTo(0, 0);
    addTangentArc(path, {r.flare, 0}, {r.flare, h}, r.flare);
    addTangentArc(path, {r.flare, h}, {w - r.flare, h}, r.bottom);
    addTangentArc(path, {w - r.flare, h}, {w - r.flare, 0}, r.bottom);
    addTangentArc(path, {w - r.flare, 0}, {w, 0}, r.flare);
    path.closeSubpath();
    path.translate(finiteOrZero(rect.x()), finiteOrZero(rect.y()));
    return path;
}

} // namespace vesk
