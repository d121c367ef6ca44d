#include "tabs/detail/TaskDetailContent.hpp"

#include "core/model/TaskViews.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::localDate;

class TaskDetailContentTest : public ::testing::Test, protected test::StoreTestBed {};

TEST_F(TaskDetailContentTest, SummaryCountsFocusFullPomodorosCreationAndCompletion) {
    Store& store = open();
    const UUID id = *store.addTask("Write");
    EXPECT_EQ(detailSummary(store, *taskWithID(store.tasks.get(), id), clock.now(), calendar),
              "Created today");

    FocusSession full{UUID::random(random), id, "Write", TimerMode::pomodoro, clock.now(), 1500, true};
    FocusSession partial{UUID::random(random), id, "Write", TimerMode::stopwatch, clock.now(), 50, false};
    test::put(store, &Snapshot::sessions, {full, partial});
    store.toggleDone(id);
    EXPECT_EQ(detailSummary(store, *taskWithID(store.tasks.get(), id), clock.now(), calendar),
              "Focused 25m  ·  1 pomodoro  ·  Created today  ·  Done today");
    test::put(store, &Snapshot::sessions, {full, full});
    clock.advance(86400);
    EXPECT_EQ(detailSummary(store, *taskWithID(store.tasks.get(), id), clock.now(), calendar),
              "Focused 50m  ·  2 pomodoros  ·  Created yesterday  ·  Done yesterday");
    // Under a minute of focus and no full pomodoro: only the dates.
    test::put(store, &Snapshot::sessions, {partial});
    EXPECT_EQ(detailSummary(store, *taskWithID(store.tasks.get(), id), clock.now(), calendar),
              "Created yesterday  ·  Done yesterday");
}

TEST_F(TaskDetailContentTest, ListMenuNamesTheOwnListAndLetsOnlySubtasksStayInIt) {
    Store& store = open();
    const UUID inbox = store.lists.get()[0].id;
    const UUID work = store.addList("Work");
    const UUID parent = *store.addTask("Parent", std::nullopt, inbox);
    const UUID child = *store.addTask("Child", parent);

    const auto top = listMenuFor(store.lists.get(), *taskWithID(store.tasks.get(), parent));
    ASSERT_TRUE(top);
    EXPECT_EQ(top->label, "My Tasks");
    EXPECT_EQ(top->entries, (std::vector<ListMenuEntry>{{inbox, "My Tasks", false}, {work, "Work", true}}));
    EXPECT_TRUE(listMenuFor(store.lists.get(), *taskWithID(store.tasks.get(), child))->entries[0].enabled);

    TaskItem orphan = *taskWithID(store.tasks.get(), parent);
    orphan.listID = UUID::random(random);
    EXPECT_FALSE(listMenuFor(store.lists.get(), orphan));
}

TEST_F(TaskDetailContentTest, DueChipsSelectQuickDaysByCalendarDayAcrossAClockChange) {
    test::ScopedTimeZone berlin("Europe/Berlin");
    const Date now = localDate(2026, 3, 28, 22, 30); // the clocks go forward the next night
    const QuickDays days = quickDays(now, calendar);
    EXPECT_EQ(days.tomorrow, localDate(2026, 3, 29));
    EXPECT_EQ(days.nextWeek, localDate(2026, 4, 4));

    EXPECT_EQ(dueChips(std::nullopt, false, now, calendar), DueChips{});
    DueChips tomorrow = dueChips(localDate(2026, 3, 29, 17), false, now, calendar);
    EXPECT_TRUE(tomorrow.tomorrow && !tomorrow.pick && tomorrow.clearShown);
    EXPECT_EQ(tomorrow.pickText, "Pick…");
    const DueChips overdue = dueChips(localDate(2026, 3, 27), false, now, calendar);
    EXPECT_TRUE(overdue.pick && !overdue.today);
    EXPECT_EQ(overdue.pickText, "Yesterday");
    EXPECT_TRUE(dueChips(std::nullopt, true, now, calendar).pick); // the open calendar
}

TEST(SubtaskHeaderTest, CountsDoneOfAll) {
    EXPECT_EQ(subtaskHeader({}), "Subtasks");
    TaskItem open, done;
    done.completedAt = Date{};
    EXPECT_EQ(subtaskHeader({open, done, open}), "Subtasks · 1/3");
}

} // namespace
} // namespace vesk
