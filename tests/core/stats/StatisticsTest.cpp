#include "core/stats/Statistics.hpp"

#include "support/ScopedTimeZone.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using std::chrono::hours;
using std::chrono::minutes;
using test::localDate;
using test::ScopedTimeZone;
using test::utcDate;
using ::testing::ElementsAre;
using ::testing::Optional;

constexpr int monday = 2, sunday = 1;

UUID idOf(std::uint8_t n) {
    UUID::Bytes bytes{};
    bytes[0] = 0xAB;
    bytes[15] = n;
    return UUID(bytes);
}

FocusSession session(Date start, double seconds, std::optional<UUID> taskID = std::nullopt,
                     std::optional<std::string> taskTitle = std::nullopt, bool full = false) {
    FocusSession session;
    session.start = start;
    session.duration = seconds;
    session.taskID = taskID;
    session.taskTitle = std::move(taskTitle);
    session.fullPomodoro = full;
    session.mode = full ? TimerMode::pomodoro : TimerMode::stopwatch;
    return session;
}

TaskItem task(UUID id, std::string title, std::optional<Date> completedAt = std::nullopt) {
    TaskItem task;
    task.id = id;
    task.title = std::move(title);
    task.completedAt = completedAt;
    return task;
}

// A model whose statistics are taken at `clockNow`, in a zone with daylight saving.
class StatisticsTest : public ::testing::Test {
  protected:
    Statistics stats(int firstWeekday = monday) {
        calendar_.emplace(firstWeekday);
        return Statistics({sessions, tasks, timer, storeNow, clockNow, liveFocus}, *calendar_);
    }

    ScopedTimeZone zone_{"Europe/Berlin"};
    std::optional<Calendar> calendar_;
    std::vector<FocusSession> sessions;
    std::vector<TaskItem> tasks;
    TimerState timer;
    Date clockNow = localDate(2026, 3, 11, 15); // a Wednesday
    Date storeNow = clockNow;
    double liveFocus = 0;
};

TEST_F(StatisticsTest, AnEmptyModelGivesEmptyMapsZerosAndRowsOfZeros) {
    const Statistics s = stats();
    EXPECT_TRUE(s.focusByDay().empty());
    EXPECT_TRUE(s.doneByDay().empty());
    EXPECT_EQ(s.todayPomodoros(), 0);
    EXPECT_EQ(s.streak(), 0);
    EXPECT_TRUE(s.topTasks(7, 3).empty());

    const std::vector<DayStat> week = s.lastDays(7);
    ASSERT_EQ(week.size(), 7u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(week[i], (DayStat{localDate(2026, 3, 5 + i), 0, 0}));

    const std::vector<HeatColumn> grid = s.heatGrid(26);
    ASSERT_EQ(grid.size(), 26u);
    for (std::size_t c = 0; c + 1 < grid.size(); ++c)
        for (const auto& cell : grid[c])
            EXPECT_THAT(cell, Optional(0.0));
    EXPECT_THAT(grid.back(), ElementsAre(Optional(0.0), Optional(0.0), Optional(0.0), std::nullopt,
                                         std::nullopt, std::nullopt, std::nullopt));

    // Counts callers should never pass negative give nothing rather than misbehave.
    EXPECT_TRUE(s.lastDays(0).empty());
    EXPECT_TRUE(s.lastDays(-3).empty());
    EXPECT_TRUE(s.heatGrid(-1).empty());
    EXPECT_TRUE(s.topTasks(-1, 3).empty());
    EXPECT_TRUE(s.topTasks(7, -2).empty());
}

TEST_F(StatisticsTest, FocusCountsOnTheDayARunStartedAndAddsLiveFocusOnce) {
    sessions = {session(localDate(2026, 3, 9, 23, 50), 1200), session(localDate(2026, 3, 10, 9), 600)};
    EXPECT_EQ(stats().focusByDay(),
              (FocusByDay{{localDate(2026, 3, 9), 1200}, {localDate(2026, 3, 10), 600}}));

    // A pomodoro that began at 23:58 yesterday puts its live focus on yesterday.
    timer.segmentStart = localDate(2026, 3, 10, 23, 58);
    timer.runningSince = timer.segmentStart;
    liveFocus = 300;
    EXPECT_EQ(stats().focusByDay()[localDate(2026, 3, 10)], 900);

    // Without a segment start, live focus goes on the day of the store's now.
    timer = {};
    storeNow = localDate(2026, 3, 8, 12);
    liveFocus = 30;
    EXPECT_EQ(stats().focusByDay()[localDate(2026, 3, 8)], 30);

    // During a break there is no live focus.
    liveFocus = 0;
    EXPECT_EQ(stats().focusByDay().size(), 2u);
}

TEST_F(StatisticsTest, DaysAreCalendarDaysAcrossDaylightSavingChanges) {
    clockNow = localDate(2026, 3, 30, 10);
    sessions = {session(localDate(2026, 3, 28, 23, 30), 60), session(localDate(2026, 3, 29, 0, 30), 120),
                session(localDate(2026, 3, 29, 23, 30), 240), session(localDate(2026, 3, 30, 0, 10), 480)};
    tasks = {task(idOf(1), "a", localDate(2026, 3, 29, 23, 59)),
             task(idOf(2), "b", localDate(2026, 3, 30, 0, 1))};
    EXPECT_THAT(stats().lastDays(3), ElementsAre(DayStat{utcDate(2026, 3, 27, 23), 60, 0},
                                                 DayStat{utcDate(2026, 3, 28, 23), 360, 1},
                                                 DayStat{utcDate(2026, 3, 29, 22), 480, 1}));

    clockNow = localDate(2026, 10, 26, 10);
    sessions = {session(localDate(2026, 10, 25, 0, 10), 60), session(localDate(2026, 10, 25, 23, 50), 120),
                session(localDate(2026, 10, 26, 0, 10), 240)};
    tasks.clear();
    EXPECT_THAT(stats().lastDays(2), ElementsAre(DayStat{utcDate(2026, 10, 24, 22), 180, 0},
                                                 DayStat{utcDate(2026, 10, 25, 23), 240, 0}));
    EXPECT_EQ(stats().streak(), 2); // the 26th and the 25th; the 24th is empty
}

TEST_F(StatisticsTest, StreakCountsActiveDaysUpToTodayAndSkipsAnInactiveToday) {
    const auto day = [](int d, int hour = 10) { return localDate(2026, 3, d, hour); };
    struct Case {
        std::vector<FocusSession> sessions;
        std::vector<TaskItem> tasks;
        int streak;
    };
    const std::vector<Case> cases = {
        {{session(day(11), 60), session(day(10), 600), session(day(9), 3000), session(day(7), 600)}, {}, 3},
        {{session(day(10), 600), session(day(9), 60)}, {}, 2},
        {{session(day(11), 30), session(day(10), 600), session(day(9), 600)}, {}, 2},
        {{session(day(9), 600), session(day(8), 600)}, {}, 0},
        // 59 s of focus (even in two parts) is not enough; 60 s is.
        {{session(day(11), 59), session(day(10), 29), session(day(10), 30)}, {}, 0},
        {{session(day(11), 59), session(day(10), 30), session(day(10), 30)}, {}, 1},
        // One completed subtask makes a day active.
        {{}, {task(idOf(1), "sub", day(10, 23)), task(idOf(2), "open")}, 1},
        {{session(day(11, 0), 90)}, {task(idOf(1), "done", day(10, 0))}, 2},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        sessions = cases[i].sessions;
        tasks = cases[i].tasks;
        if (!tasks.empty()) tasks[0].parentID = idOf(9);
        EXPECT_EQ(stats().streak(), cases[i].streak) << "case " << i;
    }

    // Live focus of a run going on now can make today active.
    sessions = {session(day(10), 600)};
    tasks.clear();
    liveFocus = 60;
    timer.segmentStart = day(11, 14);
    EXPECT_EQ(stats().streak(), 2);

    // The walk back steps calendar days through the short spring day.
    liveFocus = 0;
    clockNow = localDate(2026, 3, 31, 9);
    sessions = {session(localDate(2026, 3, 31, 0, 5), 60), session(localDate(2026, 3, 30, 0, 5), 60),
                session(localDate(2026, 3, 29, 0, 5), 60), session(localDate(2026, 3, 28, 23, 55), 60)};
    EXPECT_EQ(stats().streak(), 4);
}

TEST(StatisticsWithoutMidnightTest, DaysStepThroughADayWhoseMidnightWasSkipped) {
    // São Paulo's 4 November 2018 began at 01:00; the days after it still begin at 00:00.
    ScopedTimeZone zone("America/Sao_Paulo");
    const Calendar calendar(sunday);
    std::vector<FocusSession> sessions;
    for (int day = 2; day <= 6; ++day)
        sessions.push_back(session(localDate(2018, 11, day, 12), 600));
    const Statistics stats({sessions, {}, {}, localDate(2018, 11, 6, 12), localDate(2018, 11, 6, 12), 0},
                           calendar);
    EXPECT_EQ(stats.streak(), 5);
    std::vector<Date> days;
    for (const DayStat& row : stats.lastDays(4))
        days.push_back(row.day);
    EXPECT_THAT(days, ElementsAre(utcDate(2018, 11, 3, 3), utcDate(2018, 11, 4, 3), utcDate(2018, 11, 5, 2),
                                  utcDate(2018, 11, 6, 2)));
    EXPECT_EQ(stats.lastDays(4)[0].focus, 600);
}

TEST_F(StatisticsTest, TodayPomodorosCountOnlyFullPomodorosStartedToday) {
    sessions = {session(localDate(2026, 3, 11, 0, 0), 1500, std::nullopt, std::nullopt, true),
                session(localDate(2026, 3, 11, 23, 59), 1500, std::nullopt, std::nullopt, true),
                session(localDate(2026, 3, 10, 23, 40), 1500, std::nullopt, std::nullopt, true),
                session(localDate(2026, 3, 12, 0, 0), 1500, std::nullopt, std::nullopt, true),
                session(localDate(2026, 3, 11, 9), 3600)};
    liveFocus = 1200;
    EXPECT_EQ(stats().todayPomodoros(), 2);
}

TEST_F(StatisticsTest, HeatGridCoversWholeCalendarWeeksEndingWithTheCurrentOne) {
    // Seen on Wednesday 11 March 2026 with weeks from Monday: the current week is 9–15 March,
    // and 25 weeks earlier began on Monday 15 September 2025.
    sessions = {session(localDate(2025, 9, 15, 8), 100),      session(localDate(2025, 9, 21, 22), 200),
                session(localDate(2026, 3, 8, 12), 300),      session(localDate(2026, 3, 9, 12), 400),
                session(localDate(2026, 3, 11, 23, 30), 500), session(localDate(2025, 9, 14, 12), 999)};
    const std::vector<HeatColumn> grid = stats(monday).heatGrid(26);
    ASSERT_EQ(grid.size(), 26u);
    EXPECT_THAT(grid.front(), ElementsAre(Optional(100.0), Optional(0.0), Optional(0.0), Optional(0.0),
                                          Optional(0.0), Optional(0.0), Optional(200.0)));
    EXPECT_THAT(grid[24][6], Optional(300.0));
    EXPECT_THAT(grid.back(), ElementsAre(Optional(400.0), Optional(0.0), Optional(500.0), std::nullopt,
                                         std::nullopt, std::nullopt, std::nullopt));

    // With weeks from Sunday, the Sunday opens the current week.
    const std::vector<HeatColumn> sundayGrid = stats(sunday).heatGrid(2);
    EXPECT_THAT(sundayGrid.back(), ElementsAre(Optional(300.0), Optional(400.0), Optional(0.0),
                                               Optional(500.0), std::nullopt, std::nullopt, std::nullopt));

    // A week holding the spring change keeps its days on their calendar days.
    clockNow = localDate(2026, 4, 1, 9);
    sessions = {session(localDate(2026, 3, 29, 23, 30), 60), session(localDate(2026, 3, 30, 0, 30), 120)};
    const std::vector<HeatColumn> springGrid = stats(monday).heatGrid(2);
    EXPECT_THAT(springGrid[0][6], Optional(60.0));
    EXPECT_THAT(springGrid[1][0], Optional(120.0));
    EXPECT_THAT(springGrid[1][2], Optional(0.0));
    EXPECT_EQ(springGrid[1][3], std::nullopt);
}

TEST_F(StatisticsTest, TopTasksNameEachRowByItsFirstContribution) {
    const UUID kept = idOf(1), untitled = idOf(2), deleted = idOf(3), deletedNameless = idOf(4),
               gone = idOf(5);
    tasks = {task(kept, "Write report"), task(untitled, "")};
    sessions = {session(localDate(2026, 3, 4, 23, 59), 9999, kept, "Old"), // before the window
                session(localDate(2026, 3, 5, 0, 0), 100, kept, "Stale title"),
                session(localDate(2026, 3, 6, 9), 200, deleted, "First name"),
                session(localDate(2026, 3, 7, 9), 300, deleted, "Second name"),
                session(localDate(2026, 3, 8, 9), 50),
                session(localDate(2026, 3, 9, 9), 40, deletedNameless),
                session(localDate(2026, 3, 10, 9), 30, untitled, "Untitled")};
    EXPECT_THAT(stats().topTasks(7, 10),
                ElementsAre(TaskTime{deleted.uuidString(), "First name", 500},
                            TaskTime{kept.uuidString(), "Write report", 100}, TaskTime{"none", "No task", 50},
                            TaskTime{deletedNameless.uuidString(), "Deleted task", 40},
                            TaskTime{untitled.uuidString(), "Untitled", 30}));
    EXPECT_EQ(kept.uuidString(), "AB000000-0000-0000-0000-000000000001");

    // Live focus counts whatever day the run began on, and joins or forms a row.
    timer.segmentStart = localDate(2026, 1, 1, 9);
    liveFocus = 1000;
    timer.taskID = untitled;
    EXPECT_EQ(stats().topTasks(7, 1), (std::vector<TaskTime>{{untitled.uuidString(), "Untitled", 1030}}));
    timer.taskID = std::nullopt;
    EXPECT_EQ(stats().topTasks(7, 1), (std::vector<TaskTime>{{"none", "No task", 1050}}));
    timer.taskID = gone;
    EXPECT_EQ(stats().topTasks(7, 1), (std::vector<TaskTime>{{gone.uuidString(), "Task", 1000}}));
    sessions.clear();
    timer.taskID = untitled;
    EXPECT_EQ(stats().topTasks(7, 3), (std::vector<TaskTime>{{untitled.uuidString(), "Untitled", 1000}}));
}

TEST_F(StatisticsTest, TopTasksKeepTheLargestRowsUpToTheLimit) {
    for (std::uint8_t n = 1; n <= 5; ++n) {
        tasks.push_back(task(idOf(n), "Task " + std::to_string(n)));
        sessions.push_back(session(localDate(2026, 3, 11, 8), 100.0 * ((n * 3) % 5 + 1), idOf(n)));
    }
    sessions.push_back(session(localDate(2026, 3, 10, 8), 450, idOf(1)));
    std::vector<std::string> titles;
    for (const TaskTime& row : stats().topTasks(7, 3))
        titles.push_back(row.title);
    EXPECT_THAT(titles, ElementsAre("Task 1", "Task 3", "Task 4"));

    // A window of one day is today only.
    titles.clear();
    for (const TaskTime& row : stats().topTasks(1, 2))
        titles.push_back(row.title);
    EXPECT_THAT(titles, ElementsAre("Task 3", "Task 1"));
}

} // namespace
} // namespace vesk
