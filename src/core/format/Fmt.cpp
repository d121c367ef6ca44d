#include "core/format/Fmt.hpp"

#include <algorithm>
#include <array>
#include <cinttypes>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace vesk::Fmt {

namespace {

constexpr std::array<std::string_view, 7> weekdayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> monthNames{"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};

// Weekdays are 1 = Sunday … 7 = Saturday, months 1 … 12.
std::string_view weekdayName(int weekday) {
    return weekdayNames[static_cast<std::size_t>(weekday - 1)];
}
std::string_view monthName(int month) {
    return monthNames[static_cast<std::size_t>(month - 1)];
}
std::string_view abbreviated(std::string_view name) {
    return name.substr(0, 3);
}

// The whole part of a number as a 64-bit integer. A hand-edited file can hold sums far beyond
// that range, and the cast of such a double (or of NaN) is undefined, so they saturate.
std::int64_t wholePart(double value) {
    constexpr double limit = 9223372036854774784.0; // the largest double below 2^63
    if (std::isnan(value)) return 0;
    if (value >= limit) return INT64_MAX;
    if (value <= -limit) return INT64_MIN;
    return static_cast<std::int64_t>(value);
}

// The "C" and "POSIX" locales group nothing; numbers there are grouped as in en_US.
bool isPlainC(const std::string& name) {
    return name == "C" || name == "POSIX" || name.starts_with("C.");
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string clock(double seconds) {
    const std::int64_t n = wholePart(std::floor(seconds));
    char text[48];
    if (n < 3600)
        std::snprintf(text, sizeof text, "%02" PRId64 ":%02" PRId64, (n % 3600) / 60, n % 60);
    else
        std::snprintf(text, sizeof text, "%" PRId64 ":%02" PRId64 ":%02" PRId64, n / 3600, (n % 3600) / 60,
                      n % 60);
    return text;
}

std::string duration(double seconds) {
    const std::int64_t minutes = wholePart(seconds / 60);
    if (minutes <= 59) return std::to_string(minutes) + "m";
    const std::int64_t hours = minutes / 60;
    const std::int64_t rest = minutes % 60;
    if (rest == 0) return std::to_string(hours) + "h";
    return std::to_string(hours) + "h " + std::to_string(rest) + "m";
}

std::string due(Date date, Date now, const Calendar& calendar) {
    const int days = calendar.daysBetween(now, date);
    if (days == 0) return "Today";
    if (days == 1) return "Tomorrow";
    if (days == -1) return "Yesterday";
    const CivilTime target = calendar.civil(date);
    if (days >= 2 && days <= 6) return std::string(weekdayName(target.weekday));
    std::string text;
    if (target.year == calendar.civil(now).year) {
        text.append(abbreviated(weekdayName(target.weekday))).append(", ");
        text.append(abbreviated(monthName(target.month))).append(" ").append(std::to_string(target.day));
    } else {
        text.append(abbreviated(monthName(target.month))).append(" ").append(std::to_string(target.day));
        text.append(", ").append(std::to_string(target.year));
    }
    return text;
}

std::string month(Date date, const Calendar& calendar) {
    const CivilTime civil = calendar.civil(date);
    return std::string(monthName(civil.month)) + " " + std::to_string(civil.year);
}

std::string weekdayLetter(Date date, const Calendar& calendar) {
    return std::string(weekdayName(calendar.weekday(date)).substr(0, 1));
}

std::string grouped(std::int64_t value) {
    static const std::locale user = [] {
        const char* name = std::setlocale(LC_NUMERIC, nullptr);
        try {
            return name ? std::locale(name) : std::locale::classic();
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    return grouped(value, user);
}

std::string grouped(std::int64_t value, const std::locale& locale) {
    std::string separator = ",";
    std::string sizes = "\3";
    if (!isPlainC(locale.name())) {
        // The wide facet holds the separator whole: the narrow one has a single byte of it.
        const auto& numbers = std::use_facet<std::numpunct<wchar_t>>(locale);
        separator.clear();
        appendUtf8(separator, static_cast<char32_t>(numbers.thousands_sep()));
        sizes = numbers.grouping();
    }
    // Digits of the magnitude as unsigned, so that the most negative value has one too.
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    // Built from the last digit backwards: each size counts the digits of one group, the last
    // size repeats, and one of 0 or below, or CHAR_MAX, leaves the rest ungrouped.
    std::string reversed;
    std::size_t group = 0;
    std::size_t inGroup = 0;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        const char size = sizes.empty() ? 0 : sizes[std::min(group, sizes.size() - 1)];
        if (size > 0 && size != CHAR_MAX && inGroup == static_cast<std::size_t>(size)) {
            reversed.append(separator.rbegin(), separator.rend());
            ++group;
            inGroup = 0;
        }
        reversed += *digit;
        ++inGroup;
    }
    std::string text = value < 0 ? "-" : "";
    text.append(reversed.rbegin(), reversed.rend());
    return text;
}

} // namespace vesk::Fmt
