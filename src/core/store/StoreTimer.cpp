// The focus timer: pomodoro and stopwatch. Every reading is computed from stored instants
// and sums, never from a counter, so a run keeps its true length across a restart or a
// suspend of the machine, and a phase that ended meanwhile ends at the first tick after.
#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

// Shorter runs are taken for a mis-click and not logged.
constexpr double shortestLoggedSeconds = 10;

} // namespace

void Store::syncTicker() {
    const bool running = timer.get().runningSince.has_value();
    if (running && !ticker_) {
        // The readings change as the run passes a whole second (a phase lasts whole minutes,
        // so a countdown changes at the same moments): the ticker wakes then, and only then.
        const double seconds = elapsedAt(timer.get(), env_.clock.now());
        env_.queue.debounce(ticker_, std::floor(seconds) + 1 - seconds, [this] {
            tick();
            syncTicker();
        });
    } else if (!running) {
        ticker_.reset();
    }
}

void Store::start(TimerMode mode, std::optional<UUID> taskID) {
    const auto hold = changes_.hold();
    if (isTimerActive(timer.get())) finish();
    timer.update([&](TimerState& state) {
        state.mode = mode;
        state.phase = PomoPhase::focus;
        state.taskID = taskID;
        // A fresh run starts now, even when an idle timer kept an old start (a pause at the
        // very instant of starting, a hand-edited file): the session must not claim it.
        state.segmentStart.reset();
    });
    resume();
}

void Store::pause() {
    const auto hold = changes_.hold();
    if (!timer.get().runningSince) return;
    const Date t = env_.clock.now();
    timer.update([&](TimerState& state) {
        // A clock stepped back must not make the run shorter than it was.
        state.accumulated += std::max(secondsBetween(*state.runningSince, t), 0.0);
        state.runningSince.reset();
    });
    now.set(t);
    changed();
}

void Store::resume() {
    const auto hold = changes_.hold();
    const Date t = env_.clock.now();
    now.set(t);
    timer.update([&](TimerState& state) {
        if (!state.segmentStart) state.segmentStart = t;
        state.runningSince = t;
    });
    changed();
}

void Store::finish() {
    const auto hold = changes_.hold();
    const double elapsedSeconds = elapsedAt(timer.get(), env_.clock.now());
    const bool inBreak = timer.get().mode == TimerMode::pomodoro && timer.get().phase == PomoPhase::rest;
    if (!inBreak && elapsedSeconds >= shortestLoggedSeconds) log(elapsedSeconds, false);
    resetTimer();
}

void Store::resetTimer() {
    const auto hold = changes_.hold();
    timer.update([](TimerState& state) {
        state.accumulated = 0;
        state.runningSince.reset();
        state.segmentStart.reset();
        state.phase = PomoPhase::focus;
    });
    now.set(env_.clock.now());
    changed();
}

void Store::setMode(TimerMode mode) {
    const auto hold = changes_.hold();
    if (mode == timer.get().mode) return;
    if (isTimerActive(timer.get())) finish();
    timer.update([&](TimerState& state) { state.mode = mode; });
    changed();
}

void Store::attach(std::optional<UUID> taskID) {
    timer.update([&](TimerState& state) { state.taskID = taskID; });
    changed();
}

void Store::tick() {
    const auto hold = changes_.hold();
    now.set(env_.clock.now());
    const TimerState& state = timer.get();
    if (state.mode != TimerMode::pomodoro || !state.runningSince) return;
    if (elapsedAt(timer.get(), now.get()) >= phaseLength(timer.get(), prefs.get())) completePhase();
}

void Store::completePhase() {
    const Date t = env_.clock.now();
    if (timer.get().phase == PomoPhase::rest) {
        timer.update([](TimerState& state) {
            state.phase = PomoPhase::focus;
            state.accumulated = 0;
            state.runningSince.reset();
            state.segmentStart.reset();
        });
        changed();
        timerEvent.send(TimerEvent::breakDone);
        return;
    }
    // The configured length, not the measured one: the tick may come a moment late, or
    // long after the end when the machine slept through it.
    log(phaseLength(timer.get(), prefs.get()), true);
    const bool autoStart = prefs.get().autoStartBreak;
    timer.update([&](TimerState& state) {
        state.phase = PomoPhase::rest;
        state.accumulated = 0;
        state.runningSince = autoStart ? std::optional<Date>(t) : std::nullopt;
        state.segmentStart = state.runningSince;
    });
    changed();
    // Last, so that the shell sees the new phase.
    timerEvent.send(TimerEvent::focusDone);
}

void Store::log(double durationSeconds, bool full) {
    const TimerState& state = timer.get();
    FocusSession session{
        UUID::random(env_.random),
        state.taskID,
        taskTitle(tasks.get(), state.taskID),
        state.mode,
        state.segmentStart.value_or(addingSeconds(env_.clock.now(), -durationSeconds)),
        durationSeconds,
        full,
    };
    sessions.update([&](std::vector<FocusSession>& all) { all.push_back(std::move(session)); });
}

} // namespace vesk
