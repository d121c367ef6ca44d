#pragma once

#include "platform/PanelGeometry.hpp"

#include <QPainterPath>
#include <vector>

namespace vesk {

namespace PanelShape {

// The device pixels of the panel that show when it draws `drawn` (panel coordinates, points):
// every pixel the outline touches, and those within `haloPoints` around it, where a soft shadow
// may fall. Rows of rectangles, top to bottom.
std::vector<PixelRect> pixels(const QPainterPath& drawn, double haloPoints, double pixelsPerPoint);

} // namespace PanelShape

} // namespace vesk
