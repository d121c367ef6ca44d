#pragma once

#include "core/model/Date.hpp"
#include "core/runtime/Calendar.hpp"

#include <cstdint>
#include <locale>
#include <string>

// The short texts of durations, clock readings and dates. Date texts are in US English
// whatever the machine's locale; days, years and weekdays are the user's through Calendar.
namespace vesk::Fmt {

// A timer reading: "04:05" under an hour, "1:02:03" from an hour on.
std::string clock(double seconds);
// A length of focus in whole minutes: "25m", "1h", "1h 5m".
std::string duration(double seconds);
// A due date relative to the day of `now`: "Today", "Tomorrow", "Yesterday", a weekday name
// within the coming week, else "Mon, Mar 9" (this year) or "Mar 9, 2027".
std::string due(Date date, Date now, const Calendar& calendar);
// "March 2026".
std::string month(Date date, const Calendar& calendar);
// "S", "M", "T", "W", "T", "F" or "S".
std::string weekdayLetter(Date date, const Calendar& calendar);
// An integer with its digits grouped as the user's locale groups numbers: "1,204" in en_US,
// "1.204" in de_DE, "1’204" in de_CH. The user's locale is the process's numeric locale,
// set from the environment at start and read at the first call; the plain "C" locale, which
// has no grouping of its own, groups as en_US.
std::string grouped(std::int64_t value);
// The same, grouped as `locale` groups numbers.
std::string grouped(std::int64_t value, const std::locale& locale);

} // namespace vesk::Fmt
