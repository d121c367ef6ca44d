#pragma once

#include "core/model/Date.hpp"
#include "core/model/Prefs.hpp"
#include "core/model/TimerModels.hpp"

namespace vesk {

// What the focus timer reads, computed from its stored instants and sums, never from a
// counter: a run keeps its true length across a restart or a suspend of the machine.
// `now` is the store's notion of the current time, which moves with the timer's ticker.

// Running, paused with time on it, or in a pomodoro break.
bool isTimerActive(const TimerState& timer);
// Seconds the run has lasted at `at`.
double elapsedAt(const TimerState& timer, Date at);
// The current pomodoro phase's configured length, in seconds.
double phaseLength(const TimerState& timer, const Prefs& prefs);
// What the timer shows: the stopwatch's seconds, or what is left of the phase.
double shownTime(const TimerState& timer, const Prefs& prefs, Date now);
// From 0 to 1: through the phase, or through the stopwatch's current minute.
double timerProgress(const TimerState& timer, const Prefs& prefs, Date now);
// Seconds of focus in the current run (a break is none).
double liveFocus(const TimerState& timer, Date now);

} // namespace vesk
