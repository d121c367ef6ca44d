#include "shell/controls/MiniCalendar.hpp"

#include "shell/WidgetEvents.hpp"
#include "shell/controls/MonthGrid.hpp"
#include "shell/theme/Theme.hpp"
#include "support/ScopedTimeZone.hpp"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

namespace vesk {
namespace {

class MiniCalendarTest : public ::testing::Test {
  protected:
    // Whether the cell of `day` (1-based) shows the selection's accent circle.
    bool marked(MiniCalendar& calendar, int day) {
        calendar.resize(224, calendar.sizeHint().height());
        const QImage image = test::renderOnBlack(&calendar);
        QWidget* cell = calendar.dayCells().at(static_cast<std::size_t>(day - 1));
        const QPoint centre = cell->mapTo(&calendar, cell->rect().center());
        const QColor beside = image.pixelColor(centre + QPoint(-9, 0)); // inside the circle, off the digits
        return std::abs(beside.green() - Theme::accent().green()) < 10 && beside.red() > 100;
    }

    test::ScopedTimeZone zone{"UTC"};
    Calendar calendar{2};
    Date now = dateFromUnixSeconds(1'773'057'600); // Mon 9 March 2026 12:00
};

TEST_F(MiniCalendarTest, OpensOnTheSelectedMonthOrTodaysAndReportsTheClickedDaysStart) {
    std::vector<Date> picks;
    const Date inApril = addingSeconds(now, 86400 * 30); // 8 April
    MiniCalendar april(
        inApril, [&](Date d) { picks.push_back(d); }, now, calendar);
    EXPECT_EQ(april.month(), MonthGrid::startOfMonth(inApril, calendar));
    ASSERT_EQ(april.dayCells().size(), 30u);

    test::click(april.dayCells()[19]);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(calendar.civil(picks[0]).day, 20);
    EXPECT_EQ(picks[0], calendar.startOfDay(picks[0]));

    MiniCalendar current(std::nullopt, {}, now, calendar);
    EXPECT_EQ(current.month(), MonthGrid::startOfMonth(now, calendar));
    EXPECT_EQ(current.dayCells().size(), 31u);
}

TEST_F(MiniCalendarTest, PagingKeepsTheSelectionMarkedOnlyInItsOwnMonth) {
    MiniCalendar picker(addingSeconds(now, 86400 * 3), {}, now, calendar); // 12 March
    EXPECT_TRUE(marked(picker, 12));
    EXPECT_FALSE(marked(picker, 11));

    test::click(picker.nextButton());
    EXPECT_EQ(calendar.civil(picker.month()).month, 4);
    EXPECT_FALSE(marked(picker, 12));
    test::click(picker.previousButton());
    test::click(picker.previousButton());
    EXPECT_EQ(calendar.civil(picker.month()).month, 2);
    EXPECT_EQ(picker.dayCells().size(), 28u);
    test::click(picker.nextButton());
    EXPECT_TRUE(marked(picker, 12));

    // Today (9 March) selected is drawn as selected.
    picker.setSelected(now);
    EXPECT_TRUE(marked(picker, 9));
    EXPECT_FALSE(marked(picker, 12));
}

TEST_F(MiniCalendarTest, TicksAndPicksFillTheSameCellsInPlace) {
    // As the detail editor does: a pick sets the selection it shows.
    MiniCalendar picker(
        std::nullopt, [&](Date day) { picker.setSelected(day); }, now, calendar);
    const std::vector<QWidget*> cells = picker.dayCells();
    QPointer<QWidget> tenth = cells[9];

    test::click(tenth); // the pick redraws the month from inside the cell's own click
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(tenth.isNull());
    EXPECT_TRUE(marked(picker, 10));

    picker.setNow(addingSeconds(now, 86400)); // the next day's tick
    EXPECT_EQ(picker.dayCells(), cells);
    EXPECT_TRUE(marked(picker, 10));
}

} // namespace
} // namespace vesk
