#include "core/stats/Statistics.hpp"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace vesk {

namespace {

constexpr double activeFocusSeconds = 60;

// Finds the day start of many dates with few calendar conversions, which dominate the cost:
// each day met is converted once, and sessions, logged in order, mostly hit the last day.
class DayFinder {
  public:
    explicit DayFinder(const Calendar& calendar) : calendar_(calendar) {}

    Date dayOf(Date date) {
        if (last_ != days_.end() && date >= last_->first && date < last_->second) return last_->first;
        auto after = days_.upper_bound(date);
        if (after != days_.begin() && date < std::prev(after)->second) {
            last_ = std::prev(after);
            return last_->first;
        }
        const Date start = calendar_.startOfDay(date);
        const std::optional<Date> next = calendar_.addingDays(start, 1);
        last_ = days_.emplace_hint(after, start, next ? calendar_.startOfDay(*next) : Date::max());
        return start;
    }

  private:
    const Calendar& calendar_;
    std::map<Date, Date> days_; // day start → the next day's start
    std::map<Date, Date>::const_iterator last_ = days_.end();
};

template <class Value> Value valueOn(const std::map<Date, Value>& map, Date day) {
    const auto found = map.find(day);
    return found == map.end() ? Value{} : found->second;
}

std::string titleOrUntitled(const TaskItem& task) {
    return task.title.empty() ? "Untitled" : task.title;
}

} // namespace

Statistics::Statistics(StatsInput input, const Calendar& calendar)
    : input_(input), calendar_(calendar), today_(calendar.startOfDay(input.clockNow)) {}

std::optional<Date> Statistics::dayStartFrom(Date day, int days) const {
    // The result of adding days to a day start is the same wall-clock time, which on a day
    // whose midnight was skipped is not that day's start: normalise it.
    const std::optional<Date> moved = calendar_.addingDays(day, days);
    if (!moved) return std::nullopt;
    return calendar_.startOfDay(*moved);
}

FocusByDay Statistics::focusByDay() const {
    FocusByDay focus;
    DayFinder days(calendar_);
    for (const FocusSession& session : input_.sessions)
        focus[days.dayOf(session.start)] += session.duration;
    if (input_.liveFocus > 0)
        focus[days.dayOf(input_.timer.segmentStart.value_or(input_.storeNow))] += input_.liveFocus;
    return focus;
}

DoneByDay Statistics::doneByDay() const {
    DoneByDay done;
    DayFinder days(calendar_);
    for (const TaskItem& task : input_.tasks)
        if (task.completedAt) ++done[days.dayOf(*task.completedAt)];
    return done;
}

int Statistics::todayPomodoros() const {
    const Date tomorrow = dayStartFrom(today_, 1).value_or(Date::max());
    return static_cast<int>(std::ranges::count_if(input_.sessions, [&](const FocusSession& session) {
        return session.fullPomodoro && session.start >= today_ && session.start < tomorrow;
    }));
}

std::vector<DayStat> Statistics::lastDays(int count) const {
    std::vector<DayStat> rows;
    if (count <= 0) return rows;
    const FocusByDay focus = focusByDay();
    const DoneByDay done = doneByDay();
    rows.reserve(static_cast<std::size_t>(count));
    for (int back = count - 1; back >= 0; --back) {
        const std::optional<Date> day = dayStartFrom(today_, -back);
        if (day) rows.push_back({*day, valueOn(focus, *day), valueOn(done, *day)});
    }
    return rows;
}

int Statistics::streak() const {
    const FocusByDay focus = focusByDay();
    const DoneByDay done = doneByDay();
    const auto active = [&](Date day) {
        return valueOn(focus, day) >= activeFocusSeconds || valueOn(done, day) >= 1;
    };
    std::optional<Date> day = today_;
    if (!active(*day)) day = dayStartFrom(*day, -1);
    // Every active day has an entry in one of the maps, so the walk ends.
    int count = 0;
    while (day && active(*day)) {
        ++count;
        day = dayStartFrom(*day, -1);
    }
    return count;
}

std::vector<HeatColumn> Statistics::heatGrid(int weeks) const {
    std::vector<HeatColumn> columns;
    if (weeks <= 0) return columns;
    const FocusByDay focus = focusByDay();
    const Date currentWeek = calendar_.startOfWeek(today_);
    columns.reserve(static_cast<std::size_t>(weeks));
    for (int column = 0; column < weeks; ++column) {
        HeatColumn cells{};
        const std::optional<Date> moved = calendar_.addingWeeks(currentWeek, column - (weeks - 1));
        for (int row = 0; row < 7; ++row) {
            const std::optional<Date> day = moved ? dayStartFrom(*moved, row) : std::nullopt;
            // A day too far back for the calendar to form has no focus.
            if (!day)
                cells[static_cast<std::size_t>(row)] = 0.0;
            else if (*day <= today_)
                cells[static_cast<std::size_t>(row)] = valueOn(focus, *day);
        }
        columns.push_back(cells);
    }
    return columns;
}

std::vector<TaskTime> Statistics::topTasks(int days, int limit) const {
    std::vector<TaskTime> rows;
    if (days < 0 || limit <= 0) return rows;
    // A window too long for the calendar to form reaches back to the first session.
    const Date since = dayStartFrom(today_, -(days - 1)).value_or(Date::min());

    std::unordered_map<UUID, const TaskItem*> taskByID;
    for (const TaskItem& task : input_.tasks)
        taskByID.try_emplace(task.id, &task);
    std::unordered_map<std::string, std::size_t> rowByKey;
    // A key's first title stands; later contributions only add time.
    const auto add = [&](const std::optional<UUID>& taskID, double seconds, auto&& titleOfNewKey) {
        std::string key = taskID ? taskID->uuidString() : "none";
        const auto [found, isNew] = rowByKey.try_emplace(key, rows.size());
        if (isNew) rows.push_back({std::move(key), titleOfNewKey(), 0});
        rows[found->second].time += seconds;
    };
    const auto storedTask = [&](const std::optional<UUID>& taskID) -> const TaskItem* {
        if (!taskID) return nullptr;
        const auto found = taskByID.find(*taskID);
        return found == taskByID.end() ? nullptr : found->second;
    };

    for (const FocusSession& session : input_.sessions) {
        if (session.start < since) continue;
        add(session.taskID, session.duration, [&]() -> std::string {
            if (!session.taskID) return "No task";
            if (const TaskItem* task = storedTask(session.taskID)) return titleOrUntitled(*task);
            return session.taskTitle.value_or("Deleted task");
        });
    }
    if (input_.liveFocus > 0) {
        const std::optional<UUID>& taskID = input_.timer.taskID;
        add(taskID, input_.liveFocus, [&]() -> std::string {
            if (!taskID) return "No task";
            if (const TaskItem* task = storedTask(taskID)) return titleOrUntitled(*task);
            return "Task";
        });
    }

    // Stable, so that equal times keep the order in which their keys were first met.
    std::ranges::stable_sort(rows, [](const TaskTime& a, const TaskTime& b) { return a.time > b.time; });
    if (rows.size() > static_cast<std::size_t>(limit)) rows.resize(static_cast<std::size_t>(limit));
    return rows;
}

} // namespace vesk
