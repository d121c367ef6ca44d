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
    // _NET_WM_DESKTOP "all", and no focus on a click. Written as properties (read when the
    // window is mapped) and sent to the window manager as requests (honoured when it already
    // is). A window manager drops them when a window is withdrawn: the panel never is.
    void applyHints();

    // Keyboard focus, as a panel takes it: while it does not want it (collapsed) the window
    // manager is told not to give it on a click; `takeFocus` asks for it and remembers who
    // had it, `giveUpFocus` hands it back to that window when the panel still holds it.
    // Through the window manager when one runs (a focus change it makes itself), straight
    // from the server otherwise.
    void takeFocus();
    void giveUpFocus();

    // Only this rectangle of the window, in window coordinates, takes pointer input;
    // an empty rectangle lets everything through. Call again on every size change.
    void setInputShape(const PanelRect& area);

    // Where the pointer is on the screen and whether a button is held; empty when the
    // server does not answer.
    std::optional<PointerSample> pointer() const;

  private:
    void askWindowManager(const char* type, const std::array<std::uint32_t, 4>& words,
                          std::uint32_t about = 0);
    void setAcceptsFocus(bool accepts);
    // The window manager's active window, or the server's input focus without one.
    std::uint32_t focusedWindow();
    bool windowManagerActivates();
    bool viewable(std::uint32_t window);

    X11Display& display_;
    std::uint32_t window_;
    double pixelsPerPoint_;
    std::uint32_t previousFocus_ = 0; // who had the focus before the panel took it
};

} // namespace vesk
