#include "shell/state/CollapsedContent.hpp"

#include "core/format/Fmt.hpp"
#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"
#include "shell/theme/Theme.hpp"

#include <cmath>

namespace vesk {

TimerLook timerLook(const Store& store) {
    const TimerState& timer = store.timer.get();
    const bool pomodoro = timer.mode == TimerMode::pomodoro;
    const double shown = shownTime(store.timer.get(), store.prefs.get(), store.now.get());
    TimerLook look;
    look.clock = Fmt::clock(pomodoro ? std::ceil(shown) : shown);
    look.tint = pomodoro && timer.phase == PomoPhase::rest ? Theme::rest() : Theme::focus();
    look.running = timer.runningSince.has_value();
    look.countsDown = pomodoro;
    return look;
}

CollapsedContent collapsedContent(const Store& store, const ScreenMetrics& metrics) {
    CollapsedContent content;
    content.metrics = metrics;
    content.titleMaxWidth = metrics.hasNotch ? 56 : 120;
    if (!isTimerActive(store.timer.get())) {
        content.trailing = std::to_string(openCount(store.tasks.get()));
        content.trailingColor = Theme::text2();
        return content;
    }
    const TimerState& timer = store.timer.get();
    const bool pomodoro = timer.mode == TimerMode::pomodoro;
    content.timer = timerLook(store);
    content.mark = pomodoro ? CollapsedContent::Mark::ring : CollapsedContent::Mark::pulse;
    content.progress = timerProgress(store.timer.get(), store.prefs.get(), store.now.get());
    content.title = taskTitle(store.tasks.get(), timer.taskID);
    if (!content.title && pomodoro && timer.phase == PomoPhase::rest) content.title = "Break";
    content.trailing = content.timer.clock;
    content.trailingIsClock = true;
    content.trailingColor = content.timer.running ? content.timer.tint : Theme::text2();
    return content;
}

} // namespace vesk
