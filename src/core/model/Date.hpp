#pragma once

#include <chrono>
#include <cmath>
#include <limits>

namespace vesk {

// An absolute instant. The document stores whole seconds; in memory a date keeps the
// clock's full precision, so that timer readings between ticks are exact.
using Date = std::chrono::system_clock::time_point;

namespace dates {

// `ticks` of the clock as a count a Date holds: one beyond its span stops at the span's end,
// since a hand-edited file can put two dates further apart than 64 bits of nanoseconds reach.
inline Date::rep clampedTicks(double ticks) {
    constexpr double beyond = -static_cast<double>(std::numeric_limits<Date::rep>::min()); // 2^63
    if (std::isnan(ticks)) return 0;
    if (ticks >= beyond) return std::numeric_limits<Date::rep>::max();
    if (ticks < -beyond) return std::numeric_limits<Date::rep>::min();
    return static_cast<Date::rep>(ticks);
}

inline Date::rep ticksOfSeconds(double seconds) {
    return clampedTicks(std::chrono::duration<double, Date::period>(std::chrono::duration<double>(seconds)).count());
}

} // namespace dates

// Seconds from `from` to `to` (negative when `to` is earlier); exact unless the two are further
// apart than the clock's count can hold, then as near as a double gets.
inline double secondsBetween(Date from, Date to) {
    const Date::rep a = from.time_since_epoch().count();
    const Date::rep b = to.time_since_epoch().count();
    Date::rep ticks = 0;
    if (!__builtin_sub_overflow(b, a, &ticks)) return std::chrono::duration<double>(Date::duration{ticks}).count();
    return std::chrono::duration<double>(
               std::chrono::duration<double, Date::period>(static_cast<double>(b) - static_cast<double>(a)))
        .count();
}

// Stops at the first or last instant a Date holds.
inline Date addingSeconds(Date date, double seconds) {
    const Date::rep step = dates::ticksOfSeconds(seconds);
    Date::rep sum = 0;
    if (__builtin_add_overflow(date.time_since_epoch().count(), step, &sum))
        return step > 0 ? Date::max() : Date::min();
    return Date{Date::duration{sum}};
}

inline Date dateFromUnixSeconds(double seconds) {
    return Date{Date::duration{dates::ticksOfSeconds(seconds)}};
}

inline double unixSeconds(Date date) {
    return std::chrono::duration<double>(date.time_since_epoch()).count();
}

} // namespace vesk
