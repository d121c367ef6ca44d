#include "tabs/focus/FocusView.hpp"

#include "core/model/TimerReadings.hpp"
#include "shell/FrameClock.hpp"
#include "shell/WidgetEvents.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/controls/Chip.hpp"
#include "shell/controls/IconButton.hpp"
#include "shell/controls/PlainButton.hpp"
#include "shell/controls/Ring.hpp"
#include "shell/controls/RollingText.hpp"
#include "shell/controls/Segmented.hpp"
#include "shell/controls/TextLabel.hpp"
#include "shell/controls/ThemedMenu.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/focus/FocusDial.hpp"
#include "tabs/focus/PlayButton.hpp"
#include "tabs/focus/StopwatchFace.hpp"
#include "tabs/focus/TaskPicker.hpp"

#include <QMenu>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class FocusViewTest : public ::testing::Test {
  protected:
    FocusViewTest() {
        view.resize(378, 366);
        view.show();
    }

    std::string time() const { return view.dial().time().text().toStdString(); }
    double ring() const { return view.dial().ring().progress(); }
    void play() { test::click(&view.playButton()); }
    // Store time and animation frames side by side, a tick at a time.
    void run(double seconds) {
        for (int i = 0; i < static_cast<int>(seconds); ++i) {
            bed.queue.advance(1);
            frames.runFrames(60);
        }
    }
    Chip* focusChip(std::int64_t minutes) const {
        const auto& chips = view.focusChips();
        const auto* at = std::find(std::begin(focusPresets), std::end(focusPresets), minutes);
        return chips[static_cast<std::size_t>(at - std::begin(focusPresets))];
    }

    test::StoreTestBed bed;
    Store& store = bed.open();
    test::FrameClock frames;
    FocusView view{store, ViewServices{bed.clock, bed.calendar, bed.queue, bed.random}, nullptr,
                   &frames.manager};
};

TEST_F(FocusViewTest, PlayStartsThePomodoroAndTheRingAdvancesWithTheClock) {
    EXPECT_EQ(time(), "25:00");
    EXPECT_FALSE(view.resetButton().isEnabled());
    play();
    EXPECT_TRUE(store.timer.get().runningSince);
    EXPECT_EQ(view.playButton().symbol(), "pause.fill");
    EXPECT_TRUE(view.finishButton().isEnabled());
    run(60);
    EXPECT_EQ(time(), "24:00");
    // A 25-minute ring moves too little per tick to glide: it is there without a frame.
    bed.queue.advance(1);
    EXPECT_NEAR(ring(), 61.0 / 1500, 1e-9);
}

TEST_F(FocusViewTest, PauseAndResumeKeepTheElapsedTime) {
    play();
    run(30);
    play();
    EXPECT_EQ(view.playButton().symbol(), "play.fill");
    run(100);
    EXPECT_EQ(time(), "24:30");
    EXPECT_TRUE(view.resetButton().isEnabled()); // paused still counts as active
    play();
    run(10);
    EXPECT_EQ(time(), "24:20");
}

TEST_F(FocusViewTest, FinishLogsTheRunOnlyFromTenSecondsOn) {
    test::click(&view.finishButton()); // idle: disabled, nothing happens
    play();
    run(5);
    test::click(&view.finishButton());
    EXPECT_TRUE(store.sessions.get().empty());
    EXPECT_FALSE(isTimerActive(store.timer.get()));
    EXPECT_EQ(time(), "25:00");

    play();
    run(12);
    test::click(&view.finishButton());
    ASSERT_EQ(store.sessions.get().size(), 1u);
    EXPECT_EQ(store.sessions.get()[0].duration, 12);
    EXPECT_FALSE(store.sessions.get()[0].fullPomodoro);
}

TEST_F(FocusViewTest, APresetChangesTheRunningPhaseAtOnceAndKeepsItRunning) {
    play();
    run(600);
    test::click(focusChip(15));
    EXPECT_EQ(store.prefs.get().focusMinutes, 15);
    EXPECT_TRUE(focusChip(15)->isSelected());
    EXPECT_FALSE(focusChip(25)->isSelected());
    EXPECT_EQ(time(), "05:00");
    EXPECT_TRUE(store.timer.get().runningSince);
    // A visible jump of the ring glides over a second; a tick too small to see that comes
    // during the glide joins the next visible step instead of gliding on.
    EXPECT_NEAR(ring(), 0.4, 1e-9);
    frames.runFrames(30);
    bed.queue.advance(1);
    frames.runFrames(30);
    EXPECT_NEAR(ring(), 10.0 / 15, 1e-9);
    bed.queue.advance(0.4);
    EXPECT_EQ(bed.onDisk()->prefs.focusMinutes, 15);

    // Shorter than what has run: the next tick ends the phase as a full 5-minute pomodoro.
    test::click(focusChip(5));
    run(1);
    ASSERT_EQ(store.sessions.get().size(), 1u);
    EXPECT_EQ(store.sessions.get()[0].duration, 300);
    EXPECT_TRUE(store.sessions.get()[0].fullPomodoro);
    EXPECT_EQ(view.dial().label().text(), "BREAK");
    EXPECT_EQ(view.content().controls.finishHelp, "Skip break");
    EXPECT_EQ(view.summary().text(), "1 pomodoro  ·  5m focused today");
}

TEST_F(FocusViewTest, StopwatchHidesThePresetsAndItsDotKeepsGoingForwardIntoANewMinute) {
    view.modeControl().button(1)->click();
    EXPECT_EQ(store.timer.get().mode, TimerMode::stopwatch);
    frames.runFrames(60);
    EXPECT_FALSE(Presence::of(&view.presets())->isPresent());
    EXPECT_FALSE(view.presets().isVisible());
    EXPECT_FALSE(view.dial().ring().isVisible());
    EXPECT_EQ(time(), "00:00");

    play();
    run(59);
    frames.runFrames(10); // a glide's last step, which the dot's frame rate may leave for later
    EXPECT_NEAR(view.dial().face().dotAngle(), 354, 1e-6);
    bed.queue.advance(1);
    frames.runFrames(30);
    const double halfway = view.dial().face().dotAngle();
    EXPECT_TRUE(halfway > 354 || halfway < 1) << halfway; // not spinning back round
    frames.runFrames(40);
    const double arrived = view.dial().face().dotAngle();
    EXPECT_NEAR(std::min(arrived, 360 - arrived), 0, 1e-6);
    EXPECT_EQ(time(), "01:00");

    // Back to pomodoro before 10 s would have logged nothing; after a minute it logs.
    view.modeControl().button(0)->click();
    EXPECT_EQ(store.sessions.get().size(), 1u);
    EXPECT_TRUE(Presence::of(&view.presets())->isPresent());
    EXPECT_EQ(time(), "25:00");
}

TEST_F(FocusViewTest, ThePickerAttachesATaskWithoutTouchingTheRunningTimer) {
    const UUID task = *store.addTask("Write report");
    play();
    run(3);
    ThemedMenu menu(
        TaskPicker::menuEntries(taskPickerEntries(store), [&](std::optional<UUID> id) { store.attach(id); }));
    const QList<QAction*> actions = menu.actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[0]->isChecked());
    EXPECT_TRUE(actions[1]->isSeparator());
    actions[2]->trigger();
    EXPECT_EQ(store.timer.get().taskID, task);
    EXPECT_EQ(view.picker().label().text, "Write report");
    EXPECT_EQ(time(), "24:57");
    EXPECT_TRUE(store.timer.get().runningSince);

    actions[0]->trigger();
    EXPECT_EQ(view.picker().label().text, "Attach a task");
    EXPECT_TRUE(store.timer.get().runningSince);
}

} // namespace
} // namespace vesk
