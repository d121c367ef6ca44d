#include "shell/state/CollapsedContent.hpp"
#include "shell/state/TarnelMenuItems.hpp"
#include "shell/theme/Theme.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

std::vector<std::string> titles(const std::vector<MenuEntry>& entries) {
    std::vector<std::string> out;
    for (const MenuEntry& entry : entries)
        out.push_back(entry.kind == MenuEntry::Kind::divider ? "-" : entry.title);
    return out;
}

class PillAndMenuTest : public ::testing::Test {
  protected:
    // Moves time on and lets the store's ticker see it.
    void advance(double seconds) { bed.queue.advance(seconds); }

    test::StoreTestBed bed;
    Store& store = bed.open();
    bool loginOn = false;
    std::vector<bool> loginChanges;
    int quits = 0;
    MenuServices services{[this] { return loginOn; }, [this](bool on) { loginChanges.push_back(on); },
                          [this] { ++quits; }, nullptr};
};

TEST_F(PillAndMenuTest, IdlePillShowsTheLeafAndTheOpenCount) {
    store.addTask("one");
    store.addTask("two");
    const CollapsedContent content = collapsedContent(store, ScreenMetrics{});
    EXPECT_EQ(content.mark, CollapsedContent::Mark::leaf);
    EXPECT_EQ(content.trailing, "2");
    EXPECT_FALSE(content.trailingIsClock);
    EXPECT_FALSE(content.title);
    EXPECT_EQ(content.titleMaxWidth, 120);
    EXPECT_EQ(collapsedContent(store, ScreenMetrics{true, 185, 32}).titleMaxWidth, 56);
}

TEST_F(PillAndMenuTest, PomodoroClockRoundsUpAndStopwatchDoesNot) {
    store.start(TimerMode::pomodoro, std::nullopt);
    advance(1500 - 24.2);
    CollapsedContent content = collapsedContent(store, ScreenMetrics{});
    EXPECT_EQ(content.mark, CollapsedContent::Mark::ring);
    EXPECT_EQ(content.trailing, "00:25");
    EXPECT_EQ(content.trailingColor, Theme::focus());
    EXPECT_FALSE(content.title); // focus without a task: the ring alone

    store.finish();
    store.start(TimerMode::stopwatch, std::nullopt);
    advance(24.9);
    content = collapsedContent(store, ScreenMetrics{});
    EXPECT_EQ(content.mark, CollapsedContent::Mark::pulse);
    EXPECT_EQ(content.trailing, "00:24");
    EXPECT_FALSE(content.timer.countsDown);
}

TEST_F(PillAndMenuTest, PausedClockIsSecondaryAndABreakWithoutTaskSaysBreak) {
    const auto id = store.addTask("Write report");
    store.start(TimerMode::pomodoro, id);
    EXPECT_EQ(collapsedContent(store, ScreenMetrics{}).title, "Write report");
    store.pause();
    EXPECT_EQ(collapsedContent(store, ScreenMetrics{}).trailingColor, Theme::text2());

    test::edit(store, &Snapshot::timer, [](TimerState& t) {
        t.phase = PomoPhase::rest;
        t.taskID.reset();
    });
    store.resume();
    const CollapsedContent content = collapsedContent(store, ScreenMetrics{});
    EXPECT_EQ(content.title, "Break");
    EXPECT_EQ(content.trailingColor, Theme::rest());
}

TEST_F(PillAndMenuTest, ContextMenuWithoutTimerHoldsOnlyTheAlwaysEntries) {
    EXPECT_EQ(titles(tarnelMenuItems(store, TarnelMenu::pill, services)),
              (std::vector<std::string>{"Launch at login", "Toggle Vesk  Alt+Space", "-", "Quit Vesk"}));
    // While another program holds the key, the line does not promise it.
    bool hotKeyOurs = false;
    services.hotKeyOurs = [&] { return hotKeyOurs; };
    EXPECT_EQ(tarnelMenuItems(store, TarnelMenu::pill, services)[1].title, "Toggle Vesk  Alt+Space (taken)");
    hotKeyOurs = true;
    EXPECT_EQ(tarnelMenuItems(store, TarnelMenu::pill, services)[1].title, "Toggle Vesk  Alt+Space");
    loginOn = true;
    const auto entries = tarnelMenuItems(store, TarnelMenu::pill, services);
    EXPECT_TRUE(entries[0].checked);
    entries[0].toggled(false);
    entries[3].triggered();
    EXPECT_EQ(loginChanges, std::vector<bool>{false});
    EXPECT_EQ(quits, 1);
}

TEST_F(PillAndMenuTest, FullMenuWithPausedTimer) {
    store.start(TimerMode::pomodoro, std::nullopt);
    advance(60);
    store.pause();
    const auto entries = tarnelMenuItems(store, TarnelMenu::settings, services);
    EXPECT_EQ(titles(entries),
              (std::vector<std::string>{"Resume timer", "Finish session", "-", "Focus length", "Break length",
                                        "Auto-start breaks", "Sounds", "Show bonsai growth on completion",
                                        "-", "Launch at login", "Toggle Vesk  Alt+Space", "-", "Quit Vesk"}));
    // The entry looks at the timer again when chosen.
    store.resume();
    entries[0].triggered();
    EXPECT_FALSE(store.timer.get().runningSince);
}

std::vector<std::string> selectedChoices(const MenuEntry& picker) {
    std::vector<std::string> selected;
    for (const MenuChoice& choice : picker.choices)
        if (choice.selected) selected.push_back(choice.title);
    return selected;
}

TEST_F(PillAndMenuTest, PickersWriteThePrefsAndSelectOnlyListedValues) {
    auto entries = tarnelMenuItems(store, TarnelMenu::settings, services);
    EXPECT_EQ(selectedChoices(entries[0]), std::vector<std::string>{"25 min"});
    EXPECT_EQ(entries[0].choices.size(), 10u);
    entries[1].choices[3].chosen(); // 10 min
    EXPECT_EQ(entries[1].choices[3].title, "10 min");
    entries[4].toggled(false);
    EXPECT_EQ(store.prefs.get().breakMinutes, 10);
    EXPECT_FALSE(store.prefs.get().growthReveal);
    advance(1.0);
    EXPECT_GE(bed.writes(), 1u); // the debounced save ran

    store.writePrefs([](Prefs& p) { p.focusMinutes = 35; });
    entries = tarnelMenuItems(store, TarnelMenu::settings, services);
    EXPECT_TRUE(selectedChoices(entries[0]).empty());
}

} // namespace
} // namespace vesk
