#pragma once

#include "platform/ScreenMetrics.hpp"

#include <optional>

namespace vesk {

// Rectangles in screen points with the y-axis of X11: y grows downwards and a rectangle's
// `y` is its top edge. Containment is half-open, so neighbouring rectangles never share a point.
struct PanelRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    double midX() const { return x + width / 2; }
    bool contains(double px, double py) const { return px >= x && px < right() && py >= y && py < bottom(); }
    PanelRect grown(double by) const { return {x - by, y - by, width + 2 * by, height + 2 * by}; }

    bool operator==(const PanelRect&) const = default;
};

// Where the panel and the tarnel sit on a screen and when the pointer counts as over it.
namespace PanelGeometry {

inline constexpr double panelWidth = 1100;
inline constexpr double panelHeight = 600;
// Clicks within this margin around the tarnel still reach it.
inline constexpr double pointerMargin = 2;

// `frame` is the whole screen, `available` the part not covered by panels (a top bar
// shows as the gap between their top edges). Linux screens have no camera notch.
ScreenMetrics metrics(const PanelRect& frame, const PanelRect& available);

// The panel's top edge is the screen's top edge and its centre line the screen's centre line.
PanelRect panelFrame(const PanelRect& screenFrame);

// The tarnel of the given size, hanging from the middle of the screen's top edge.
PanelRect tarnelRect(const PanelRect& screenFrame, double width, double height);

// The part of the panel that takes pointer input: the tarnel plus the margin, in the
// panel's own coordinates, clipped to the panel and widened to whole device pixels.
PanelRect inputShape(const PanelRect& screenFrame, double width, double height, double pixelsPerPoint);

} // namespace PanelGeometry

// What the pointer means for the tarnel: whether it is over it and whether it hovers.
struct PointerSample {
    double x = 0;
    double y = 0;
    bool buttonHeld = false;
};

struct PointerVerdict {
    bool inside = false;
    bool hover = false;

    bool operator==(const PointerVerdict&) const = default;
};

namespace MouseTracking {

// Empty while a button is held: a drag across the edge keeps the current state.
std::optional<PointerVerdict> track(const PointerSample& pointer, const PanelRect& tarnel, bool expanded);

// Whether a click somewhere on the screen collapses the tarnel. Clicks within the margin
// went to the panel itself; `onOwnWindow`: the click went to another window of ours (a menu).
bool clickCollapses(const PointerSample& pointer, const PanelRect& tarnel, bool expanded, bool pinned,
                    bool onOwnWindow);

} // namespace MouseTracking

} // namespace vesk
