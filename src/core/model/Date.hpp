#pragma once

#include <chrono>

namespace vesk {

// An absolute instant. The document stores whole seconds; in memory a date keeps the
// clock's full precision, so that timer readings between ticks are exact.
using Date = std::chrono::system_clock::time_point;

// Seconds from `from` to `to` (negative when `to` is earlier).
inline double secondsBetween(Date from, Date to) {
    return std::chrono::duration<double>(to - from).count();
}

inline Date addingSeconds(Date date, double seconds) {
    return date + std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

inline Date dateFromUnixSeconds(double seconds) {
    return Date{} + std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

inline double unixSeconds(Date date) {
    return std::chrono::duration<double>(date.time_since_epoch()).count();
}

} // namespace vesk
