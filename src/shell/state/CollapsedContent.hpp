#pragma once

#include "shell/state/ScreenMetrics.hpp"

#include <QColor>
#include <optional>
#include <string>

namespace vesk {

class Store;

// How a running or paused timer reads at a glance, in the pill and in the top bar's chip.
struct TimerLook {
    std::string clock; // a pomodoro's remaining time is rounded up to whole seconds
    QColor tint;       // rest colour in a pomodoro break, focus colour otherwise
    bool running = false;
    bool countsDown = true; // pomodoro: digits roll down; stopwatch: up
    bool operator==(const TimerLook&) const = default;
};

TimerLook timerLook(const Store& store);

// What the collapsed pill shows left and right of the notch.
struct CollapsedContent {
    enum class Mark { leaf, ring, pulse };
    Mark mark = Mark::leaf;
    double progress = 0; // of the ring
    std::optional<std::string> title;
    double titleMaxWidth = 120;
    std::string trailing; // the open-task count, or the timer's clock
    bool trailingIsClock = false;
    QColor trailingColor;
    TimerLook timer;       // meaningful only while a timer is active
    ScreenMetrics metrics; // the row's height and the notch's gap
    bool operator==(const CollapsedContent&) const = default;
};

CollapsedContent collapsedContent(const Store& store, const ScreenMetrics& metrics);

} // namespace vesk
