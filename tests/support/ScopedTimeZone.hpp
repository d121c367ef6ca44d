#pragma once

#include "core/model/Date.hpp"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace vesk::test {

// Pins the process's local time zone for the life of the object and restores the old one.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (previous_)
            ::setenv("TZ", previous_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> previous_;
};

inline std::tm civilTm(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return tm;
}

inline Date utcDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm tm = civilTm(year, month, day, hour, minute, second);
    return Date{std::chrono::seconds{::timegm(&tm)}};
}

// A wall-clock time in the current zone (the offset in force is chosen by the C library).
inline Date localDate(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm tm = civilTm(year, month, day, hour, minute, second);
    return Date{std::chrono::seconds{std::mktime(&tm)}};
}

} // namespace vesk::test
