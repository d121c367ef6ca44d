#pragma once

#include "shell/anim/Animated.hpp"

#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <array>

namespace vesk {

// The outline of the tarnel: the full width along the top edge, concave quarter-circle
// flares at both top corners that pull the sides in, and rounded bottom corners. Both
// radii animate, so the shape morphs between the pill (14, 6) and the panel (24, 19).
struct NotchShape {
    double bottomRadius = 0;
    double flare = 0;

    bool operator==(const NotchShape&) const = default;

    // The radii actually drawn in a rectangle of `width` × `height`: flares within a quarter
    // of the width and half the height, bottom corners within what is left, never negative.
    struct Radii {
        double flare = 0;
        double bottom = 0;
    };
    Radii radii(double width, double height) const;

    QPainterPath path(const QRectF& rect) const;
};

// Appends to `path` an arc of `radius` tangent to the line from the current point to
// `corner` and to the line from `corner` to `towards`, after a straight run up to it; the
// current point ends where the arc meets the second line. Without room for an arc
// (radius 0, coinciding or collinear points) it draws a line to `corner`.
void addTangentArc(QPainterPath& path, QPointF corner, QPointF towards, double radius);

template <> struct AnimatableTraits<NotchShape> {
    static constexpr int size = 2;
    static std::array<double, 2> split(const NotchShape& s) { return {s.bottomRadius, s.flare}; }
    static NotchShape join(const std::array<double, 2>& a) { return {a[0], a[1]}; }
};

} // namespace vesk
