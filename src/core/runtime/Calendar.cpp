#include "core/runtime/Calendar.hpp"

#include <cstdint>
#include <ctime>
#include <langinfo.h>
#include <limits>

namespace vesk {

namespace {

using std::chrono::seconds;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm), so that day
// counts never depend on how long the days in between lasted.
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

// 0 = Sunday; 1970-01-01 was a Thursday.
int weekdayIndexOfDays(std::int64_t days) {
    const std::int64_t index = (days + 4) % 7;
    return static_cast<int>(index < 0 ? index + 7 : index);
}

std::tm localTm(Date date) {
    const std::time_t time = std::chrono::floor<seconds>(date).time_since_epoch().count();
    std::tm tm{};
    // Every instant a Date can hold has a local time; a failure leaves the epoch's fields.
    localtime_r(&time, &tm);
    return tm;
}

std::int64_t civilDays(const std::tm& tm) {
    return daysFromCivil(std::int64_t{tm.tm_year} + 1900, static_cast<unsigned>(tm.tm_mon + 1),
                         static_cast<unsigned>(tm.tm_mday));
}

// The instant of a local wall-clock time, letting mktime normalise out-of-range fields and pick
// the offset in force (tm_isdst = -1); nothing when it is outside what a Date can hold.
std::optional<Date> instantOfLocal(std::tm tm, Date::duration fraction) {
    tm.tm_isdst = -1;
    tm.tm_yday = -1; // mktime returns -1 both for failure and for 1969-12-31 23:59:59 UTC
    const std::time_t time = std::mktime(&tm);
    if (time == -1 && tm.tm_yday == -1) return std::nullopt;
    constexpr auto lowest = std::chrono::ceil<seconds>(Date::min().time_since_epoch()).count() + 1;
    constexpr auto highest = std::chrono::floor<seconds>(Date::max().time_since_epoch()).count() - 1;
    if (time < lowest || time > highest) return std::nullopt;
    return Date{seconds{time}} + fraction;
}

} // namespace

Calendar::Calendar() {
    tzset();
    const auto epochDate =
        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(nl_langinfo(_NL_TIME_WEEK_1STDAY)));
    const int index = static_cast<unsigned char>(nl_langinfo(_NL_TIME_FIRST_WEEKDAY)[0]);
    firstWeekday_ = firstWeekdayFromLocaleData(epochDate, index);
}

Calendar::Calendar(int firstWeekday)
    : firstWeekday_(firstWeekday >= 1 && firstWeekday <= 7 ? firstWeekday : 1) {
    tzset();
}

int Calendar::firstWeekdayFromLocaleData(unsigned epochDate, int firstWeekdayIndex) {
    const unsigned year = epochDate / 10000;
    const unsigned month = epochDate / 100 % 100;
    const unsigned day = epochDate % 100;
    if (month < 1 || month > 12 || day < 1 || day > 31 || firstWeekdayIndex < 1 || firstWeekdayIndex > 7)
        return 1;
    const int epochWeekday = weekdayIndexOfDays(daysFromCivil(year, month, day));
    return (epochWeekday + firstWeekdayIndex - 1) % 7 + 1;
}

Date Calendar::startOfDay(Date date) const {
    std::tm tm = localTm(date);
    tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
    return instantOfLocal(tm, {}).value_or(std::chrono::floor<seconds>(date));
}

std::optional<Date> Calendar::addingDays(Date date, int days) const {
    std::tm tm = localTm(date);
    const std::int64_t dayOfMonth = std::int64_t{tm.tm_mday} + days;
    if (dayOfMonth > std::numeric_limits<int>::max() || dayOfMonth < std::numeric_limits<int>::min())
        return std::nullopt;
    tm.tm_mday = static_cast<int>(dayOfMonth);
    return instantOfLocal(tm, date - std::chrono::floor<seconds>(date));
}

std::optional<Date> Calendar::addingWeeks(Date date, int weeks) const {
    const std::int64_t days = std::int64_t{weeks} * 7;
    if (days > std::numeric_limits<int>::max() || days < std::numeric_limits<int>::min()) return std::nullopt;
    return addingDays(date, static_cast<int>(days));
}

int Calendar::daysBetween(Date from, Date to) const {
    return static_cast<int>(civilDays(localTm(to)) - civilDays(localTm(from)));
}

int Calendar::weekday(Date date) const {
    return localTm(date).tm_wday + 1;
}

Date Calendar::startOfWeek(Date date) const {
    std::tm tm = localTm(date);
    tm.tm_mday -= (tm.tm_wday + 1 - firstWeekday_ + 7) % 7;
    tm.tm_hour = tm.tm_min = tm.tm_sec = 0;
    return instantOfLocal(tm, {}).value_or(startOfDay(date));
}

CivilTime Calendar::civil(Date date) const {
    const std::tm tm = localTm(date);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday + 1};
}

} // namespace vesk
