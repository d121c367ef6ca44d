#pragma once

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

// A rectangle of device pixels in a window's own coordinates.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// A point of the screen in the X server's device pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;

    bool operator==(const PixelPoint&) const = default;
};

// Where the panel and the tarnel sit on a screen.
namespace PanelGeometry {

inline constexpr double panelWidth = 1100;
inline constexpr double panelHeight = 600;
// Clicks within this margin around the tarnel still reach it.
inline constexpr double pointerMargin = 2;

// The panel's top edge is the screen's top edge and its centre line the screen's centre line.
PanelRect panelFrame(const PanelRect& screenFrame);

// The tarnel of the given size, hanging from the middle of the screen's top edge.
PanelRect tarnelRect(const PanelRect& screenFrame, double width, double height);

// The part of the panel that takes pointer input: the tarnel plus the margin, in the
// panel's own coordinates, clipped to the panel and widened to whole device pixels.
PanelRect inputShape(const PanelRect& screenFrame, double width, double height, double pixelsPerPoint);

// The point (x, y) of the screen `screenFrame`, both in points, in device pixels. The toolkit keeps
// a screen's top-left corner at the same numbers in points and pixels and scales only what lies
// within the screen, so that a screen away from the origin is not scaled off its place.
PixelPoint screenPixel(const PanelRect& screenFrame, double x, double y, double pixelsPerPoint);

} // namespace PanelGeometry

// Where the pointer is on the screen, in points.
struct PointerSample {
    double x = 0;
    double y = 0;
    bool buttonHeld = false;
};

} // namespace vesk
