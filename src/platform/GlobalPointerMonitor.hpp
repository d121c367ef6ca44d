#pragma once

#include "core/runtime/MainQueue.hpp"
#include "platform/X11Display.hpp"

#include <functional>

namespace vesk {

// Pointer motion and button presses anywhere on the screen, whichever window gets them:
// XInput2 raw events on the root window. The callbacks run from the main queue; a flood
// of motion events yields one `moved` call per turn of the queue, since the listener
// reads the pointer position itself. Wheel "buttons" are no presses. A press comes with its
// server time, which the window that got it sees on its own event too.
class GlobalPointerMonitor {
  public:
    using Callback = std::function<void()>;
    using PressCallback = std::function<void(std::uint32_t serverTime)>;

    GlobalPointerMonitor(X11Display& display, MainQueue& queue, Callback moved, PressCallback pressed);
    ~GlobalPointerMonitor();
    GlobalPointerMonitor(const GlobalPointerMonitor&) = delete;
    GlobalPointerMonitor& operator=(const GlobalPointerMonitor&) = delete;

    // False when the server has no XInput 2: nothing will be reported.
    bool active() const { return active_; }

  private:
    bool handle(const void* event);

    X11Display& display_;
    MainQueue& queue_;
    Callback moved_;
    PressCallback pressed_;
    std::uint8_t opcode_ = 0;
    bool active_ = false;
    Subscription subscription_;
    Subscription pendingMove_;
    Subscription pendingPress_;
    std::uint32_t pressTime_ = 0; // of the latest press not yet reported
};

} // namespace vesk
