#include "tabs/focus/FocusContent.hpp"

#include "core/format/Fmt.hpp"
#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"
#include "shell/state/CollapsedContent.hpp"
#include "shell/theme/Theme.hpp"

#include <algorithm>

namespace vesk {

namespace {

// Longer lists would make a menu taller than the screen.
constexpr std::size_t pickerTaskLimit = 40;

QColor faded(QColor color, double opacity) {
    color.setAlphaF(static_cast<float>(color.alphaF() * opacity));
    return color;
}

// Seconds of focus on the clock's current day, the running focus included.
double focusToday(const Store& store, Date today) {
    const FocusByDay byDay = store.statistics().focusByDay();
    const auto found = byDay.find(today);
    return found == byDay.end() ? 0.0 : found->second;
}

} // namespace

std::string phaseLabel(const TimerState& timer, bool active) {
    const bool running = timer.runningSince.has_value();
    if (timer.mode == TimerMode::pomodoro) {
        if (timer.phase == PomoPhase::rest) return "BREAK";
        return !running && active ? "PAUSED" : "FOCUS";
    }
    if (running) return "RUNNING";
    return active ? "PAUSED" : "STOPWATCH";
}

TaskPickerLabel taskPickerLabel(const Store& store) {
    const std::optional<UUID>& taskID = store.timer.get().taskID;
    TaskPickerLabel label;
    label.attached = taskID.has_value();
    label.icon = label.attached ? "circle" : "link";
    label.text = taskTitle(store.tasks.get(), taskID).value_or("Attach a task");
    return label;
}

std::vector<TaskPickerEntry> taskPickerEntries(const Store& store) {
    const std::optional<UUID>& attached = store.timer.get().taskID;
    std::vector<TaskPickerEntry> entries;
    entries.push_back({TaskPickerEntry::Kind::task, "No task", !attached.has_value(), std::nullopt});
    const std::vector<TaskItem> open = allOpenTasks(store.tasks.get(), store.lists.get());
    if (!open.empty()) entries.push_back({TaskPickerEntry::Kind::divider, {}, false, std::nullopt});
    const std::size_t shown = std::min(open.size(), pickerTaskLimit);
    for (std::size_t i = 0; i < shown; ++i) {
        const TaskItem& task = open[i];
        const std::string indent = task.parentID ? "   " : "";
        entries.push_back({TaskPickerEntry::Kind::task,
                           indent + taskTitle(store.tasks.get(), task.id).value_or(""), attached == task.id,
                           task.id});
    }
    return entries;
}

std::string focusSummary(int pomodoros, double focusSeconds) {
    return std::to_string(pomodoros) + " pomodoro" + (pomodoros == 1 ? "" : "s") + "  ·  " +
           Fmt::duration(focusSeconds) + " focused today";
}

FocusContent focusContent(const Store& store, Date today) {
    const TimerState& timer = store.timer.get();
    const bool pomodoro = timer.mode == TimerMode::pomodoro;
    const bool running = timer.runningSince.has_value();
    const bool active = isTimerActive(store.timer.get());
    const bool isRest = pomodoro && timer.phase == PomoPhase::rest;
    // The chip and the pill read the same clock, so all three agree to the second.
    const TimerLook look = timerLook(store);
    const QColor& phaseColor = look.tint;

    FocusContent content;
    content.mode = timer.mode;

    FocusDialContent& dial = content.dial;
    dial.mode = timer.mode;
    dial.progress = timerProgress(store.timer.get(), store.prefs.get(), store.now.get());
    dial.tint = phaseColor;
    dial.time = look.clock;
    // By the clock as shown, so that "1:00:00" never appears in the larger size.
    dial.timePoints = std::count(look.clock.begin(), look.clock.end(), ':') > 1 ? 32 : 40;
    dial.timeColor = running ? Theme::text() : Theme::text2();
    dial.countsDown = pomodoro;
    dial.label = phaseLabel(timer, active);
    dial.labelColor = active ? faded(phaseColor, 0.85) : Theme::text3();
    dial.dotColor = running ? Theme::focus() : Theme::text3();

    FocusControlsContent& controls = content.controls;
    controls.running = running;
    controls.canEnd = active;
    controls.endTint = faded(Theme::text2(), active ? 1.0 : 0.35);
    controls.playSymbol = running ? "pause.fill" : "play.fill";
    controls.playFill = running ? Theme::text() : phaseColor;
    controls.finishSymbol = isRest ? "forward.end.fill" : "stop.fill";
    controls.finishHelp = isRest ? "Skip break" : "Finish and save";

    content.picker = taskPickerLabel(store);
    content.showsPresets = pomodoro;
    content.focusMinutes = store.prefs.get().focusMinutes;
    content.breakMinutes = store.prefs.get().breakMinutes;
    content.summary = focusSummary(store.statistics().todayPomodoros(), focusToday(store, today));
    return content;
}

} // namespace vesk
