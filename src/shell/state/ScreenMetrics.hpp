#pragma once

namespace vesk {

// The geometry of the top edge of the target screen, in points.
struct ScreenMetrics {
    bool hasNotch = false;
    double notchWidth = 0;
    double topHeight = 30;

    bool operator==(const ScreenMetrics&) const = default;
};

} // namespace vesk
