#include "tabs/stats/StatsFigures.hpp"

#include "core/format/Fmt.hpp"
#include "core/store/Store.hpp"

#include <algorithm>
#include <cmath>

namespace vesk {
namespace {

const std::string separator = " \u00B7 ";

template <class Value> Value entryFor(const std::map<Date, Value>& byDay, std::optional<Date> day) {
    if (!day) return Value{};
    const auto found = byDay.find(*day);
    return found == byDay.end() ? Value{} : found->second;
}

} // namespace

const std::string& WeekChart::readoutFor(std::optional<Date> hoverDay) const {
    if (hoverDay) {
        const auto hovered = std::ranges::find(days, *hoverDay, &WeekDay::day);
        if (hovered != days.end()) return hovered->readout;
    }
    return readout;
}

std::array<KpiText, 4> todayTiles(double focusToday, int pomodoros, int doneToday, int streak) {
    return {{{Fmt::duration(focusToday), "focus today"},
             {std::to_string(pomodoros), "pomodoros"},
             {std::to_string(doneToday), "done today"},
             {std::to_string(streak), streak == 1 ? "day streak" : "days streak"}}};
}

double weekBarHeight(double focusSeconds, double scaleSeconds) {
    if (!(focusSeconds > 0)) return 0;
    const double share = focusSeconds / scaleSeconds;
    // A sum beyond any scale (a hand-edited file) fills the area rather than leaving it.
    if (!(share < 1)) return StatsScale::barAreaHeight;
    return std::max(StatsScale::barAreaHeight * share, StatsScale::minimumBar);
}

WeekChart weekChart(const std::vector<DayStat>& days, const Calendar& calendar) {
    double focusTotal = 0;
    double largest = 0;
    int doneTotal = 0;
    for (const DayStat& day : days) {
        focusTotal += day.focus;
        doneTotal += day.done;
        largest = std::max(largest, day.focus);
    }
    const double scale = std::max(largest, StatsScale::weekFloor);
    const Date today = days.empty() ? Date{} : days.back().day;

    WeekChart chart;
    chart.readout = Fmt::duration(focusTotal) + " focus" + separator + std::to_string(doneTotal) + " done";
    for (const DayStat& day : days)
        chart.days.push_back({day.day, weekBarHeight(day.focus, scale), Fmt::weekdayLetter(day.day, calendar),
                              day.day == today,
                              Fmt::due(day.day, today, calendar) + separator + Fmt::duration(day.focus) +
                                  separator + std::to_string(day.done) + " done"});
    return chart;
}

int heatLevel(double share) {
    if (!(share > 0)) return 0;
    if (share < 0.25) return 1;
    if (share < 0.5) return 2;
    if (share < 0.75) return 3;
    return 4;
}

double heatOpacity(int level) {
    static constexpr std::array<double, heatSteps> opacities{0, 0.28, 0.5, 0.74, 1};
    return opacities[static_cast<std::size_t>(std::clamp(level, 0, heatSteps - 1))];
}

std::array<int, 5> heatLegend() {
    return {heatLevel(0), heatLevel(0.25), heatLevel(0.5), heatLevel(0.75), heatLevel(1)};
}

std::vector<HeatLevels> heatLevels(const std::vector<HeatColumn>& grid) {
    double scale = StatsScale::heatFloor;
    for (const HeatColumn& column : grid)
        for (const std::optional<double>& cell : column)
            if (cell) scale = std::max(scale, *cell);
    std::vector<HeatLevels> levels;
    levels.reserve(grid.size());
    for (const HeatColumn& column : grid) {
        HeatLevels steps;
        for (std::size_t row = 0; row < column.size(); ++row)
            if (column[row]) steps[row] = heatLevel(*column[row] / scale);
        levels.push_back(steps);
    }
    return levels;
}

std::vector<TopRow> topRows(const std::vector<TaskTime>& tasks) {
    const double longest = tasks.empty() ? 0 : tasks.front().time;
    std::vector<TopRow> rows;
    rows.reserve(tasks.size());
    for (const TaskTime& task : tasks) {
        // Only zero-length focus leaves no longest time to compare with: every bar is the
        // minimum then, rather than 0 / 0.
        const double share = longest > 0 ? std::clamp(task.time / longest, 0.0, 1.0) : 0.0;
        rows.push_back({task.id, task.title, Fmt::duration(task.time), share, task.id == "none"});
    }
    return rows;
}

double topBarWidth(double trackWidth, double share) {
    return std::max(trackWidth * share, StatsScale::minimumTopBar);
}

StatsFigures statsFigures(const Store& store, const Calendar& calendar) {
    StatsFigures figures;
    const Statistics stats = store.statistics();
    const std::vector<DayStat> days = stats.lastDays(StatsScale::weekDays);
    // The chart ends today, so its last day is today's start.
    const std::optional<Date> today = days.empty() ? std::nullopt : std::optional(days.back().day);
    figures.tiles = todayTiles(entryFor(stats.focusByDay(), today), stats.todayPomodoros(),
                               entryFor(stats.doneByDay(), today), stats.streak());
    figures.week = weekChart(days, calendar);
    figures.heat = heatLevels(stats.heatGrid(StatsScale::heatWeeks));
    figures.top = topRows(stats.topTasks(StatsScale::weekDays, StatsScale::topTaskCount));
    return figures;
}

} // namespace vesk
