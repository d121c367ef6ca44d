#pragma once

#include "core/model/Date.hpp"
#include "core/stats/Statistics.hpp"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class Calendar;
class Store;

// Everything the statistics screen shows, decided from the store's statistics as plain
// values: texts, bar heights, heat-map steps and bar shares. The view only paints them.
namespace StatsScale {
constexpr double barAreaHeight = 58; // points
constexpr double minimumBar = 3;     // points: a day with any focus shows
constexpr double weekFloor = 1800;   // seconds: a light week is not drawn at full height
constexpr double heatFloor = 3600;   // seconds: the heat map never scales below an hour
constexpr double minimumTopBar = 4;  // points
constexpr int weekDays = 7;
constexpr int heatWeeks = 26;
constexpr int topTaskCount = 3;
} // namespace StatsScale

// One figure tile.
struct KpiText {
    std::string value;
    std::string label;
    bool operator==(const KpiText&) const = default;
};

// One column of the week's bars.
struct WeekDay {
    Date day;
    double barHeight = 0; // points; 0 draws the track only
    std::string letter;
    bool today = false;
    std::string readout; // the header's text while the pointer is on this column
    bool operator==(const WeekDay&) const = default;
};

struct WeekChart {
    std::vector<WeekDay> days; // oldest first, today last
    std::string readout;       // the week's totals

    // The hovered day's text, else the week's; a day no longer on the chart reads as none.
    const std::string& readoutFor(std::optional<Date> hoverDay) const;
    bool operator==(const WeekChart&) const = default;
};

// The steps of the heat map: 0 is no focus (the surface colour), 1 to 4 are the focus colour
// at rising opacity.
constexpr int heatSteps = 5;
int heatLevel(double share);
double heatOpacity(int level);
// The legend's squares, from "less" to "more".
std::array<int, 5> heatLegend();
// Each day's step; none for the days after today.
using HeatLevels = std::array<std::optional<int>, 7>;

// One row of the week's top tasks.
struct TopRow {
    std::string id;
    std::string title;
    std::string time;
    double share = 0;         // of the longest time, 0 … 1
    bool withoutTask = false; // focus with no task attached
    bool operator==(const TopRow&) const = default;
};

struct StatsFigures {
    std::array<KpiText, 4> tiles;
    WeekChart week;
    std::vector<HeatLevels> heat; // oldest week first
    std::vector<TopRow> top;      // empty: the screen shows how to get started
    bool operator==(const StatsFigures&) const = default;
};

// The whole screen from the store's statistics, each asked for once, in the user's calendar.
StatsFigures statsFigures(const Store& store, const Calendar& calendar);

std::array<KpiText, 4> todayTiles(double focusToday, int pomodoros, int doneToday, int streak);
WeekChart weekChart(const std::vector<DayStat>& days, const Calendar& calendar);
double weekBarHeight(double focusSeconds, double scaleSeconds);
std::vector<HeatLevels> heatLevels(const std::vector<HeatColumn>& grid);
std::vector<TopRow> topRows(const std::vector<TaskTime>& tasks);
// The width of a top task's bar on a track `trackWidth` wide.
double topBarWidth(double trackWidth, double share);

} // namespace vesk
