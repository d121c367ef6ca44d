#include "shell/panel/PanelKeys.hpp"

namespace vesk {

namespace {

using Key = PanelKeyPress::Key;
using Action = PanelKeyAction;

Action commandShortcut(Key key) {
    switch (key) {
    case Key::digit1:
        return Action::selectTasks;
    case Key::digit2:
        return Action::selectBonsai;
    case Key::digit3:
        return Action::selectFocus;
    case Key::digit4:
        return Action::selectStats;
    case Key::n:
        return Action::newTask;
    case Key::a:
        return Action::selectAll;
    case Key::z:
        return Action::undo;
    case Key::x:
        return Action::cut;
    case Key::c:
        return Action::copy;
    case Key::v:
        return Action::paste;
    default:
        return Action::passOn;
    }
}

} // namespace

PanelKeyAction panelKeyAction(const PanelKeyPress& press, const PanelKeyContext& context) {
    if (!context.expanded || !context.inPanel) return Action::passOn;

    // Escape backs out one level, whatever modifiers are held.
    if (press.key == Key::escape) {
        if (context.detailOpen) return Action::closeDetail;
        if (context.gardenOpen) return Action::closeGarden;
        return Action::collapse;
    }

    // Modifiers must match exactly.
    switch (press.modifiers) {
    case PanelKeyPress::ctrl | PanelKeyPress::shift:
        return press.key == Key::z ? Action::redo : Action::passOn;
    case PanelKeyPress::ctrl:
        // The tour wants its keystrokes to reach the control it points at.
        return context.tourRunning ? Action::passOn : commandShortcut(press.key);
    case PanelKeyPress::none:
        if (press.key != Key::space || !context.focusTab || context.editingText) return Action::passOn;
        return context.timerRunning ? Action::pauseTimer : Action::resumeTimer;
    default:
        return Action::passOn;
    }
}

} // namespace vesk
