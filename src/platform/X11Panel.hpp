#pragma once

#include "platform/PanelGeometry.hpp"
#include "platform/X11Display.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vesk {

// The X11 side of the tarnel's panel window: the hints that keep it above other windows,
// on every workspace and out of the taskbar and pager, and the input shape that lets
// clicks through everywhere but the tarnel. The input area, the place on the screen and
// pointer positions are in points, the shown shape in device pixels; `pixelsPerPoint` is
// the window's device pixel ratio.
class X11Panel {
  public:
    X11Panel(X11Display& display, std::uint32_t window, double pixelsPerPoint = 1.0);
    X11Panel(const X11Panel&) = delete;
    X11Panel& operator=(const X11Panel&) = delete;

    // _NET_WM_WINDOW_TYPE utility, _NET_WM_STATE above, sticky, skip-taskbar and skip-pager,
    // _NET_WM_DESKTOP "all", and no focus on a click. Written as properties (read when the
    // window is mapped) and sent to the window manager as requests (honoured when it already
    // is). A window manager drops them when a window is withdrawn: the panel never is.
    void applyHints();

    // Keeps the window's top-left corner at (x, y) on the screen `screen` (points), which the
    // pointer's position is then read in. Some window managers place a new window where they
    // like whatever it asks for (fluxbox in the middle, i3 below a title bar): wherever the
    // window lands or is moved, it asks to go back, a few times at most, so that a manager that
    // insists is not fought for ever.
    void keepAt(const PanelRect& screen, double x, double y);

    // Keyboard focus, as a panel takes it: while it does not want it (collapsed) the window
    // manager is told not to give it on a click; `takeFocus` asks for it and remembers who
    // had it, `giveUpFocus` hands it back to that window when the panel still holds it.
    // Straight from the server without a window manager; through the one that runs (a focus
    // change it makes itself) once the server has told the present time, which the request
    // carries, and then only for the last of the two called.
    void takeFocus();
    void giveUpFocus();

    // Only this rectangle of the window, in window coordinates (points), takes pointer input;
    // an empty rectangle lets everything through. Call again on every size change.
    void setInputShape(const PanelRect& area);
    // Only these device pixels of the window are shown: where no compositor blends a translucent
    // window, it would show black everywhere else. Call again on every change of what is drawn.
    void setBoundingShape(const std::vector<PixelRect>& pixels);

    // Where the pointer is on the screen and whether a button is held; empty when the
    // server does not answer.
    std::optional<PointerSample> pointer() const;

  private:
    bool handle(const void* event);
    void askTime();
    void focusAt(std::uint32_t time);
    // `time` 0 is "now", for the server; a window manager wants a real one.
    void handBackFocus(std::uint32_t time);
    void followActiveWindow();
    void replace();
    void refuseShadows(std::uint32_t window);
    // The child of the root that holds the window: a window manager's frame, or the window.
    std::uint32_t topLevel();
    void askWindowManager(const char* type, const std::array<std::uint32_t, 4>& words,
                          std::uint32_t about = 0);
    void setAcceptsFocus(bool accepts);
    // The window manager's active window, or the server's input focus without one.
    std::uint32_t focusedWindow();
    // The window the window manager says is active.
    std::uint32_t activeWindow();
    bool windowManagerActivates();
    bool viewable(std::uint32_t window);
    void setShape(std::uint8_t kind, const std::vector<PixelRect>& pixels);

    X11Display& display_;
    std::uint32_t window_;
    double pixelsPerPoint_;
    std::uint32_t previousFocus_ = 0; // who had the focus before the panel took it
    bool wantsFocus_ = false;         // the last call was takeFocus
    Subscription subscription_;
    PanelRect screen_;                 // the screen it is kept on
    std::optional<PixelPoint> wanted_; // where the window belongs
    int replacings_ = 0;               // asked since the last keepAt
    bool frameHinted_ = false;         // the window manager's frame carries the compositor hints
};

} // namespace vesk
