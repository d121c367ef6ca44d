#pragma once

#include "platform/PanelGeometry.hpp"
#include "platform/X11Display.hpp"

#include <array>
#include <cstdint>
#include <optional>

namespace vesk {

// The X11 side of the tarnel's panel window: the hints that keep it above other windows,
// on every workspace and out of the taskbar and pager, and the input shape that lets
// clicks through everywhere but the tarnel. Rectangles and pointer positions are in
// points; `pixelsPerPoint` is the window's device pixel ratio.
class X11Panel {
  public:
    X11Panel(X11Display& display, std::uint32_t window, double pixelsPerPoint = 1.0);

    // _NET_WM_WINDOW_TYPE utility, _NET_WM_STATE above, sticky, skip-taskbar and skip-pager,
    // and _NET_WM_DESKTOP "all". Written as properties (read when the window is mapped) and
    // sent to the window manager as requests (honoured when it already is).
    void applyHints();

    // Only this rectangle of the window, in window coordinates, takes pointer input;
    // an empty rectangle lets everything through. Call again on every size change.
    void setInputShape(const PanelRect& area);

    // Where the pointer is on the screen and whether a button is held; empty when the
    // server does not answer.
    std::optional<PointerSample> pointer() const;

  private:
    void askWindowManager(const char* type, const std::array<std::uint32_t, 4>& words);

    X11Display& display_;
    std::uint32_t window_;
    double pixelsPerPoint_;
};

} // namespace vesk
