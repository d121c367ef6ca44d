#pragma once

#include "platform/QtPanelKeys.hpp"

namespace vesk {

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
