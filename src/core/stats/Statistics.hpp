#pragma once

#include "core/model/Date.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/TimerModels.hpp"
#include "core/runtime/Calendar.hpp"

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vesk {

// One day of the bar chart.
struct DayStat {
    Date day;         // the start of the calendar day
    double focus = 0; // seconds
    int done = 0;     // tasks completed

    friend bool operator==(const DayStat&, const DayStat&) = default;
};

// One row of the top tasks.
struct TaskTime {
    std::string id; // the task's upper-case UUID, or "none" for focus without a task
    std::string title;
    double time = 0; // seconds of focus

    friend bool operator==(const TaskTime&, const TaskTime&) = default;
};

// Seconds of focus, and tasks done, per day start.
using FocusByDay = std::map<Date, double>;
using DoneByDay = std::map<Date, int>;
// One calendar week of the heat map: focus per day from the first weekday on; nothing for
// the days after today.
using HeatColumn = std::array<std::optional<double>, 7>;

// What the statistics are computed from: the store's model values at the moment of the call.
struct StatsInput {
    std::span<const FocusSession> sessions;
    std::span<const TaskItem> tasks;
    TimerState timer;
    Date storeNow;        // the store's `now`, for live focus without a segment start
    Date clockNow;        // the clock's reading, which decides what today is
    double liveFocus = 0; // seconds of the current run not yet logged
};

// The statistics of focus and completed tasks, derived afresh on every call: nothing is cached
// between calls. Days are the user's calendar days; days and weeks are stepped in calendar
// arithmetic, never in multiples of 86,400 s.
class Statistics {
  public:
    Statistics(StatsInput input, const Calendar& calendar);

    // Focus per day, live focus included. A session counts wholly on the day it started.
    FocusByDay focusByDay() const;
    // Tasks and subtasks completed per day; days without completions have no entry.
    DoneByDay doneByDay() const;
    // Full pomodoros logged today.
    int todayPomodoros() const;
    // The `count` days ending today, oldest first.
    std::vector<DayStat> lastDays(int count) const;
    // Consecutive active days (60 s of focus or a task done) up to today; an inactive today
    // does not break the streak.
    int streak() const;
    // `weeks` whole calendar weeks ending with the current one, oldest first.
    std::vector<HeatColumn> heatGrid(int weeks) const;
    // The tasks with the most focus in the last `days` days (live focus whatever its day),
    // most first, at most `limit` rows.
    std::vector<TaskTime> topTasks(int days, int limit) const;

  private:
    // The start of the day `days` calendar days from `day`, when it can be formed.
    std::optional<Date> dayStartFrom(Date day, int days) const;

    StatsInput input_;
    const Calendar& calendar_;
    Date today_;
};

} // namespace vesk
