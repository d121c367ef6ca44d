#include "core/model/IsoDate.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vesk {
namespace {

using std::chrono::seconds;

constexpr seconds earliestSeconds = std::chrono::duration_cast<seconds>(IsoDate::earliest.time_since_epoch());
constexpr seconds latestSeconds = std::chrono::duration_cast<seconds>(IsoDate::latest.time_since_epoch());

bool isLeapYear(std::int64_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(std::int64_t year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct Civil {
    std::int64_t year;
    int month;
    int day;
};

// The inverse of daysFromCivil.
Civil civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// The number written in text[from, from + count), or -1 when a character is not a digit.
std::int64_t digits(std::string_view text, std::size_t from, std::size_t count) {
    std::int64_t value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// `value` (0 or more) with leading zeros to `width` digits.
void appendDigits(std::string& text, std::int64_t value, std::size_t width) {
    std::array<char, 20> reversed{};
    std::size_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    for (std::size_t i = count; i < width; ++i)
        text.push_back('0');
    while (count > 0)
        text.push_back(reversed[--count]);
}

Date clampedDate(seconds sinceEpoch) {
    return Date{
        std::chrono::duration_cast<Date::duration>(std::clamp(sinceEpoch, earliestSeconds, latestSeconds))};
}

} // namespace

std::optional<Date> IsoDate::parse(std::string_view text) {
    constexpr std::string_view shape = "0000-00-00T00:00:00Z";
    if (text.size() != shape.size()) return std::nullopt;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] != '0' && text[i] != shape[i]) return std::nullopt;
    const std::int64_t year = digits(text, 0, 4);
    const std::int64_t month = digits(text, 5, 2);
    const std::int64_t day = digits(text, 8, 2);
    const std::int64_t hour = digits(text, 11, 2);
    const std::int64_t minute = digits(text, 14, 2);
    const std::int64_t second = digits(text, 17, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    if (day > daysInMonth(year, static_cast<int>(month))) return std::nullopt;
    const std::int64_t days = daysFromCivil(year, static_cast<int>(month), static_cast<int>(day));
    return clampedDate(seconds{days * 86400 + hour * 3600 + minute * 60 + second});
}

std::string IsoDate::format(Date date) {
    const std::int64_t total =
        std::clamp(std::chrono::floor<seconds>(date.time_since_epoch()), earliestSeconds, latestSeconds)
            .count();
    // Floor division, so that instants before 1970 land on the right day.
    const std::int64_t days = total >= 0 ? total / 86400 : -((-total + 86399) / 86400);
    const std::int64_t secondOfDay = total - days * 86400;
    const Civil civil = civilFromDays(days);
    std::string text;
    text.reserve(20);
    appendDigits(text, civil.year, 4);
    text.push_back('-');
    appendDigits(text, civil.month, 2);
    text.push_back('-');
    appendDigits(text, civil.day, 2);
    text.push_back('T');
    appendDigits(text, secondOfDay / 3600, 2);
    text.push_back(':');
    appendDigits(text, secondOfDay / 60 % 60, 2);
    text.push_back(':');
    appendDigits(text, secondOfDay % 60, 2);
    text.push_back('Z');
    return text;
}

} // namespace vesk
