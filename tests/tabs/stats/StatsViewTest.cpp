#include "tabs/stats/StatsView.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/controls/FittedText.hpp"
#include "support/StoreTestBed.hpp"
#include "tabs/stats/StatsCharts.hpp"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using test::hover;
using test::unhover;

class StatsViewTest : public ::testing::Test {
  protected:
    StatsViewTest() {
        Store& store = bed.open();
        logSession(store, addingSeconds(bed.clock.now(), -86400), 2700);
        view.emplace(store, ViewServices{bed.clock, bed.calendar, bed.queue, bed.random});
        view->resize(378, 394);
        view->show();
        // Oldest first: the columns are made in the order of the days.
        for (QWidget* child : view->findChildren<QWidget*>())
            if (auto* column = dynamic_cast<DayColumn*>(child)) columns.push_back(column);
    }

    void logSession(Store& store, Date start, double seconds, std::optional<UUID> task = std::nullopt) {
        test::edit(store, &Snapshot::sessions, [&](std::vector<FocusSession>& sessions) {
            FocusSession session;
            session.id = UUID::random(bed.random);
            session.taskID = task;
            session.start = start;
            session.duration = seconds;
            sessions.push_back(session);
        });
    }

    test::StoreTestBed bed;
    std::optional<StatsView> view;
    std::vector<DayColumn*> columns;
};

TEST_F(StatsViewTest, HoveringABarShowsItsDayAndLeavingClearsOnlyItsOwn) {
    ASSERT_EQ(columns.size(), 7u);
    const QString week = view->readout();
    EXPECT_EQ(week, "45m focus \u00B7 0 done");

    hover(columns[5]);
    EXPECT_EQ(view->readout(), "Yesterday \u00B7 45m \u00B7 0 done");
    EXPECT_EQ(view->hoverDay(), columns[5]->day().day);

    // The next column's entry can arrive before the previous one's exit.
    hover(columns[6]);
    unhover(columns[5]);
    EXPECT_EQ(view->readout(), "Today \u00B7 0m \u00B7 0 done");

    unhover(columns[6]);
    EXPECT_EQ(view->readout(), week);
    EXPECT_FALSE(view->hoverDay());
}

TEST_F(StatsViewTest, ANewSessionUpdatesTheFiguresOnceShownOnly) {
    Store& store = *bed.store;
    logSession(store, bed.clock.now(), 1500);
    store.addTask("Read");
    QCoreApplication::processEvents();
    EXPECT_EQ(view->figures().tiles[0].value, "25m");
    EXPECT_EQ(view->readout(), "1h 10m focus \u00B7 0 done");
    EXPECT_NEAR(columns[6]->barHeight(), 58 * 1500 / 2700.0, 1e-9);
    ASSERT_EQ(view->figures().top.size(), 1u);
    EXPECT_EQ(view->figures().top[0].time, "1h 10m");

    // Hidden, the screen does no work; it catches up when it shows again.
    view->hide();
    logSession(store, bed.clock.now(), 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->figures().tiles[0].value, "25m");
    view->show();
    EXPECT_EQ(view->figures().tiles[0].value, "35m");
}

TEST_F(StatsViewTest, ThreeTopTasksFitWithTheHeatMapAcrossTheWidthAndALongTimeShrinks) {
    Store& store = *bed.store;
    const Date now = bed.clock.now();
    logSession(store, now, 1000 * 3600 + 33 * 60, store.addTask("Thesis"));
    logSession(store, now, 1500, store.addTask("Slides"));
    logSession(store, now, 900, store.addTask("Mail"));
    QCoreApplication::processEvents();
    ASSERT_EQ(view->figures().top.size(), 3u);

    // The views have no meta-object of their own: picked out by their C++ type.
    const HeatGrid* heat = nullptr;
    std::vector<const TopTaskRow*> rows;
    for (const QWidget* child : view->findChildren<QWidget*>()) {
        if (const auto* grid = dynamic_cast<const HeatGrid*>(child)) heat = grid;
        if (const auto* row = dynamic_cast<const TopTaskRow*>(child)) rows.push_back(row);
    }
    ASSERT_TRUE(heat);
    EXPECT_EQ(heat->width(), 378);
    EXPECT_EQ(heat->height(), heat->heightForWidth(378));
    ASSERT_EQ(rows.size(), 3u);
    for (const TopTaskRow* row : rows)
        EXPECT_EQ(row->height(), 16);

    const FittedText* time = nullptr;
    for (const QWidget* child : rows[0]->findChildren<QWidget*>())
        if (const auto* text = dynamic_cast<const FittedText*>(child)) time = text;
    ASSERT_TRUE(time);
    EXPECT_EQ(time->text(), "1000h 33m");
    EXPECT_EQ(time->geometry(), QRect(378 - 48, time->y(), 48, time->height()));
    EXPECT_LT(time->shownScale(), 1.0);
}

} // namespace
} // namespace vesk
