#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Calendar.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The cells of one month of the calendar: blanks up to the month's first weekday (counted
// from the user's first weekday), then one cell per day. No trailing blanks: the last row
// is as long as the month makes it.
struct MonthGrid {
    int leadingBlanks = 0;
    std::vector<Date> days; // the start of each day of the month, in order

    int cellCount() const { return leadingBlanks + static_cast<int>(days.size()); }
    int rows() const { return (cellCount() + 6) / 7; }

    // The first instant of the month containing `date`.
    static Date startOfMonth(Date date, const Calendar& calendar);
    // The month `months` after (before, when negative) the month starting at `month`;
    // none when the calendar cannot say.
    static std::optional<Date> shifted(Date month, int months, const Calendar& calendar);
    static MonthGrid of(Date month, const Calendar& calendar);
    // The weekday letters of the header, from the user's first weekday on.
    static std::array<std::string, 7> weekdayLetters(Date month, const Calendar& calendar);
};

} // namespace vesk
