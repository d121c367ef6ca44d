#include "tabs/focus/FocusContent.hpp"

#include "shell/theme/Theme.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

class FocusContentTest : public ::testing::Test {
  protected:
    FocusContent content() const { return focusContent(store, bed.calendar.startOfDay(bed.clock.now())); }
    std::string time() const { return content().dial.time; }
    std::string label() const { return content().dial.label; }
    void setFocusMinutes(std::int64_t minutes) {
        store.writePrefs([&](Prefs& prefs) { prefs.focusMinutes = minutes; });
    }

    test::StoreTestBed bed;
    Store& store = bed.open();
};

TEST_F(FocusContentTest, PomodoroRoundsTheRemainderUpAndTheStopwatchShowsWholeSeconds) {
    EXPECT_EQ(time(), "25:00");
    store.start(TimerMode::pomodoro, std::nullopt);
    bed.queue.advance(0.5);
    EXPECT_EQ(time(), "25:00");
    bed.queue.advance(0.5);
    EXPECT_EQ(time(), "24:59");
    EXPECT_TRUE(content().dial.countsDown);

    store.setMode(TimerMode::stopwatch);
    EXPECT_EQ(time(), "00:00");
    store.resume();
    bed.queue.advance(1.5);
    EXPECT_EQ(time(), "00:01");
    EXPECT_FALSE(content().dial.countsDown);
}

TEST_F(FocusContentTest, FromAnHourOnTheClockShowsHoursInTheSmallerSize) {
    setFocusMinutes(60);
    EXPECT_EQ(time(), "1:00:00");
    EXPECT_EQ(content().dial.timePoints, 32);
    store.resume();
    bed.queue.advance(0.5); // still rounds up to the hour
    EXPECT_EQ(time(), "1:00:00");
    EXPECT_EQ(content().dial.timePoints, 32);
    bed.queue.advance(0.5);
    EXPECT_EQ(time(), "59:59");
    EXPECT_EQ(content().dial.timePoints, 40);

    store.start(TimerMode::stopwatch, std::nullopt);
    bed.queue.advance(3725.5);
    EXPECT_EQ(time(), "1:02:05");
    EXPECT_EQ(content().dial.timePoints, 32);
}

TEST_F(FocusContentTest, APausedTimerHoldsItsTimeAndASuspendNeverShowsANegativeRemainder) {
    store.start(TimerMode::pomodoro, std::nullopt);
    bed.queue.advance(30);
    store.pause();
    bed.queue.advance(600);
    EXPECT_EQ(time(), "24:30");
    EXPECT_EQ(content().dial.timeColor, Theme::text2());

    store.resume();
    EXPECT_EQ(content().dial.timeColor, Theme::text());
    // A run read past its phase's end before a tick ends the phase (the machine slept) shows no
    // negative remainder.
    test::edit(store, &Snapshot::timer,
               [](TimerState& timer) { timer.runningSince = addingSeconds(*timer.runningSince, -3600); });
    EXPECT_EQ(time(), "00:00");
    // The first tick after ends it, and a view hears of the break only.
    std::vector<std::string> shown;
    const auto token = store.now.observe([&] { shown.push_back(time()); });
    bed.clock.advance(3601);
    bed.queue.runDue();
    store.now.unobserve(token);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), "05:00");
}

TEST_F(FocusContentTest, StateLabelsFollowModePhaseAndRun) {
    const auto stateLabel = [](TimerMode mode, PomoPhase phase, bool running, bool active) {
        TimerState timer;
        timer.mode = mode;
        timer.phase = phase;
        if (running) timer.runningSince = Date{};
        return phaseLabel(timer, active);
    };
    using enum TimerMode;
    using enum PomoPhase;
    EXPECT_EQ(stateLabel(pomodoro, rest, false, true), "BREAK");
    EXPECT_EQ(stateLabel(pomodoro, rest, true, true), "BREAK");
    EXPECT_EQ(stateLabel(pomodoro, focus, true, true), "FOCUS");
    EXPECT_EQ(stateLabel(pomodoro, focus, false, true), "PAUSED");
    EXPECT_EQ(stateLabel(pomodoro, focus, false, false), "FOCUS");
    EXPECT_EQ(stateLabel(stopwatch, focus, true, true), "RUNNING");
    EXPECT_EQ(stateLabel(stopwatch, rest, false, true), "PAUSED");
    EXPECT_EQ(stateLabel(stopwatch, focus, false, false), "STOPWATCH");
}

TEST_F(FocusContentTest, ResetAndFinishActOnlyOnAnActiveTimerAndSkipABreak) {
    FocusControlsContent idle = content().controls;
    EXPECT_FALSE(idle.canEnd);
    EXPECT_NEAR(idle.endTint.alphaF(), Theme::text2().alphaF() * 0.35, 1e-3);
    EXPECT_EQ(idle.playSymbol, "play.fill");
    EXPECT_EQ(idle.playFill, Theme::focus());
    EXPECT_EQ(content().dial.labelColor, Theme::text3());

    store.resume();
    FocusControlsContent running = content().controls;
    EXPECT_TRUE(running.canEnd);
    EXPECT_EQ(running.endTint, Theme::text2());
    EXPECT_EQ(running.playSymbol, "pause.fill");
    EXPECT_EQ(running.playFill, Theme::text());
    EXPECT_EQ(running.finishHelp, "Finish and save");

    // A break waiting for play can still be reset or skipped.
    store.writePrefs([](Prefs& prefs) { prefs.autoStartBreak = false; });
    bed.queue.advance(1500);
    const FocusContent rest = content();
    EXPECT_TRUE(rest.controls.canEnd);
    EXPECT_EQ(rest.controls.finishSymbol, "forward.end.fill");
    EXPECT_EQ(rest.controls.finishHelp, "Skip break");
    EXPECT_EQ(rest.controls.playSymbol, "play.fill");
    EXPECT_EQ(rest.controls.playFill, Theme::rest());
    EXPECT_EQ(rest.dial.label, "BREAK");
    EXPECT_NEAR(rest.dial.labelColor.alphaF(), 0.85, 1e-3);

    store.finish();
    store.setMode(TimerMode::stopwatch);
    EXPECT_FALSE(content().controls.canEnd);
    EXPECT_FALSE(content().showsPresets);
}

TEST_F(FocusContentTest, PickerListsNoTaskThenTheFirstFortyOpenTasksWithSubtasksIndented) {
    std::vector<TaskPickerEntry> entries = taskPickerEntries(store);
    ASSERT_EQ(entries.size(), 1u); // no divider without tasks
    EXPECT_EQ(entries[0].text, "No task");
    EXPECT_TRUE(entries[0].checked);

    const UUID parent = *store.addTask("Write report");
    const UUID child = *store.addTask("Outline", parent);
    store.update(child, [](TaskItem& task) { task.title.clear(); });
    store.attach(child);
    entries = taskPickerEntries(store);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].kind, TaskPickerEntry::Kind::divider);
    EXPECT_EQ(entries[2].text, "Write report");
    EXPECT_EQ(entries[3].text, "   Untitled");
    EXPECT_FALSE(entries[0].checked);
    EXPECT_TRUE(entries[3].checked);
    EXPECT_EQ(entries[3].taskID, child);
    EXPECT_EQ(taskPickerLabel(store), (TaskPickerLabel{true, "circle", "Untitled"}));

    for (int i = 0; i < 45; ++i)
        store.addTask("task " + std::to_string(i));
    entries = taskPickerEntries(store);
    EXPECT_EQ(entries.size(), 42u);
    EXPECT_EQ(entries.back().text, "task 5"); // new tasks go on top: 44, 43, … 5
}

TEST_F(FocusContentTest, ADeletedAttachedTaskReadsAttachATaskWithNothingChecked) {
    EXPECT_EQ(taskPickerLabel(store), (TaskPickerLabel{false, "link", "Attach a task"}));
    store.addTask("Stays");
    // Deleting a task detaches the timer; an outside edit of the file may still leave its id.
    store.attach(UUID::random(bed.random));
    EXPECT_EQ(taskPickerLabel(store), (TaskPickerLabel{true, "circle", "Attach a task"}));
    for (const TaskPickerEntry& entry : taskPickerEntries(store))
        EXPECT_FALSE(entry.checked) << entry.text;
}

TEST_F(FocusContentTest, SummaryCountsTodaysFullPomodorosAndFocusWithTheRunningOne) {
    EXPECT_EQ(focusSummary(0, 0), "0 pomodoros  ·  0m focused today");
    EXPECT_EQ(focusSummary(1, 25 * 60), "1 pomodoro  ·  25m focused today");
    EXPECT_EQ(focusSummary(3, 75 * 60), "3 pomodoros  ·  1h 15m focused today");

    // Yesterday's session does not count.
    test::put(store, &Snapshot::sessions,
              {FocusSession{
                  .start = addingSeconds(bed.clock.now(), -86400), .duration = 1500, .fullPomodoro = true}});
    store.start(TimerMode::pomodoro, std::nullopt);
    bed.queue.advance(1500);
    store.finish(); // skips the break
    store.resume();
    bed.queue.advance(120);
    EXPECT_EQ(content().summary, "1 pomodoro  ·  27m focused today");
}

} // namespace
} // namespace vesk
