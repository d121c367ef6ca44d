#pragma once

#include "core/model/Date.hpp"

#include <optional>

namespace vesk {

// A date as the user's wall clock shows it. Weekdays run 1 = Sunday … 7 = Saturday.
struct CivilTime {
    int year = 1970;
    int month = 1; // 1 … 12
    int day = 1;   // 1 … 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 5;

    bool operator==(const CivilTime&) const = default;
};

// The user's Gregorian calendar: days and weeks in the local time zone (TZ or the system's),
// and the weekday a week starts on. Days are calendar days, so around a daylight-saving
// change a day lasts 23 or 25 hours.
class Calendar {
  public:
    // The first weekday of the user's locale (LC_TIME as set by setlocale).
    Calendar();
    // An explicit first weekday (1 = Sunday … 7 = Saturday), e.g. from a user setting;
    // out-of-range values fall back to Sunday.
    explicit Calendar(int firstWeekday);

    int firstWeekday() const { return firstWeekday_; }

    // 00:00 local of the day `date` lies on; where that midnight does not exist on the wall
    // clock, the first instant of the day.
    Date startOfDay(Date date) const;
    // The same wall-clock time `days` calendar days later (earlier when negative); nothing
    // when the result cannot be represented.
    std::optional<Date> addingDays(Date date, int days) const;
    std::optional<Date> addingWeeks(Date date, int weeks) const;
    // Calendar days from the day of `from` to the day of `to`, whatever the times of day.
    int daysBetween(Date from, Date to) const;
    int weekday(Date date) const;
    // The start of the first day of the week (beginning on `firstWeekday()`) containing `date`.
    Date startOfWeek(Date date) const;
    CivilTime civil(Date date) const;

    // The weekday-numbering rules of glibc's locale data: `firstWeekdayIndex` (1 …) counts
    // from the weekday of `epochDate`, written as the number yyyymmdd.
    static int firstWeekdayFromLocaleData(unsigned epochDate, int firstWeekdayIndex);

  private:
    int firstWeekday_ = 1;
};

} // namespace vesk
