#include "shell/controls/MonthGrid.hpp"

#include "support/ScopedTimeZone.hpp"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// Noon UTC of a civil date, far from any day boundary.
Date noon(int year, int month, int day) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    return std::chrono::system_clock::from_time_t(timegm(&tm));
}

class MonthGridTest : public ::testing::Test {
  protected:
    test::ScopedTimeZone zone{"UTC"};
    Calendar sundayFirst{1};
    Calendar mondayFirst{2};
};

TEST_F(MonthGridTest, LeadingBlanksCountFromTheUsersFirstWeekday) {
    // March 2026 starts on a Sunday.
    EXPECT_EQ(MonthGrid::of(noon(2026, 3, 15), sundayFirst).leadingBlanks, 0);
    EXPECT_EQ(MonthGrid::of(noon(2026, 3, 15), mondayFirst).leadingBlanks, 6);
    // June 2026 starts on a Monday.
    EXPECT_EQ(MonthGrid::of(noon(2026, 6, 1), sundayFirst).leadingBlanks, 1);
    EXPECT_EQ(MonthGrid::of(noon(2026, 6, 1), mondayFirst).leadingBlanks, 0);
}

TEST_F(MonthGridTest, DaysAreTheStartsOfEveryDayWithoutTrailingBlanks) {
    const MonthGrid march = MonthGrid::of(noon(2026, 3, 31), mondayFirst);
    ASSERT_EQ(march.days.size(), 31u);
    EXPECT_EQ(march.days.front(), noon(2026, 3, 1) - std::chrono::hours(12));
    EXPECT_EQ(march.days.back(), noon(2026, 3, 31) - std::chrono::hours(12));
    EXPECT_EQ(march.cellCount(), 37);
    EXPECT_EQ(march.rows(), 6);

    // A non-leap February that starts on the first weekday fills exactly four rows.
    const MonthGrid february = MonthGrid::of(noon(2026, 2, 10), sundayFirst); // Sun 1 Feb 2026
    EXPECT_EQ(february.leadingBlanks, 0);
    EXPECT_EQ(february.days.size(), 28u);
    EXPECT_EQ(february.rows(), 4);
    EXPECT_EQ(MonthGrid::of(noon(2024, 2, 1), sundayFirst).days.size(), 29u);
}

TEST_F(MonthGridTest, PagingMovesWholeMonthsAcrossYearEnds) {
    const Date january = MonthGrid::startOfMonth(noon(2026, 1, 20), mondayFirst);
    EXPECT_EQ(MonthGrid::shifted(january, -1, mondayFirst),
              MonthGrid::startOfMonth(noon(2025, 12, 5), mondayFirst));
    EXPECT_EQ(MonthGrid::shifted(january, 1, mondayFirst),
              MonthGrid::startOfMonth(noon(2026, 2, 5), mondayFirst));
    EXPECT_EQ(MonthGrid::shifted(january, 13, mondayFirst),
              MonthGrid::startOfMonth(noon(2027, 2, 5), mondayFirst));
    // A date inside the month pages like the month's start.
    EXPECT_EQ(MonthGrid::shifted(noon(2026, 1, 31), 1, mondayFirst),
              MonthGrid::shifted(january, 1, mondayFirst));
}

TEST_F(MonthGridTest, WeekdayLettersStartOnTheFirstWeekday) {
    const auto sunday = MonthGrid::weekdayLetters(noon(2026, 3, 1), sundayFirst);
    const auto monday = MonthGrid::weekdayLetters(noon(2026, 3, 1), mondayFirst);
    EXPECT_EQ(sunday, (std::array<std::string, 7>{"S", "M", "T", "W", "T", "F", "S"}));
    EXPECT_EQ(monday, (std::array<std::string, 7>{"M", "T", "W", "T", "F", "S", "S"}));
}

TEST_F(MonthGridTest, DaysSurviveADaylightSavingChange) {
    test::ScopedTimeZone berlin("Europe/Berlin");
    const Calendar calendar(2);
    const MonthGrid march = MonthGrid::of(noon(2026, 3, 10), calendar); // DST starts 29 March
    ASSERT_EQ(march.days.size(), 31u);
    for (std::size_t i = 0; i < march.days.size(); ++i) {
        const CivilTime civil = calendar.civil(march.days[i]);
        EXPECT_EQ(civil.day, static_cast<int>(i) + 1);
        EXPECT_EQ(civil.hour, 0);
    }
}

} // namespace
} // namespace vesk
