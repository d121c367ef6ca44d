#include "shell/controls/MonthGrid.hpp"

#include "core/format/Fmt.hpp"

namespace vesk {

namespace {

// Months are at most 31 days; counting past that means the calendar is not answering.
constexpr int longestMonth = 31;

} // namespace

Date MonthGrid::startOfMonth(Date date, const Calendar& calendar) {
    const Date day = calendar.startOfDay(date);
    const auto start = calendar.addingDays(day, 1 - calendar.civil(day).day);
    return start.value_or(day);
}

std::optional<Date> MonthGrid::shifted(Date month, int months, const Calendar& calendar) {
    Date current = startOfMonth(month, calendar);
    for (; months > 0; --months) {
        const int shown = calendar.civil(current).month;
        std::optional<Date> next = current;
        for (int i = 0; i <= longestMonth && next && calendar.civil(*next).month == shown; ++i)
            next = calendar.addingDays(*next, 1);
        if (!next || calendar.civil(*next).month == shown) return std::nullopt;
        current = *next;
    }
    for (; months < 0; ++months) {
        const auto lastOfPrevious = calendar.addingDays(current, -1);
        if (!lastOfPrevious) return std::nullopt;
        current = startOfMonth(*lastOfPrevious, calendar);
    }
    return current;
}

MonthGrid MonthGrid::of(Date month, const Calendar& calendar) {
    MonthGrid grid;
    const Date first = startOfMonth(month, calendar);
    const int wd = calendar.weekday(first);
    grid.leadingBlanks = (wd - calendar.firstWeekday() + 7) % 7;
    const int shown = calendar.civil(first).month;
    for (int d = 0; d < longestMonth; ++d) {
        const auto day = calendar.addingDays(first, d);
        if (!day) continue;
        if (calendar.civil(*day).month != shown) break;
        grid.days.push_back(*day);
    }
    return grid;
}

std::array<std::string, 7> MonthGrid::weekdayLetters(Date month, const Calendar& calendar) {
    std::array<std::string, 7> letters;
    const Date weekStart = calendar.startOfWeek(month);
    for (int i = 0; i < 7; ++i) {
        const Date day = calendar.addingDays(weekStart, i).value_or(weekStart);
        letters[static_cast<std::size_t>(i)] = Fmt::weekdayLetter(day, calendar);
    }
    return letters;
}

} // namespace vesk
