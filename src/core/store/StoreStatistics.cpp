// The statistics on the store's current values; the figures themselves are Statistics'.
#include "core/store/Store.hpp"

namespace vesk {

Statistics Store::statistics() const {
    return Statistics(
        StatsInput{sessions.get(), tasks.get(), timer.get(), now.get(), env_.clock.now(), liveFocus()},
        env_.calendar);
}

FocusByDay Store::focusByDay() const {
    return statistics().focusByDay();
}
DoneByDay Store::doneByDay() const {
    return statistics().doneByDay();
}
int Store::todayPomodoros() const {
    return statistics().todayPomodoros();
}
std::vector<DayStat> Store::lastDays(int count) const {
    return statistics().lastDays(count);
}
int Store::streak() const {
    return statistics().streak();
}
std::vector<HeatColumn> Store::heatGrid(int weeks) const {
    return statistics().heatGrid(weeks);
}
std::vector<TaskTime> Store::topTasks(int days, int limit) const {
    return statistics().topTasks(days, limit);
}

} // namespace vesk
