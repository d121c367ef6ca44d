#include "core/model/TaskViews.hpp"
#include "core/runtime/Observations.hpp"
#include "support/StoreTestBed.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace vesk {
namespace {

using test::StoreTestBed;

class StoreTasksTest : public ::testing::Test, protected StoreTestBed {
  protected:
    StoreTasksTest() {
        open();
        heard.listen(store->grew, [this](std::int64_t from, std::int64_t to, GainReason reason) {
            grants.emplace_back(to - from, reason);
        });
        store->plant(5); // so that growth is reported
    }
    Store& s() { return *store; }
    UUID add(const char* title, std::optional<UUID> parent = std::nullopt) {
        return *s().addTask(title, parent);
    }
    const TaskItem& at(const UUID& id) {
        for (const TaskItem& item : s().tasks.get())
            if (item.id == id) return item;
        throw std::runtime_error("no such task");
    }
    std::vector<std::string> titles(const std::vector<TaskItem>& items) {
        std::vector<std::string> result;
        for (const TaskItem& item : items)
            result.push_back(item.title);
        return result;
    }
    std::vector<std::pair<std::int64_t, GainReason>> grants;
    Observations heard;
};

TEST_F(StoreTasksTest, NewTasksGoOnTopAndSubtasksBelowWithOneCubeEach) {
    EXPECT_FALSE(s().addTask(" \n\t\u3000"));
    EXPECT_TRUE(s().tasks.get().empty());
    EXPECT_TRUE(grants.empty());

    const UUID a = add("  a\n");
    const UUID b = add("b");
    EXPECT_EQ(at(a).title, "a");
    EXPECT_EQ(at(a).order, -1);
    EXPECT_EQ(at(b).order, -2);
    EXPECT_EQ(at(a).createdAt, clock.now());
    EXPECT_EQ(at(a).listID, s().lists.get()[0].id);

    // A subtask lands in its parent's list whatever list it names.
    const UUID other = s().addList("Other");
    const UUID one = *s().addTask("one", a, other);
    const UUID two = add("two", a);
    EXPECT_EQ(at(one).order, 1);
    EXPECT_EQ(at(two).order, 2);
    EXPECT_EQ(at(one).listID, at(a).listID);
    EXPECT_EQ(grants.size(), 4u);
    for (const auto& grant : grants)
        EXPECT_EQ(grant, std::make_pair(std::int64_t{1}, GainReason::created));

    // A completed task still counts for the top; a task read without an order does not.
    s().selectList(at(a).listID);
    s().update(b, [](TaskItem& item) { item.order = -7; });
    s().toggleDone(b);
    s().update(a, [](TaskItem& item) { item.order = std::numeric_limits<double>::quiet_NaN(); });
    EXPECT_EQ(at(add("c")).order, -8);
    queue.advance(0.4);
    EXPECT_EQ(onDisk()->tasks, s().tasks.get());
}

TEST_F(StoreTasksTest, CompletingGrantsOnceForTheTaskAndItsOpenSubtasksAtOneInstant) {
    const UUID parent = add("parent");
    const UUID early = add("early", parent);
    const UUID one = add("one", parent);
    const UUID two = add("two", parent);
    s().toggleDone(early);
    const Date earlier = clock.now();
    grants.clear();
    clock.advance(30);

    random.script = {0, 1, 2}; // 2, 3 and 4 cubes, in array order
    s().toggleDone(parent);
    ASSERT_EQ(grants.size(), 1u);
    EXPECT_EQ(grants[0], std::make_pair(std::int64_t{9}, GainReason::completed));
    for (const UUID& id : {parent, one, two}) {
        EXPECT_EQ(at(id).completedAt, clock.now());
        EXPECT_EQ(at(id).rewarded, true);
    }
    EXPECT_EQ(at(early).completedAt, earlier);

    // Reopening a subtask reopens its parent; reopening a parent leaves its subtasks.
    s().toggleDone(one);
    EXPECT_FALSE(at(one).completedAt);
    EXPECT_FALSE(at(parent).completedAt);
    EXPECT_TRUE(at(two).completedAt);

    grants.clear();
    s().toggleDone(parent);
    EXPECT_TRUE(grants.empty()); // everything was rewarded already
    s().toggleDone(parent);
    EXPECT_TRUE(at(two).completedAt);

    const UUID unknown = UUID::random(random);
    const auto tasksBefore = s().tasks.get();
    const std::size_t draws = random.draws;
    s().toggleDone(unknown);
    EXPECT_EQ(random.draws, draws);
    EXPECT_EQ(s().tasks.get(), tasksBefore);
}

TEST_F(StoreTasksTest, DeletingRemovesSubtasksDetachesTheTimerAndIsUndoable) {
    const UUID a = add("a");
    const UUID sub = add("sub", a);
    const UUID b = add("b");
    // An empty title cannot be typed, but may come from the file.
    s().update(b, [](TaskItem& item) { item.title.clear(); });
    const UUID c = add("c");
    s().start(TimerMode::stopwatch, sub);

    s().deleteTask(a);
    EXPECT_EQ(s().undoLabel.get(), "Deleted \u201Ca\u201D");
    EXPECT_EQ(s().tasks.get().size(), 2u);
    EXPECT_FALSE(s().timer.get().taskID);
    EXPECT_TRUE(s().timer.get().runningSince);

    // What is done since the deletion outlives its undo.
    s().toggleDone(c);
    s().update(b, [](TaskItem& item) { item.notes = "kept"; });
    const UUID later = add("Second new");
    s().undo();
    EXPECT_FALSE(s().undoLabel.get());
    ASSERT_EQ(s().tasks.get().size(), 5u);
    EXPECT_EQ(s().tasks.get()[0].id, a);
    EXPECT_EQ(s().tasks.get()[1].id, sub);
    EXPECT_EQ(s().tasks.get()[4].id, later);
    EXPECT_TRUE(at(c).completedAt);
    EXPECT_TRUE(at(c).rewarded);
    EXPECT_EQ(at(b).notes, "kept");
    EXPECT_FALSE(s().timer.get().taskID);

    s().deleteTask(b);
    EXPECT_EQ(s().undoLabel.get(), "Deleted \u201Ctask\u201D");
}

TEST_F(StoreTasksTest, UndoLivesSixSecondsFromTheNewestDeletion) {
    const UUID a = add("A");
    const UUID b = add("B");
    s().deleteTask(a);
    queue.advance(4);
    s().deleteTask(b);
    EXPECT_EQ(s().undoLabel.get(), "Deleted \u201CB\u201D");
    queue.advance(2.5); // past A's six seconds
    EXPECT_EQ(s().undoLabel.get(), "Deleted \u201CB\u201D");

    s().undo();
    ASSERT_EQ(s().tasks.get().size(), 1u);
    EXPECT_EQ(s().tasks.get()[0].id, b);
    s().undo(); // nothing pending
    EXPECT_EQ(s().tasks.get().size(), 1u);

    s().deleteTask(b);
    queue.advance(5.9);
    EXPECT_TRUE(s().undoLabel.get());
    queue.advance(0.1);
    EXPECT_FALSE(s().undoLabel.get());
    s().undo();
    EXPECT_TRUE(s().tasks.get().empty());
}

TEST_F(StoreTasksTest, ClearCompletedTakesTheCurrentListsDoneTasksAndMayOrphanSubtasks) {
    const UUID parent = add("parent");
    const UUID open = add("open", parent);
    const UUID done = add("done", parent);
    std::vector<UUID> more{add("x"), add("y")};
    s().toggleDone(done);
    for (const UUID& id : more)
        s().toggleDone(id);
    s().update(parent, [&](TaskItem& item) { item.completedAt = clock.now(); });

    s().addList("Other");
    const UUID elsewhere = add("elsewhere");
    s().toggleDone(elsewhere);
    s().clearCompleted(); // Other has one
    EXPECT_EQ(s().undoLabel.get(), "Deleted 1 completed");

    s().selectList(s().lists.get()[0].id);
    s().clearCompleted();
    EXPECT_EQ(s().undoLabel.get(), "Deleted 4 completed");
    ASSERT_EQ(s().tasks.get().size(), 1u);
    EXPECT_EQ(s().tasks.get()[0].id, open);
    EXPECT_TRUE(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get()).empty());
    EXPECT_TRUE(allOpenTasks(s().tasks.get(), s().lists.get()).empty());
    EXPECT_EQ(openCount(s().tasks.get()), 0u);

    s().writePrefs([](Prefs& p) { p.starredView = true; });
    s().undo();
    s().clearCompleted();
    EXPECT_FALSE(s().undoLabel.get());
    EXPECT_EQ(s().tasks.get().size(), 5u);
}

TEST_F(StoreTasksTest, StarredViewSortsAndReorderingByVisibleIndex) {
    const UUID a = add("a");
    const UUID b = add("b");
    const UUID c = add("c");
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"c", "b", "a"}));

    // Dropped onto a task below, directly below it; onto one above, directly above.
    s().moveVisible(c, a);
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"b", "a", "c"}));
    s().moveVisible(c, b);
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"c", "b", "a"}));
    s().moveVisible(c, c);
    s().moveVisible(std::set<std::size_t>{0, 2}, 2);
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(at(b).order, 0);
    EXPECT_EQ(at(a).order, 2);
    const auto before = s().tasks.get();
    s().moveVisible(std::set<std::size_t>{3}, 0);
    s().moveVisible(std::set<std::size_t>{0}, 4);
    EXPECT_EQ(s().tasks.get(), before);

    // Dated first by date, equal dates by order; a reorder turns the date sort off.
    s().update(a, [&](TaskItem& item) { item.due = clock.now(); });
    s().update(c, [&](TaskItem& item) { item.due = clock.now(); });
    s().writePrefs([](Prefs& p) { p.sortByDate = true; });
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"c", "a", "b"}));
    s().moveVisible(std::set<std::size_t>{}, 0);
    EXPECT_FALSE(s().prefs.get().sortByDate);

    // Starred view: starred top-level tasks of every list; new ones are starred, subtasks not.
    s().toggleStar(a);
    s().writePrefs([](Prefs& p) { p.starredView = true; });
    const UUID starred = add("starred");
    const UUID sub = add("sub", starred);
    EXPECT_TRUE(at(starred).starred);
    EXPECT_FALSE(at(sub).starred);
    EXPECT_EQ(titles(visibleOpenTasks(s().tasks.get(), s().lists.get(), s().prefs.get())),
              (std::vector<std::string>{"starred", "a"}));
    EXPECT_FALSE(currentList(s().lists.get(), s().prefs.get()));
    EXPECT_TRUE(visibleCompleted(s().tasks.get(), s().lists.get(), s().prefs.get()).empty());
    EXPECT_EQ(targetListID(s().lists.get(), s().prefs.get()), s().lists.get()[0].id);
}

TEST_F(StoreTasksTest, MovingGoesToTheTopAndSubtasksBecomeTopLevel) {
    const UUID home = s().lists.get()[0].id;
    const UUID work = s().addList("Work");
    const UUID a = *s().addTask("a", std::nullopt, home);
    const UUID sub = add("sub", a);
    const UUID grandchild = add("grandchild", sub);
    const UUID w = *s().addTask("w", std::nullopt, work);

    s().move(a, work);
    EXPECT_EQ(at(a).listID, work);
    EXPECT_EQ(at(a).order, at(w).order - 1);
    EXPECT_EQ(at(sub).listID, work);
    EXPECT_EQ(at(grandchild).listID, home); // only direct children follow

    s().move(w, work); // its own list: to the top
    EXPECT_EQ(at(w).order, at(a).order - 1);
    s().move(sub, home);
    EXPECT_FALSE(at(sub).parentID);
    EXPECT_EQ(at(sub).order, -1);
    EXPECT_EQ(at(grandchild).parentID, sub);

    const auto writesBefore = writes();
    s().move(UUID::random(random), work);
    queue.advance(0.4);
    EXPECT_EQ(writes(), writesBefore + 1);

    EXPECT_EQ(titles(allOpenTasks(s().tasks.get(), s().lists.get())),
              (std::vector<std::string>{"sub", "grandchild", "w", "a"}));
    EXPECT_EQ(openCount(s().tasks.get()), 3u);
    EXPECT_EQ(taskTitle(s().tasks.get(), std::nullopt), std::nullopt);
}

TEST_F(StoreTasksTest, ListsAreNamedSelectedAndDeletedUndoably) {
    const UUID first = s().lists.get()[0].id;
    EXPECT_EQ(s().lists.get().size(), 1u);
    s().deleteList(first); // the last list stays
    EXPECT_EQ(s().lists.get().size(), 1u);
    EXPECT_FALSE(s().undoLabel.get());

    const UUID blank = s().addList(" \t ");
    EXPECT_EQ(s().lists.get()[1].name, "Untitled list");
    EXPECT_EQ(s().prefs.get().selectedListID, blank);
    const UUID spaced = s().addList("  Work  ");
    EXPECT_EQ(s().lists.get()[2].name, "  Work  ");
    s().renameList(spaced, "  Work  ");
    EXPECT_EQ(s().lists.get()[2].name, "Work");
    s().renameList(spaced, "   ");
    EXPECT_EQ(s().lists.get()[2].name, "Work");

    const UUID task = add("w");
    s().start(TimerMode::stopwatch, task);
    s().deleteList(spaced);
    EXPECT_EQ(s().undoLabel.get(), "Deleted \u201CWork\u201D");
    EXPECT_EQ(s().prefs.get().selectedListID, first);
    EXPECT_TRUE(s().tasks.get().empty());
    EXPECT_FALSE(s().timer.get().taskID);

    const UUID since = s().addList("Since");
    const UUID elsewhere = add("elsewhere");
    s().undo();
    ASSERT_EQ(s().lists.get().size(), 4u);
    EXPECT_EQ(s().lists.get()[2].id, spaced);
    EXPECT_EQ(s().lists.get()[3].id, since);
    EXPECT_EQ(s().tasks.get().size(), 2u);
    EXPECT_EQ(at(task).listID, spaced);
    EXPECT_EQ(at(elsewhere).listID, since);
    EXPECT_EQ(s().prefs.get().selectedListID, since);
}

TEST_F(StoreTasksTest, FocusTimeAddsTheCurrentRun) {
    const UUID a = add("a");
    s().start(TimerMode::stopwatch, a);
    queue.advance(30);
    s().finish();
    s().start(TimerMode::stopwatch, a);
    queue.advance(12);
    EXPECT_DOUBLE_EQ(focusTime(s().sessions.get(), s().timer.get(), s().now.get(), a), 42);
    EXPECT_EQ(s().statistics().focusByDay().begin()->second, 42);
}

} // namespace
} // namespace vesk
