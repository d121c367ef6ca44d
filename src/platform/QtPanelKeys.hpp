#pragma once

#include <cstdint>

class QKeyEvent;

namespace vesk {

// A key press as the expanded tarnel sees it, free of any toolkit. Ctrl plays the part of
// Command and Alt that of Option. Caps Lock and keys of the numeric keypad count as
// modifiers, so that Ctrl+1 with Caps Lock on is not a shortcut; Num Lock does not.
struct PanelKeyPress {
    enum class Key { escape, space, digit1, digit2, digit3, digit4, n, a, z, x, c, v, other };
    enum Modifier : std::uint8_t {
        none = 0,
        ctrl = 1 << 0,
        shift = 1 << 1,
        alt = 1 << 2,
        meta = 1 << 3,
        capsLock = 1 << 4,
        keypad = 1 << 5,
    };

    Key key = Key::other;
    std::uint8_t modifiers = none;
};

// The toolkit-free form of a key event for the tarnel's key table.
PanelKeyPress panelKeyPress(const QKeyEvent& event);

} // namespace vesk
