#include "core/model/IsoDate.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/runtime/Observations.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::StoreTestBed;

class StoreTimerTest : public ::testing::Test, protected StoreTestBed {
  protected:
    StoreTimerTest() {
        open();
        heard.listen(store->timerEvent, [this](TimerEvent event) {
            events.push_back(event);
            phaseAtEvent = store->timer.get().phase;
        });
    }

    Store& s() { return *store; }
    bool ticking() const { return store->isTicking(); }
    std::size_t logged() const { return store->sessions.get().size(); }
    const FocusSession& lastSession() const { return store->sessions.get().back(); }

    std::vector<TimerEvent> events;
    PomoPhase phaseAtEvent = PomoPhase::focus;
    Observations heard;
};

TEST_F(StoreTimerTest, FocusPhaseEndLogsExactlyThePhaseLengthThenTheBreakRuns) {
    const Date started = clock.now();
    const UUID taskID = UUID::random(random);
    test::put(s(), &Snapshot::tasks, {TaskItem{.id = taskID, .title = ""}});
    s().start(TimerMode::pomodoro, taskID);
    EXPECT_TRUE(ticking());
    EXPECT_EQ(s().timer.get().segmentStart, started);

    queue.advance(1499);
    EXPECT_EQ(logged(), 0u);
    EXPECT_DOUBLE_EQ(shownTime(s().timer.get(), s().prefs.get(), s().now.get()), 1);
    queue.advance(1);
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().duration, 1500);
    EXPECT_TRUE(lastSession().fullPomodoro);
    EXPECT_EQ(lastSession().start, started);
    EXPECT_EQ(lastSession().taskID, taskID);
    EXPECT_EQ(lastSession().taskTitle, "Untitled");
    EXPECT_EQ(events, std::vector<TimerEvent>{TimerEvent::focusDone});
    EXPECT_EQ(phaseAtEvent, PomoPhase::rest); // the shell sees the new phase

    // The break runs from that moment.
    EXPECT_EQ(s().timer.get().phase, PomoPhase::rest);
    EXPECT_EQ(s().timer.get().runningSince, clock.now());
    EXPECT_EQ(s().timer.get().segmentStart, clock.now());
    EXPECT_TRUE(ticking());
    EXPECT_EQ(liveFocus(s().timer.get(), s().now.get()), 0);

    // The break's end makes the timer idle and logs nothing.
    queue.advance(300);
    EXPECT_EQ(events, (std::vector<TimerEvent>{TimerEvent::focusDone, TimerEvent::breakDone}));
    EXPECT_EQ(logged(), 1u);
    EXPECT_FALSE(isTimerActive(s().timer.get()));
    EXPECT_EQ(s().timer.get().phase, PomoPhase::focus);
    EXPECT_EQ(s().timer.get().taskID, taskID);
    EXPECT_FALSE(ticking());
    // No focus phase starts by itself after a break.
    queue.advance(3600);
    EXPECT_EQ(logged(), 1u);

    // Each change was saved.
    EXPECT_EQ(onDisk()->sessions, s().sessions.get());
    EXPECT_EQ(onDisk()->timer, s().timer.get());
}

TEST_F(StoreTimerTest, WithoutAutoStartTheBreakWaitsForResume) {
    s().writePrefs([](Prefs& p) {
        p.autoStartBreak = false;
        p.focusMinutes = 1;
        p.breakMinutes = 2;
    });
    s().start(TimerMode::pomodoro, std::nullopt);
    queue.advance(60);
    EXPECT_EQ(lastSession().duration, 60);
    EXPECT_FALSE(lastSession().taskTitle);
    EXPECT_EQ(s().timer.get().phase, PomoPhase::rest);
    EXPECT_FALSE(s().timer.get().runningSince);
    EXPECT_FALSE(s().timer.get().segmentStart);
    EXPECT_TRUE(isTimerActive(s().timer.get()));
    EXPECT_FALSE(ticking());
    EXPECT_DOUBLE_EQ(shownTime(s().timer.get(), s().prefs.get(), s().now.get()),
                     120); // the break's length, not yet counting

    clock.advance(500);
    s().resume();
    EXPECT_TRUE(ticking());
    EXPECT_EQ(s().timer.get().segmentStart, clock.now());
    queue.advance(120);
    EXPECT_EQ(events.back(), TimerEvent::breakDone);
    EXPECT_FALSE(isTimerActive(s().timer.get()));
}

TEST_F(StoreTimerTest, FinishLogsRunsOfTenSecondsOrMore) {
    const Date started = clock.now();
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(9.9);
    s().finish();
    EXPECT_EQ(logged(), 0u);
    EXPECT_FALSE(isTimerActive(s().timer.get()));
    EXPECT_FALSE(ticking());

    const Date second = clock.now();
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(10);
    s().finish();
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().duration, 10);
    EXPECT_FALSE(lastSession().fullPomodoro);
    EXPECT_EQ(lastSession().mode, TimerMode::stopwatch);
    EXPECT_EQ(lastSession().start, second);
    EXPECT_NE(second, started);
    // Mode and task stay after finishing.
    EXPECT_EQ(s().timer.get().mode, TimerMode::stopwatch);

    // Finishing during a break logs nothing.
    s().start(TimerMode::pomodoro, std::nullopt);
    queue.advance(1500 + 100);
    s().finish();
    EXPECT_EQ(logged(), 2u);
    EXPECT_FALSE(isTimerActive(s().timer.get()));
}

TEST_F(StoreTimerTest, PauseAndResumeAcrossAnHourLogOnlyTheRunningTime) {
    const Date started = clock.now();
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(30);
    s().pause();
    EXPECT_EQ(s().timer.get().accumulated, 30);
    EXPECT_FALSE(ticking());
    EXPECT_TRUE(isTimerActive(s().timer.get()));
    EXPECT_EQ(liveFocus(s().timer.get(), s().now.get()), 30);

    queue.advance(3600);
    EXPECT_EQ(s().now.get(), started + std::chrono::seconds(30)); // nothing ticks while paused
    s().resume();
    EXPECT_TRUE(ticking());
    queue.advance(15);
    s().finish();
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().duration, 45);
    EXPECT_EQ(lastSession().start, started);
}

TEST_F(StoreTimerTest, PauseOnAStoppedTimerChangesNothingAndSavesNothing) {
    s().pause();
    EXPECT_EQ(queue.pendingCount(), 0u);
    s().start(TimerMode::stopwatch, std::nullopt);
    s().pause();
    queue.advance(1);
    const auto before = writes();
    const TimerState state = s().timer.get();
    s().pause();
    EXPECT_EQ(s().timer.get(), state);
    queue.advance(1);
    EXPECT_EQ(writes(), before);
}

TEST_F(StoreTimerTest, StartAndSetModeFinishTheActiveRunFirst) {
    const UUID first = UUID::random(random);
    const UUID second = UUID::random(random);
    test::put(s(), &Snapshot::tasks, {TaskItem{.id = first, .title = "Write"}});
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(20);
    s().attach(first); // the whole run goes to the task attached when it is logged
    EXPECT_TRUE(ticking());
    s().start(TimerMode::pomodoro, second);
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().taskTitle, "Write");
    EXPECT_EQ(lastSession().mode, TimerMode::stopwatch);
    EXPECT_EQ(s().timer.get().taskID, second);
    EXPECT_EQ(s().timer.get().segmentStart, clock.now());
    EXPECT_EQ(elapsedAt(s().timer.get(), clock.now()), 0);

    // The same mode: nothing at all.
    queue.advance(1);
    const auto pending = queue.pendingCount();
    const TimerState state = s().timer.get();
    s().setMode(TimerMode::pomodoro);
    EXPECT_EQ(s().timer.get(), state);
    EXPECT_EQ(queue.pendingCount(), pending);

    // The other mode: the focus run is logged and the timer idles in the new mode.
    queue.advance(11);
    s().setMode(TimerMode::stopwatch);
    EXPECT_EQ(logged(), 2u);
    EXPECT_EQ(lastSession().duration, 12);
    EXPECT_EQ(s().timer.get().mode, TimerMode::stopwatch);
    EXPECT_FALSE(isTimerActive(s().timer.get()));
    EXPECT_FALSE(ticking());

    // During a break nothing is logged.
    s().start(TimerMode::pomodoro, std::nullopt);
    queue.advance(1510);
    EXPECT_EQ(logged(), 3u);
    s().setMode(TimerMode::stopwatch);
    EXPECT_EQ(logged(), 3u);
    EXPECT_EQ(s().timer.get().phase, PomoPhase::focus);
}

TEST_F(StoreTimerTest, ReadingsAtTheStoresNow) {
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(90);
    EXPECT_DOUBLE_EQ(timerProgress(s().timer.get(), s().prefs.get(), s().now.get()), 0.5);
    EXPECT_DOUBLE_EQ(shownTime(s().timer.get(), s().prefs.get(), s().now.get()), 90);
    // Between ticks the readings keep the last tick's time.
    clock.advance(0.3);
    EXPECT_DOUBLE_EQ(shownTime(s().timer.get(), s().prefs.get(), s().now.get()), 90);
    EXPECT_DOUBLE_EQ(elapsedAt(s().timer.get(), clock.now()), 90.3);
    s().resetTimer();

    s().writePrefs([](Prefs& p) { p.focusMinutes = 0; });
    test::edit(s(), &Snapshot::timer, [this](TimerState& t) {
        t.mode = TimerMode::pomodoro;
        t.accumulated = 0.25;
    });
    EXPECT_DOUBLE_EQ(timerProgress(s().timer.get(), s().prefs.get(), s().now.get()),
                     0.25); // a phase under 1 s divides by 1
    EXPECT_EQ(shownTime(s().timer.get(), s().prefs.get(), s().now.get()), 0); // never negative
    test::edit(s(), &Snapshot::timer, [](TimerState& t) { t.accumulated = 5; });
    EXPECT_EQ(timerProgress(s().timer.get(), s().prefs.get(), s().now.get()), 1);
}

TEST_F(StoreTimerTest, PhaseThatEndedDuringASuspendEndsOnTheFirstTickAfter) {
    const Date started = clock.now();
    s().start(TimerMode::pomodoro, std::nullopt);
    queue.advance(100);
    clock.advance(7200); // asleep: nothing ran
    const Date woke = clock.now();
    queue.advance(0.5);
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().duration, 1500);
    EXPECT_EQ(lastSession().start, started);
    EXPECT_EQ(events, std::vector<TimerEvent>{TimerEvent::focusDone});
    // Only one phase ends per tick; the break starts at wake-up.
    EXPECT_EQ(s().timer.get().phase, PomoPhase::rest);
    EXPECT_EQ(s().timer.get().runningSince, woke);
}

TEST_F(StoreTimerTest, ClockSteppedBackNeverShortensTheRun) {
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(20);
    s().pause();
    s().resume();
    clock.advance(-3600);
    s().pause();
    EXPECT_EQ(s().timer.get().accumulated, 20);
    s().resume();
    queue.advance(10);
    s().finish();
    EXPECT_EQ(lastSession().duration, 30);
}

TEST_F(StoreTimerTest, StartFromIdleIgnoresAStaleSegmentStart) {
    // An idle timer that still carries a start, as a hand-edited file may.
    test::edit(s(), &Snapshot::timer,
               [this](TimerState& t) { t.segmentStart = clock.now() - std::chrono::hours(30); });
    EXPECT_FALSE(isTimerActive(s().timer.get()));
    const Date started = clock.now();
    s().start(TimerMode::stopwatch, std::nullopt);
    queue.advance(15);
    s().finish();
    EXPECT_EQ(lastSession().start, started);
}

// A hand-edited start long before what a Date holds is read as the earliest one: the run has
// lasted centuries, not a negative or wrapped span.
TEST_F(StoreTimerTest, ARunStartedInTheFarPastHasLastedSinceThen) {
    Snapshot snapshot;
    snapshot.timer.runningSince = IsoDate::parse("0001-01-01T00:00:00Z");
    snapshot.timer.segmentStart = snapshot.timer.runningSince;
    putDocument(snapshot);
    open();
    queue.advance(1);
    ASSERT_EQ(logged(), 1u);
    EXPECT_EQ(lastSession().start, IsoDate::earliest);
    EXPECT_EQ(lastSession().duration, 1500);

    snapshot.timer.mode = TimerMode::stopwatch;
    putDocument(snapshot);
    open();
    s().pause();
    EXPECT_NEAR(s().timer.get().accumulated, secondsBetween(IsoDate::earliest, clock.now()), 1.0);
    EXPECT_GT(s().timer.get().accumulated, 1e10);
}

} // namespace
} // namespace vesk
