#include "core/runtime/Calendar.hpp"

#include "support/ScopedTimeZone.hpp"

#include <climits>
#include <gtest/gtest.h>

namespace vesk {
namespace {

using std::chrono::hours;
using test::localDate;
using test::ScopedTimeZone;
using test::utcDate;

constexpr int sunday = 1, monday = 2, wednesday = 4, saturday = 7;

TEST(CalendarTest, StartOfDayIsLocalMidnightOnEitherSideOfADaylightSavingChange) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(monday);
    // Spring forward at 02:00: the day started at 00:00 CET.
    EXPECT_EQ(calendar.startOfDay(utcDate(2026, 3, 29, 13)), utcDate(2026, 3, 28, 23));
    EXPECT_EQ(calendar.startOfDay(utcDate(2026, 3, 29, 22)), utcDate(2026, 3, 29, 22));
    // Fall back at 03:00: the repeated hour belongs to the same day.
    EXPECT_EQ(calendar.startOfDay(utcDate(2026, 10, 25, 1, 30)), utcDate(2026, 10, 24, 22));
    EXPECT_EQ(calendar.startOfDay(utcDate(2026, 10, 25, 22, 59)), utcDate(2026, 10, 24, 22));
    // Fractions of a second are dropped.
    EXPECT_EQ(calendar.startOfDay(utcDate(2026, 1, 1) + std::chrono::milliseconds(1500)),
              utcDate(2025, 12, 31, 23));
}

TEST(CalendarTest, StartOfDayIsTheFirstInstantWhereMidnightIsSkippedOrRepeated) {
    {
        // São Paulo sprang from 00:00 straight to 01:00 on 2018-11-04.
        ScopedTimeZone zone("America/Sao_Paulo");
        const Calendar calendar(sunday);
        EXPECT_EQ(calendar.startOfDay(utcDate(2018, 11, 4, 15)), utcDate(2018, 11, 4, 3));
        EXPECT_EQ(calendar.startOfDay(utcDate(2018, 11, 4, 2, 59)), utcDate(2018, 11, 3, 3));
    }
    {
        // Havana falls back from 01:00 to 00:00 on 2026-11-01, so that day has two midnights.
        ScopedTimeZone zone("America/Havana");
        const Calendar calendar(sunday);
        EXPECT_EQ(calendar.startOfDay(utcDate(2026, 11, 1, 5, 30)), utcDate(2026, 11, 1, 4));
        EXPECT_EQ(calendar.startOfDay(utcDate(2026, 11, 2, 12)), utcDate(2026, 11, 2, 5));
    }
}

TEST(CalendarTest, AddingDaysKeepsTheWallClockSoDaysLast23Or25Hours) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(monday);
    const Date springDay = localDate(2026, 3, 29);
    EXPECT_EQ(*calendar.addingDays(springDay, 1) - springDay, hours(23));
    const Date autumnDay = localDate(2026, 10, 25);
    EXPECT_EQ(*calendar.addingDays(autumnDay, 1) - autumnDay, hours(25));
    EXPECT_EQ(*calendar.addingDays(localDate(2026, 10, 26), -1), autumnDay);

    const Date noonBefore = localDate(2026, 3, 28, 12) + std::chrono::milliseconds(250);
    EXPECT_EQ(*calendar.addingDays(noonBefore, 1),
              localDate(2026, 3, 29, 12) + std::chrono::milliseconds(250));
    EXPECT_EQ(*calendar.addingDays(localDate(2028, 3, 1), -1), localDate(2028, 2, 29));

    EXPECT_EQ(*calendar.addingWeeks(localDate(2026, 3, 30), -2), localDate(2026, 3, 16));
    EXPECT_EQ(*calendar.addingWeeks(localDate(2026, 10, 19), 1) - localDate(2026, 10, 19), hours(7 * 24 + 1));
}

TEST(CalendarTest, DatesBeyondWhatADateHoldsAreNotFormed) {
    ScopedTimeZone zone("UTC");
    const Calendar calendar(sunday);
    const Date date = utcDate(2026, 6, 1);
    EXPECT_FALSE(calendar.addingDays(date, INT_MAX).has_value());
    EXPECT_FALSE(calendar.addingDays(date, INT_MIN).has_value());
    EXPECT_FALSE(calendar.addingWeeks(date, 20000).has_value());
    EXPECT_TRUE(calendar.addingWeeks(date, 10000).has_value());
}

TEST(CalendarTest, DaysBetweenCountsCalendarDaysWhateverTheTimeOfDay) {
    ScopedTimeZone zone("America/New_York");
    const Calendar calendar(sunday);
    EXPECT_EQ(calendar.daysBetween(localDate(2026, 3, 7, 23, 59), localDate(2026, 3, 8, 0, 0)), 1);
    EXPECT_EQ(calendar.daysBetween(localDate(2026, 3, 8, 0, 0), localDate(2026, 3, 8, 23, 59)), 0);
    EXPECT_EQ(calendar.daysBetween(localDate(2026, 3, 8, 12), localDate(2026, 3, 1, 13)), -7);
    EXPECT_EQ(calendar.daysBetween(localDate(2024, 1, 1), localDate(2025, 1, 1)), 366);
    // The local day, not the UTC one: 20:00 in New York is already tomorrow in UTC.
    EXPECT_EQ(calendar.daysBetween(utcDate(2026, 6, 1, 12), utcDate(2026, 6, 2, 1)), 0);
}

TEST(CalendarTest, WeeksStartOnTheFirstWeekday) {
    ScopedTimeZone zone("America/New_York");
    const Date wednesdayNoon = localDate(2026, 3, 11, 12);
    EXPECT_EQ(Calendar(monday).weekday(wednesdayNoon), wednesday);
    EXPECT_EQ(Calendar(monday).startOfWeek(wednesdayNoon), localDate(2026, 3, 9));
    // That Sunday is the first day of summer time: its midnight is still standard time.
    EXPECT_EQ(Calendar(sunday).startOfWeek(wednesdayNoon), utcDate(2026, 3, 8, 5));
    EXPECT_EQ(Calendar(saturday).startOfWeek(wednesdayNoon), localDate(2026, 3, 7));
    EXPECT_EQ(Calendar(wednesday).startOfWeek(wednesdayNoon), localDate(2026, 3, 11));
    EXPECT_EQ(Calendar(monday).startOfWeek(localDate(2026, 1, 1, 9)), localDate(2025, 12, 29));
}

TEST(CalendarTest, CivilComponentsAreTheLocalWallClock) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(monday);
    const CivilTime civil = calendar.civil(utcDate(2026, 12, 31, 23, 4, 5));
    EXPECT_EQ(civil, (CivilTime{2027, 1, 1, 0, 4, 5, 6}));
    // Both passes of the repeated autumn hour read 02:30.
    EXPECT_EQ(calendar.civil(utcDate(2026, 10, 25, 0, 30)).hour,
              calendar.civil(utcDate(2026, 10, 25, 1, 30)).hour);
}

TEST(CalendarTest, FirstWeekdayFollowsTheLocaleDataOrAnExplicitSetting) {
    // glibc counts the first weekday from the weekday of its week epoch date.
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(19971130, 1), sunday);
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(19971130, 2), monday);
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(19971130, 7), saturday);
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(19971201, 7), sunday);
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(0, 1), sunday);
    EXPECT_EQ(Calendar::firstWeekdayFromLocaleData(19971130, 0), sunday);
    // The tests run in the C locale, whose weeks start on Sunday.
    EXPECT_EQ(Calendar().firstWeekday(), sunday);
    EXPECT_EQ(Calendar(monday).firstWeekday(), monday);
    EXPECT_EQ(Calendar(8).firstWeekday(), sunday);
}

} // namespace
} // namespace vesk
