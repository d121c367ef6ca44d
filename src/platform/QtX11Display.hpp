#pragma once

#include "platform/X11Display.hpp"

#include <memory>

namespace vesk {

// Qt's own X connection with its events routed to the X11 pieces, which then run on the
// main thread like everything else of the panel. Empty when Qt does not run on xcb
// (offscreen tests, a Wayland session without XWayland).
class QtX11Display {
  public:
    static std::unique_ptr<QtX11Display> create();
    ~QtX11Display();

    X11Display& display() { return *display_; }

  private:
    class Filter;
    QtX11Display(std::unique_ptr<X11Display> display);

    std::unique_ptr<X11Display> display_;
    std::unique_ptr<Filter> filter_;
};

} // namespace vesk
