#pragma once

#include <QWidget>
#include <functional>

namespace vesk {

// Builds one screen under `parent`. The screens live in layers above the shell, so the
// composition root hands them in; a screen is built anew each time it is shown, so that its
// view-local state (typed text, focus, open sections) starts fresh.
using ScreenFactory = std::function<QWidget*(QWidget* parent)>;

// A missing factory shows a frame with the screen's name.
struct ScreenFactories {
    ScreenFactory tasks;
    ScreenFactory taskDetail;
    ScreenFactory bonsai;
    ScreenFactory focus;
    ScreenFactory stats;
    // In place of the tabs during the tour's first steps.
    ScreenFactory tourCard;
    // Over the whole open tarnel while the tour spotlights a target.
    ScreenFactory tourOverlay;
    // Beside the tarnel while a growth is revealed.
    ScreenFactory revealPanel;
};

} // namespace vesk
