#include "core/format/Fmt.hpp"

#include "support/ScopedTimeZone.hpp"

#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <stdexcept>

namespace vesk {
namespace {

using test::localDate;
using test::ScopedTimeZone;
using test::utcDate;

TEST(FmtTest, ClockShowsMinutesAndSecondsUnderAnHourAndHoursFromAnHourOn) {
    EXPECT_EQ(Fmt::clock(0), "00:00");
    EXPECT_EQ(Fmt::clock(59.999), "00:59");
    EXPECT_EQ(Fmt::clock(60), "01:00");
    EXPECT_EQ(Fmt::clock(75.9), "01:15");
    EXPECT_EQ(Fmt::clock(3599), "59:59");
    EXPECT_EQ(Fmt::clock(3599.5), "59:59");
    EXPECT_EQ(Fmt::clock(3600), "1:00:00");
    EXPECT_EQ(Fmt::clock(36000), "10:00:00");
    EXPECT_EQ(Fmt::clock(12 * 3600 + 34 * 60 + 56), "12:34:56");
}

TEST(FmtTest, DurationShowsWholeMinutesThenHoursAndMinutes) {
    EXPECT_EQ(Fmt::duration(0), "0m");
    EXPECT_EQ(Fmt::duration(59.9), "0m");
    EXPECT_EQ(Fmt::duration(119), "1m");
    EXPECT_EQ(Fmt::duration(3540), "59m");
    EXPECT_EQ(Fmt::duration(3599), "59m");
    EXPECT_EQ(Fmt::duration(3600), "1h");
    EXPECT_EQ(Fmt::duration(3660), "1h 1m");
    EXPECT_EQ(Fmt::duration(5400), "1h 30m");
    EXPECT_EQ(Fmt::duration(7200), "2h");
    EXPECT_EQ(Fmt::duration(12 * 3600 + 30 * 60), "12h 30m");
}

TEST(FmtTest, NumbersBeyondA64BitWholePartSaturateInsteadOfOverflowing) {
    // Sums of focus come from a file a user may edit by hand.
    EXPECT_EQ(Fmt::clock(1e300), "2562047788015215:30:07");
    EXPECT_EQ(Fmt::clock(std::numeric_limits<double>::quiet_NaN()), "00:00");
    EXPECT_EQ(Fmt::duration(1e300), "153722867280912930h 7m");
    EXPECT_EQ(Fmt::duration(std::numeric_limits<double>::quiet_NaN()), "0m");
}

TEST(FmtTest, GroupedPutsACommaBetweenThousands) {
    EXPECT_EQ(Fmt::grouped(0), "0");
    EXPECT_EQ(Fmt::grouped(999), "999");
    EXPECT_EQ(Fmt::grouped(1204), "1,204");
    EXPECT_EQ(Fmt::grouped(1000000), "1,000,000");
    EXPECT_EQ(Fmt::grouped(-12000), "-12,000");
    EXPECT_EQ(Fmt::grouped(std::numeric_limits<std::int64_t>::min()), "-9,223,372,036,854,775,808");
}

// Numbers as a locale writes them, given whole so that no installed locale is needed.
class Grouping final : public std::numpunct<wchar_t> {
  public:
    Grouping(wchar_t separator, std::string sizes) : separator_(separator), sizes_(std::move(sizes)) {}

  protected:
    wchar_t do_thousands_sep() const override { return separator_; }
    std::string do_grouping() const override { return sizes_; }

  private:
    wchar_t separator_;
    std::string sizes_;
};

std::locale grouping(wchar_t separator, std::string sizes) {
    return std::locale(std::locale::classic(), new Grouping(separator, std::move(sizes)));
}

TEST(FmtTest, GroupedFollowsTheLocalesSeparatorAndGroupSizes) {
    const std::locale german = grouping(L'.', "\3");
    EXPECT_EQ(Fmt::grouped(1204, german), "1.204");
    EXPECT_EQ(Fmt::grouped(-5000000, german), "-5.000.000");
    const std::locale swiss = grouping(L'\u2019', "\3\3");
    EXPECT_EQ(Fmt::grouped(5000, swiss), "5\u2019000");
    EXPECT_EQ(Fmt::grouped(999, swiss), "999");
    EXPECT_EQ(Fmt::grouped(12345678, grouping(L',', "\3\2")), "1,23,45,678"); // as in India
    EXPECT_EQ(Fmt::grouped(12345678, grouping(L',', "")), "12345678");
    EXPECT_EQ(Fmt::grouped(1204, std::locale::classic()), "1,204");
}

TEST(FmtTest, GroupedReadsTheSeparatorOfAnInstalledLocaleWhole) {
    try {
        EXPECT_EQ(Fmt::grouped(1204, std::locale("de_DE.UTF-8")), "1.204");
        EXPECT_EQ(Fmt::grouped(1204, std::locale("de_CH.UTF-8")), "1\u2019204");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "de_DE.UTF-8 and de_CH.UTF-8 are not installed";
    }
}

TEST(FmtTest, DueNamesTheDayRelativeToTodayAtAnyTimeOfDay) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(2);
    // Wednesday 11 March 2026, early and late.
    for (const Date now :
         {localDate(2026, 3, 11, 0, 0), localDate(2026, 3, 11, 10, 30), localDate(2026, 3, 11, 23, 59)}) {
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 11, 23, 59, 59), now, calendar), "Today");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 11, 0, 0), now, calendar), "Today");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 12, 0, 0), now, calendar), "Tomorrow");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 10, 23, 59), now, calendar), "Yesterday");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 13, 9), now, calendar), "Friday");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 17, 9), now, calendar), "Tuesday");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 18, 9), now, calendar), "Wed, Mar 18");
        EXPECT_EQ(Fmt::due(localDate(2026, 3, 9, 9), now, calendar), "Mon, Mar 9");
        EXPECT_EQ(Fmt::due(localDate(2026, 9, 1, 9), now, calendar), "Tue, Sep 1");
    }
}

TEST(FmtTest, DueShowsTheYearOnlyForAnotherCalendarYear) {
    ScopedTimeZone zone("America/New_York");
    const Calendar calendar(1);
    const Date monday = localDate(2026, 12, 28, 15);
    EXPECT_EQ(Fmt::due(localDate(2027, 1, 5, 8), monday, calendar), "Jan 5, 2027");
    EXPECT_EQ(Fmt::due(localDate(2027, 1, 1, 8), monday, calendar), "Friday");
    EXPECT_EQ(Fmt::due(localDate(2027, 1, 1, 0, 0), localDate(2026, 12, 31, 23, 59), calendar), "Tomorrow");
    EXPECT_EQ(Fmt::due(localDate(2026, 12, 30, 8), localDate(2027, 1, 2, 8), calendar), "Dec 30, 2026");
    EXPECT_EQ(Fmt::due(localDate(2026, 1, 1, 8), monday, calendar), "Thu, Jan 1");
}

TEST(FmtTest, DueCountsCalendarDaysAcrossADaylightSavingChange) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(2);
    // The spring day has 23 hours: 23 hours after 23:30 is already the next day.
    EXPECT_EQ(Fmt::due(localDate(2026, 3, 29, 23, 30), localDate(2026, 3, 28, 23, 30), calendar), "Tomorrow");
    EXPECT_EQ(Fmt::due(localDate(2026, 3, 30, 0, 10), localDate(2026, 3, 28, 23, 30), calendar), "Monday");
    EXPECT_EQ(Fmt::due(localDate(2026, 3, 28, 0, 30), localDate(2026, 3, 29, 23, 30), calendar), "Yesterday");
    // The autumn day has 25 hours: 24 hours after 00:30 is still the same day.
    const Date autumnMorning = localDate(2026, 10, 25, 0, 30);
    EXPECT_EQ(Fmt::due(autumnMorning + std::chrono::hours(24), autumnMorning, calendar), "Today");
    EXPECT_EQ(Fmt::due(localDate(2026, 10, 26, 0, 0), autumnMorning, calendar), "Tomorrow");
    EXPECT_EQ(Fmt::due(localDate(2026, 10, 24, 23, 59), localDate(2026, 10, 25, 23, 59), calendar),
              "Yesterday");
}

TEST(FmtTest, MonthAndWeekdayLetterAreEnglishInTheLocalZone) {
    ScopedTimeZone zone("Europe/Berlin");
    const Calendar calendar(2);
    EXPECT_EQ(Fmt::month(localDate(2026, 3, 9), calendar), "March 2026");
    // 23:30 UTC on New Year's Eve is already January in Berlin.
    EXPECT_EQ(Fmt::month(utcDate(2026, 12, 31, 23, 30), calendar), "January 2027");

    std::string letters;
    for (int day = 8; day <= 14; ++day)
        letters += Fmt::weekdayLetter(localDate(2026, 3, day, 12), calendar);
    EXPECT_EQ(letters, "SMTWTFS");
    EXPECT_EQ(Fmt::weekdayLetter(utcDate(2026, 3, 10, 23, 30), calendar), "W");
}

} // namespace
} // namespace vesk
