#pragma once

#include <cstdint>

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

// What the panel knows when a key arrives.
struct PanelKeyContext {
    bool expanded = false;
    bool inPanel = false; // the key went to the panel's own window
    bool detailOpen = false;
    bool gardenOpen = false;
    bool tourRunning = false;
    bool focusTab = false;
    bool editingText = false;
    bool timerRunning = false;
};

enum class PanelKeyAction {
    passOn, // not consumed: the key goes on to the focused control
    closeDetail,
    closeGarden,
    collapse,
    redo,
    selectTasks,
    selectBonsai,
    selectFocus,
    selectStats,
    newTask, // the tasks tab, the detail closed, the add-task field focused
    selectAll,
    undo,
    cut,
    copy,
    paste,
    pauseTimer,
    resumeTimer,
};

// The key table of the expanded tarnel; everything but `passOn` consumes the key.
PanelKeyAction panelKeyAction(const PanelKeyPress& press, const PanelKeyContext& context);

} // namespace vesk
