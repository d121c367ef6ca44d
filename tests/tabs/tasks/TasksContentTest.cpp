#include "tabs/tasks/TasksContent.hpp"

#include "support/StoreTestBed.hpp"
#include "tabs/tasks/TypingPlan.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

class TasksContentTest : public ::testing::Test, protected test::StoreTestBed {
  protected:
    TasksContentTest() { open(); }

    UUID add(const char* title, std::optional<UUID> parent = std::nullopt) {
        return *store->addTask(title, parent);
    }
    TasksContent content(bool showCompleted = false, std::optional<UUID> tourTask = std::nullopt) {
        return tasksContent(*store, tourTask, showCompleted, calendar.startOfDay(clock.now()));
    }
    static std::vector<std::string> titles(const std::vector<TaskRowContent>& rows) {
        std::vector<std::string> result;
        for (const TaskRowContent& row : rows)
            result.push_back(row.title);
        return result;
    }
    void logFocus(const UUID& id, double seconds) {
        test::edit(*store, &Snapshot::sessions, [&](std::vector<FocusSession>& sessions) {
            sessions.push_back(
                {UUID::random(random), id, "t", TimerMode::pomodoro, clock.now(), seconds, false});
        });
    }
};

TEST_F(TasksContentTest, GroupsShowEachOpenTaskWithItsOpenSubtasksTwoLevelsDeep) {
    const UUID older = add("older");
    const UUID top = add("top");
    add("first", top);
    const UUID done = add("done", top);
    add("second", top);
    add("grandchild", done); // a subtask's subtasks are not shown
    store->toggleDone(done);

    const TasksContent shown = content();
    ASSERT_EQ(shown.groups.size(), 2u);
    EXPECT_EQ(shown.groups[0].task.title, "top");
    EXPECT_EQ(shown.firstOpenID(), top);
    EXPECT_EQ(titles(shown.groups[0].subtasks), (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(shown.groups[0].subtasks[0].isSub);
    EXPECT_EQ(shown.groups[1].task.id, older);
    EXPECT_FALSE(shown.compactEmpty);
    // The count includes completed subtasks; the rows show only while the section is open.
    EXPECT_EQ(shown.completedCount, 2u);
    EXPECT_TRUE(shown.completed.empty());
    EXPECT_EQ(content(true).completed.size(), 2u);
    EXPECT_EQ(completedHeaderText(2), "Completed (2)");
}

TEST_F(TasksContentTest, TheFactsLineShowsADueDateAMinuteOfFocusOrTheTimer) {
    const UUID plain = add("plain");
    const UUID almost = add("almost");
    const UUID minute = add("minute");
    const UUID dated = add("dated");
    logFocus(almost, 59.9);
    logFocus(minute, 60);
    store->update(dated, [&](TaskItem& task) { task.due = clock.now(); });

    auto row = [&](const UUID& id) {
        for (const TaskGroupContent& group : content().groups)
            if (group.task.id == id) return group.task;
        throw std::runtime_error("no row");
    };
    EXPECT_FALSE(row(plain).showsFacts());
    EXPECT_FALSE(row(almost).showsFacts());
    EXPECT_EQ(row(minute).focusedTime, "1m");
    ASSERT_TRUE(row(dated).due);
    EXPECT_EQ(row(dated).due->today, calendar.startOfDay(clock.now()));

    // The timer on a task shows "In focus" in place of its time, running or paused.
    store->start(TimerMode::pomodoro, minute);
    clock.advance(30);
    EXPECT_TRUE(row(minute).inFocus);
    EXPECT_FALSE(row(minute).focusedTime);
    store->pause();
    EXPECT_TRUE(row(minute).inFocus);
    EXPECT_FALSE(row(plain).inFocus);
    // Finished: the timer still names the task but is no longer active.
    store->finish();
    EXPECT_FALSE(row(minute).inFocus);
    EXPECT_EQ(row(minute).focusedTime, "1m");
}

TEST_F(TasksContentTest, UntitledTasksStarsNotesAndTheTourTask) {
    const UUID blank = add("x");
    store->update(blank, [](TaskItem& task) {
        task.title.clear();
        task.notes = "first line\nsecond";
        task.starred = true;
    });
    const TaskRowContent row = content(false, blank).groups[0].task;
    EXPECT_EQ(row.title, "Untitled");
    EXPECT_TRUE(row.untitled);
    EXPECT_EQ(row.note, "first line second");
    EXPECT_TRUE(row.starred);
    EXPECT_TRUE(row.tourTarget);
    EXPECT_FALSE(content().groups[0].task.tourTarget);

    store->toggleDone(blank);
    EXPECT_EQ(content(true).completed[0].title, "Untitled");
}

TEST_F(TasksContentTest, EmptyStatesAndTheRowsOfTheList) {
    TasksContent shown = content();
    EXPECT_TRUE(shown.fullEmpty);
    EXPECT_TRUE(listRows(shown).empty());
    EXPECT_EQ(emptyTasksText(EmptyTasksForm::fresh).title, "No tasks yet");
    EXPECT_EQ(emptyTasksText(EmptyTasksForm::fresh).line,
              "Add one above — Ctrl+N from anywhere in the tarnel");

    // All done: the compact state heads the list, above the completed header.
    const UUID a = add("a");
    add("sub", a);
    store->toggleDone(a);
    shown = content(true);
    EXPECT_TRUE(shown.compactEmpty);
    EXPECT_EQ(shown.completedCount, 2u);
    using Kind = TasksListRow::Kind;
    std::vector<Kind> kinds;
    for (const TasksListRow& row : listRows(shown))
        kinds.push_back(row.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::compactEmpty, Kind::completedHeader, Kind::completed,
                                        Kind::completed}));
    EXPECT_EQ(emptyTasksText(EmptyTasksForm::allComplete),
              (EmptyTasksText{"checkmark.circle", "All tasks complete", std::nullopt}));

    // The starred view shows starred open tasks of every list and never a completed section.
    const UUID other = store->addList("Other");
    const UUID starred = *store->addTask("starred", std::nullopt, other);
    add("plain");
    store->toggleStar(starred);
    store->writePrefs([](Prefs& prefs) { prefs.starredView = true; });
    shown = content(true);
    ASSERT_EQ(shown.groups.size(), 1u);
    EXPECT_EQ(shown.groups[0].task.id, starred);
    EXPECT_EQ(shown.completedCount, 0u);
    store->toggleDone(starred);
    shown = content(true);
    EXPECT_TRUE(shown.fullEmpty);
    EXPECT_TRUE(shown.starredView);
    EXPECT_EQ(emptyTasksText(EmptyTasksForm::starred).title, "No starred tasks");
}

TEST_F(TasksContentTest, ARepeatedIdShowsAndCountsOnce) {
    const UUID open = add("open");
    const UUID done = add("done");
    const UUID sub = add("sub", open);
    store->toggleDone(done);
    // Hand-edited: each task twice under the same id.
    test::edit(*store, &Snapshot::tasks,
               [](std::vector<TaskItem>& all) { all.insert(all.end(), all.begin(), all.end()); });
    const TasksContent shown = content(true);
    ASSERT_EQ(shown.groups.size(), 1u);
    EXPECT_EQ(shown.groups[0].subtasks.size(), 1u);
    EXPECT_EQ(shown.completedCount, 1u);
    EXPECT_EQ(shown.completed.size(), 1u);
    EXPECT_EQ(shown.groups[0].subtasks[0].id, sub);
}

TEST(TypingPlanTest, CharactersLandInOrderWithJitterThenTheTaskIsAdded) {
    test::FakeRandom random({0, 30'000, 0, 0, 0, 0, 0, 0, 0, 30'000});
    const TypingPlan plan = typingPlan("Buy milk!!", random);
    ASSERT_EQ(plan.keystrokes.size(), 10u);
    EXPECT_DOUBLE_EQ(plan.keystrokes[0].delaySeconds, 0);
    EXPECT_NEAR(plan.keystrokes[1].delaySeconds, 0.1, 1e-9);
    EXPECT_NEAR(plan.keystrokes[9].delaySeconds, 0.66, 1e-9);
    EXPECT_NEAR(plan.addDelaySeconds, 1.05, 1e-9);

    // A letter with its accent and a toned emoji are one character each.
    const TypingPlan graphemes = typingPlan(QString::fromUtf8("e\u0301\U0001F44D\U0001F3FD"), random);
    ASSERT_EQ(graphemes.keystrokes.size(), 2u);
    EXPECT_EQ(graphemes.keystrokes[1].character, QString::fromUtf8("\U0001F44D\U0001F3FD"));
    EXPECT_NEAR(typingPlan("", random).addDelaySeconds, 0.35, 1e-9);
}

} // namespace
} // namespace vesk
