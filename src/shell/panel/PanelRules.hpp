#pragma once

#include "platform/PanelGeometry.hpp"
#include "shell/state/ScreenMetrics.hpp"

#include <optional>

namespace vesk {

// The top of the screen as the tarnel measures it. `frame` is the whole screen, `available`
// the part not covered by panels (a top bar shows as the gap between their top edges).
// Linux screens have no camera notch.
ScreenMetrics screenMetrics(const PanelRect& frame, const PanelRect& available);

// What the pointer means for the tarnel: whether it is over it and whether it hovers.
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
