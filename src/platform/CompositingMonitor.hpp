#pragma once

#include "platform/X11Display.hpp"

#include <cstdint>
#include <functional>

namespace vesk {

// Whether a compositing manager runs on the screen (someone owns `_NET_WM_CM_S<screen>`),
// followed as compositors start and stop: XFixes tells every change of the selection's owner,
// also when the owner dies without letting go. Without XFixes the state read at start stays.
class CompositingMonitor {
  public:
    using Callback = std::function<void(bool compositing)>;

    // `window`: one of ours, to which the server reports the changes.
    CompositingMonitor(X11Display& display, std::uint32_t window, Callback changed);
    CompositingMonitor(const CompositingMonitor&) = delete;
    CompositingMonitor& operator=(const CompositingMonitor&) = delete;

    bool compositing() const { return compositing_; }

  private:
    bool handle(const void* event);

    X11Display& display_;
    Callback changed_;
    std::uint32_t selection_ = 0;
    std::uint8_t firstEvent_ = 0;
    Subscription subscription_;
    bool compositing_ = false;
};

} // namespace vesk
