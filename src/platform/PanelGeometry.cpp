#include "platform/PanelGeometry.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace PanelGeometry {

PanelRect panelFrame(const PanelRect& screenFrame) {
    return {screenFrame.midX() - panelWidth / 2, screenFrame.y, panelWidth, panelHeight};
}

PanelRect tarnelRect(const PanelRect& screenFrame, double width, double height) {
    return {screenFrame.midX() - width / 2, screenFrame.y, width, height};
}

PanelRect inputShape(const PanelRect& screenFrame, double width, double height, double pixelsPerPoint) {
    const PanelRect panel = panelFrame(screenFrame);
    const PanelRect area = tarnelRect(screenFrame, width, height).grown(pointerMargin);
    const double left = std::clamp(area.x - panel.x, 0.0, panelWidth);
    const double top = std::clamp(area.y - panel.y, 0.0, panelHeight);
    const double right = std::clamp(area.right() - panel.x, 0.0, panelWidth);
    const double bottom = std::clamp(area.bottom() - panel.y, 0.0, panelHeight);
    // Widen, never narrow, so that the margin survives rounding to pixels.
    const auto down = [&](double v) { return std::floor(v * pixelsPerPoint) / pixelsPerPoint; };
    const auto up = [&](double v) { return std::ceil(v * pixelsPerPoint) / pixelsPerPoint; };
    return {down(left), down(top), up(right) - down(left), up(bottom) - down(top)};
}

PixelPoint screenPixel(const PanelRect& screenFrame, double x, double y, double pixelsPerPoint) {
    return {static_cast<int>(std::lround(screenFrame.x + (x - screenFrame.x) * pixelsPerPoint)),
            static_cast<int>(std::lround(screenFrame.y + (y - screenFrame.y) * pixelsPerPoint))};
}

} // namespace PanelGeometry

} // namespace vesk
