#pragma once

#include "core/model/Date.hpp"
#include "core/model/TimerModels.hpp"
#include "core/model/Uuid.hpp"

#include <QColor>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class Store;

// The dial: the ring or the stopwatch's dot, the time and the state label.
struct FocusDialContent {
    TimerMode mode = TimerMode::pomodoro;
    double progress = 0;
    QColor tint; // of the ring and of a running stopwatch's dot
    std::string time;
    double timePoints = 40;
    QColor timeColor;
    bool countsDown = true;
    std::string label;
    QColor labelColor;
    QColor dotColor;
    bool operator==(const FocusDialContent&) const = default;
};

// The reset, play/pause and finish-or-skip buttons.
struct FocusControlsContent {
    bool running = false;
    bool canEnd = false; // reset and finish/skip act only on an active timer
    QColor endTint;      // theirs, faint while they cannot act
    std::string playSymbol;
    QColor playFill;
    std::string finishSymbol;
    std::string finishHelp;
    bool operator==(const FocusControlsContent&) const = default;
};

// The task picker's capsule.
struct TaskPickerLabel {
    bool attached = false; // a task id is set, even one that names no task any more
    std::string icon;
    std::string text;
    bool operator==(const TaskPickerLabel&) const = default;
};

// One entry of the task picker's menu.
struct TaskPickerEntry {
    enum class Kind { task, divider };
    Kind kind = Kind::task;
    std::string text;
    bool checked = false;
    std::optional<UUID> taskID; // what choosing it attaches; none detaches
    bool operator==(const TaskPickerEntry&) const = default;
};

// Everything the focus screen shows, derived from the store alone.
struct FocusContent {
    TimerMode mode = TimerMode::pomodoro;
    FocusDialContent dial;
    FocusControlsContent controls;
    TaskPickerLabel picker;
    bool showsPresets = true;
    std::int64_t focusMinutes = 25;
    std::int64_t breakMinutes = 5;
    std::string summary;
    bool operator==(const FocusContent&) const = default;
};

// `today`: the start of the clock's current day.
FocusContent focusContent(const Store& store, Date today);

// "BREAK", "FOCUS", "PAUSED", "RUNNING" or "STOPWATCH".
std::string phaseLabel(const TimerState& timer, bool active);
TaskPickerLabel taskPickerLabel(const Store& store);
// "No task", a divider when there are open tasks, then at most the first 40 of them.
std::vector<TaskPickerEntry> taskPickerEntries(const Store& store);
// "3 pomodoros  ·  1h 15m focused today".
std::string focusSummary(int pomodoros, double focusSeconds);

// The chips of the presets row, in minutes.
inline constexpr std::int64_t focusPresets[] = {5, 15, 25, 50};
inline constexpr std::int64_t breakPresets[] = {5, 10};

} // namespace vesk
