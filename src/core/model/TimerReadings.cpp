#include "core/model/TimerReadings.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

bool isTimerActive(const TimerState& timer) {
    return timer.runningSince || timer.accumulated > 0 ||
           (timer.mode == TimerMode::pomodoro && timer.phase == PomoPhase::rest);
}

double elapsedAt(const TimerState& timer, Date at) {
    double seconds = timer.accumulated;
    // A start in the future (a clock stepped back) counts as nothing yet.
    if (timer.runningSince) seconds += std::max(secondsBetween(*timer.runningSince, at), 0.0);
    return seconds;
}

double phaseLength(const TimerState& timer, const Prefs& prefs) {
    // In double: minutes from a hand-edited file may be far too large for 60 × minutes in 64 bits.
    const auto minutes = timer.phase == PomoPhase::rest ? prefs.breakMinutes : prefs.focusMinutes;
    return 60.0 * static_cast<double>(minutes);
}

double shownTime(const TimerState& timer, const Prefs& prefs, Date now) {
    const double seconds = elapsedAt(timer, now);
    if (timer.mode == TimerMode::stopwatch) return seconds;
    return std::max(phaseLength(timer, prefs) - seconds, 0.0);
}

double timerProgress(const TimerState& timer, const Prefs& prefs, Date now) {
    const double seconds = elapsedAt(timer, now);
    if (timer.mode == TimerMode::stopwatch) return std::fmod(seconds, 60.0) / 60.0;
    const double length = phaseLength(timer, prefs);
    return std::min(seconds / (length < 1 ? 1.0 : length), 1.0);
}

double liveFocus(const TimerState& timer, Date now) {
    if (timer.mode == TimerMode::pomodoro && timer.phase == PomoPhase::rest) return 0;
    return elapsedAt(timer, now);
}

} // namespace vesk
