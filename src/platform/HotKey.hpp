#pragma once

#include "core/runtime/MainQueue.hpp"
#include "core/runtime/Observed.hpp"
#include "core/runtime/Subscription.hpp"
#include "platform/X11Display.hpp"

#include <cstdint>
#include <functional>
#include <vector>

namespace vesk {

// One system-wide shortcut, grabbed from the X server on the root window. Key codes and
// modifiers are given the way the shortcut is named elsewhere in the program: the virtual
// key code of the original keyboard (Space = 49) and its modifier mask (Option = 2048,
// which is Alt here; Command = 256 is Ctrl, Shift = 512). The grab is repeated with Caps
// Lock and Num Lock held, which X treats as different combinations. Most desktops hold
// Alt+Space for their window menu or launcher, and then the grab is refused: no press
// arrives and nothing is printed, and the missing grabs are tried again every few seconds
// until the desktop lets the key go.
//
// A press only schedules the action on the main queue. The action lives in one slot for
// the whole program, so the newest HotKey's action is the one that runs.
class HotKey {
  public:
    using Action = std::function<void()>;

    static constexpr int spaceKeyCode = 49;
    static constexpr int optionModifier = 2048;

    HotKey(X11Display& display, MainQueue& queue, int keyCode, int modifiers, Action action);
    ~HotKey(); // ungrabs
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    static constexpr double retrySeconds = 5;

    // Whether the plain combination (without the lock keys) is ours; changes on the main thread.
    Observed<bool, HotKey> registered{false};

  private:
    struct Grab {
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };

    // Asks for every combination not yet ours; stops retrying once all of them are.
    void grabMissing();
    bool tryGrabs(std::vector<Grab>::iterator from);
    bool handle(const void* event);

    X11Display& display_;
    MainQueue& queue_;
    std::vector<std::uint8_t> keycodes_;
    std::uint16_t modifiers_ = 0;
    std::uint16_t lockMasks_ = 0;
    std::vector<Grab> grabs_;
    std::vector<Grab> missing_;
    Subscription retry_;
    bool held_ = false;
    std::uint32_t lastReleaseTime_ = 0;
    Subscription subscription_;
    std::uint64_t slotOwner_ = 0;
};

} // namespace vesk
