#include "tabs/stats/StatsFigures.hpp"

#include "support/StoreTestBed.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

constexpr int sunday = 1, monday = 2;

// A store whose clock stands on Monday 2026-03-09, 12:00 UTC.
class StatsFiguresTest : public ::testing::Test {
  protected:
    Store& open(int firstWeekday = monday) {
        bed.calendar = Calendar(firstWeekday);
        return bed.open();
    }
    // Noon of the day `back` days before today.
    Date daysAgo(int back) const { return addingSeconds(bed.clock.now(), -86400.0 * back); }
    void log(Store& store, Date start, double seconds, std::optional<UUID> task = std::nullopt) {
        test::edit(store, &Snapshot::sessions, [&](std::vector<FocusSession>& sessions) {
            FocusSession session;
            session.id = UUID::random(bed.random);
            session.start = start;
            session.duration = seconds;
            session.taskID = task;
            sessions.push_back(session);
        });
    }
    std::vector<double> barHeights(const Store& store) const {
        std::vector<double> heights;
        for (const WeekDay& day : statsFigures(store, bed.calendar).week.days)
            heights.push_back(day.barHeight);
        return heights;
    }

    test::StoreTestBed bed;
};

TEST_F(StatsFiguresTest, AnEmptyHistoryReadsZeroEverywhere) {
    const StatsFigures figures = statsFigures(open(), bed.calendar);
    EXPECT_EQ(figures.tiles,
              (std::array<KpiText, 4>{
                  {{"0m", "focus today"}, {"0", "pomodoros"}, {"0", "done today"}, {"0", "days streak"}}}));
    EXPECT_EQ(figures.week.readout, "0m focus \u00B7 0 done");
    ASSERT_EQ(figures.week.days.size(), 7u);
    for (const WeekDay& day : figures.week.days)
        EXPECT_EQ(day.barHeight, 0);
    EXPECT_TRUE(figures.week.days.back().today);
    EXPECT_FALSE(figures.week.days.front().today);
    // Monday is the first day of the current week: the other six are still to come.
    ASSERT_EQ(figures.heat.size(), 26u);
    EXPECT_THAT(figures.heat.back()[0], Optional(0));
    for (std::size_t row = 1; row < 7; ++row)
        EXPECT_FALSE(figures.heat.back()[row]);
    EXPECT_THAT(figures.heat.front(), ::testing::Each(Optional(0)));
    EXPECT_TRUE(figures.top.empty());
}

TEST_F(StatsFiguresTest, TilesCountTodayAndOnlyAStreakOfOneIsSingular) {
    EXPECT_EQ(todayTiles(5400, 3, 2, 1)[0].value, "1h 30m");
    EXPECT_EQ(todayTiles(5400, 3, 2, 1)[1].value, "3");
    EXPECT_EQ(todayTiles(5400, 3, 2, 1)[2].value, "2");
    EXPECT_EQ(todayTiles(0, 0, 0, 1)[3], (KpiText{"1", "day streak"}));
    EXPECT_EQ(todayTiles(0, 0, 0, 2)[3], (KpiText{"2", "days streak"}));

    Store& store = open();
    log(store, daysAgo(0), 1500);
    log(store, daysAgo(1), 600);
    log(store, daysAgo(1), 900);
    store.addTask("Write");
    store.toggleDone(store.tasks.get().back().id);
    const StatsFigures figures = statsFigures(store, bed.calendar);
    EXPECT_EQ(figures.tiles[0].value, "25m");
    EXPECT_EQ(figures.tiles[2].value, "1");
    EXPECT_EQ(figures.tiles[3], (KpiText{"2", "days streak"}));
}

TEST_F(StatsFiguresTest, BarsScaleAgainstHalfAnHourAtLeastAndShowAnyFocus) {
    Store& store = open();
    log(store, daysAgo(6), 1); // a second in a week whose busiest day has ten minutes
    log(store, daysAgo(5), 600);
    EXPECT_THAT(barHeights(store), ElementsAre(3, 58 * 600 / 1800.0, 0, 0, 0, 0, 0));

    log(store, daysAgo(2), 1200); // twenty minutes still scale against thirty
    EXPECT_NEAR(barHeights(store)[4], 38.67, 0.01);

    log(store, daysAgo(0), 7200); // a busier day takes the full height
    EXPECT_THAT(barHeights(store), ElementsAre(3, 58 * 600 / 7200.0, 0, 0, 58 * 1200 / 7200.0, 0, 58));
    EXPECT_EQ(weekBarHeight(-5, 1800), 0);
}

TEST_F(StatsFiguresTest, TheReadOutIsTheWeekUnlessAChartedDayIsHovered) {
    Store& store = open();
    log(store, daysAgo(1), 2700);
    log(store, daysAgo(3), 4800);
    const WeekChart week = statsFigures(store, bed.calendar).week;
    EXPECT_EQ(week.readoutFor(std::nullopt), "2h 5m focus \u00B7 0 done");
    EXPECT_EQ(week.readoutFor(week.days[5].day), "Yesterday \u00B7 45m \u00B7 0 done");
    EXPECT_EQ(week.readoutFor(week.days[3].day), "Fri, Mar 6 \u00B7 1h 20m \u00B7 0 done");
    EXPECT_EQ(week.readoutFor(daysAgo(9)), week.readout);
    EXPECT_EQ(week.days[6].letter, "M");
    EXPECT_EQ(week.days[5].letter, "S");
}

TEST_F(StatsFiguresTest, HeatStepsFollowTheShareOfAtLeastAnHour) {
    EXPECT_EQ(heatLevel(0), 0);
    EXPECT_EQ(heatLevel(-1), 0);
    EXPECT_EQ(heatLevel(0.01), 1);
    EXPECT_EQ(heatLevel(0.25), 2);
    EXPECT_EQ(heatLevel(0.4999), 2);
    EXPECT_EQ(heatLevel(0.5), 3);
    EXPECT_EQ(heatLevel(0.75), 4);
    EXPECT_EQ(heatLevel(1), 4);
    EXPECT_THAT(heatLegend(), ElementsAre(0, 2, 3, 4, 4));
    EXPECT_THAT((std::array{heatOpacity(1), heatOpacity(2), heatOpacity(3), heatOpacity(4)}),
                ElementsAre(0.28, 0.5, 0.74, 1));

    // Today (Monday) has forty minutes: two thirds of an hour, not the whole scale.
    // Yesterday (Sunday) five minutes.
    for (int firstWeekday : {monday, sunday}) {
        SCOPED_TRACE(firstWeekday);
        Store& store = open(firstWeekday);
        log(store, daysAgo(0), 2400);
        log(store, daysAgo(1), 300);
        const std::vector<HeatLevels> heat = statsFigures(store, bed.calendar).heat;
        ASSERT_EQ(heat.size(), 26u);
        const HeatLevels& current = heat[25];
        const HeatLevels& previous = heat[24];
        if (firstWeekday == monday) {
            EXPECT_THAT(current[0], Optional(3));
            EXPECT_FALSE(current[1]);
            EXPECT_THAT(previous[6], Optional(1));
        } else {
            EXPECT_THAT(current[0], Optional(1));
            EXPECT_THAT(current[1], Optional(3));
            EXPECT_FALSE(current[2]);
            EXPECT_THAT(previous[6], Optional(0));
        }
    }

    // A busier day raises the scale.
    Store& store = open();
    log(store, daysAgo(0), 2400);
    log(store, daysAgo(7), 9600);
    const std::vector<HeatLevels> heat = statsFigures(store, bed.calendar).heat;
    EXPECT_THAT(heat[25][0], Optional(2));
    EXPECT_THAT(heat[24][0], Optional(4));
}

TEST_F(StatsFiguresTest, TopBarsAreSharesOfTheLongestWithAFourPointMinimum) {
    const std::vector<TopRow> rows =
        topRows({{"A", "Write", 3600}, {"none", "No task", 1800}, {"B", "Read", 10}});
    EXPECT_EQ(rows[0], (TopRow{"A", "Write", "1h", 1, false}));
    EXPECT_EQ(rows[1], (TopRow{"none", "No task", "30m", 0.5, true}));
    EXPECT_EQ(topBarWidth(200, rows[0].share), 200);
    EXPECT_EQ(topBarWidth(200, rows[1].share), 100);
    EXPECT_EQ(topBarWidth(200, rows[2].share), 4);

    // Only zero-length focus: no ratio to take, every bar at the minimum.
    const std::vector<TopRow> idle = topRows({{"A", "Write", 0}, {"none", "No task", 0}});
    for (const TopRow& row : idle) {
        EXPECT_EQ(row.share, 0);
        EXPECT_EQ(topBarWidth(200, row.share), 4);
    }

    Store& store = open();
    const UUID task = *store.addTask("Write");
    log(store, daysAgo(0), 1500, task);
    log(store, daysAgo(1), 600);
    log(store, daysAgo(8), 9000, task); // before the week
    const std::vector<TopRow> top = statsFigures(store, bed.calendar).top;
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].title, "Write");
    EXPECT_EQ(top[0].time, "25m");
    EXPECT_TRUE(top[1].withoutTask);
    EXPECT_DOUBLE_EQ(top[1].share, 0.4);
}

} // namespace
} // namespace vesk
