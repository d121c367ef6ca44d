#include "shell/panel/PanelRules.hpp"

#include <algorithm>

namespace vesk {

ScreenMetrics screenMetrics(const PanelRect& frame, const PanelRect& available) {
    // The menu-bar height, at least 24, plus 6.
    const double menuBar = available.y - frame.y;
    return {false, 0, std::max(menuBar, 24.0) + 6};
}

namespace MouseTracking {

std::optional<PointerVerdict> track(const PointerSample& pointer, const PanelRect& tarnel, bool expanded) {
    if (pointer.buttonHeld) return std::nullopt;
    const bool inside = tarnel.grown(PanelGeometry::pointerMargin).contains(pointer.x, pointer.y);
    return PointerVerdict{inside, inside && !expanded};
}

bool clickCollapses(const PointerSample& pointer, const PanelRect& tarnel, bool expanded, bool pinned,
                    bool onOwnWindow) {
    if (!expanded || pinned || onOwnWindow) return false;
    return !tarnel.grown(PanelGeometry::pointerMargin).contains(pointer.x, pointer.y);
}

} // namespace MouseTracking

} // namespace vesk
