#include "tabs/detail/TaskDetailContent.hpp"

#include "core/format/Fmt.hpp"
#include "core/model/TaskViews.hpp"
#include "core/runtime/Calendar.hpp"
#include "core/store/Store.hpp"
#include "tabs/tasks/TasksContent.hpp"

#include <algorithm>

namespace vesk {
namespace {

bool sameDay(std::optional<Date> date, Date day, const Calendar& calendar) {
    return date && calendar.startOfDay(*date) == calendar.startOfDay(day);
}

// Fmt.due's relative words read in lower case inside a sentence ("Created today").
std::string relativeDay(Date date, Date now, const Calendar& calendar) {
    std::string text = Fmt::due(date, now, calendar);
    if (text == "Today" || text == "Tomorrow" || text == "Yesterday") text[0] = char(text[0] - 'A' + 'a');
    return text;
}

} // namespace

std::optional<ListMenu> listMenuFor(const std::vector<TaskList>& lists, const TaskItem& task) {
    const auto own =
        std::find_if(lists.begin(), lists.end(), [&](const TaskList& l) { return l.id == task.listID; });
    if (own == lists.end()) return std::nullopt;
    ListMenu menu{own->name, {}};
    for (const TaskList& list : lists)
        menu.entries.push_back({list.id, list.name, task.parentID || list.id != task.listID});
    return menu;
}

QuickDays quickDays(Date clockNow, const Calendar& calendar) {
    const Date today = calendar.startOfDay(clockNow);
    return {today, calendar.addingDays(today, 1).value_or(today),
            calendar.addingDays(today, 7).value_or(today)};
}

DueChips dueChips(std::optional<Date> due, bool calendarOpen, Date clockNow, const Calendar& calendar) {
    const QuickDays days = quickDays(clockNow, calendar);
    DueChips chips;
    chips.today = sameDay(due, days.today, calendar);
    chips.tomorrow = sameDay(due, days.tomorrow, calendar);
    chips.nextWeek = sameDay(due, days.nextWeek, calendar);
    const bool custom = due && !chips.today && !chips.tomorrow && !chips.nextWeek;
    chips.pick = custom || calendarOpen;
    if (custom) chips.pickText = Fmt::due(*due, clockNow, calendar);
    chips.clearShown = due.has_value();
    return chips;
}

std::string subtaskHeader(const std::vector<TaskItem>& subtasks) {
    if (subtasks.empty()) return "Subtasks";
    const auto done =
        std::count_if(subtasks.begin(), subtasks.end(), [](const TaskItem& t) { return t.completedAt; });
    return "Subtasks · " + std::to_string(done) + "/" + std::to_string(subtasks.size());
}

std::string detailSummary(const Store& store, const TaskItem& task, Date clockNow, const Calendar& calendar) {
    std::vector<std::string> parts;
    if (const double focused = focusTime(store.sessions.get(), store.timer.get(), store.now.get(), task.id);
        focused >= 60)
        parts.push_back("Focused " + Fmt::duration(focused));
    const auto& sessions = store.sessions.get();
    const auto pomodoros = std::count_if(sessions.begin(), sessions.end(), [&](const FocusSession& s) {
        return s.taskID == task.id && s.fullPomodoro;
    });
    if (pomodoros > 0)
        parts.push_back(std::to_string(pomodoros) + (pomodoros == 1 ? " pomodoro" : " pomodoros"));
    parts.push_back("Created " + relativeDay(task.createdAt, clockNow, calendar));
    if (task.completedAt) parts.push_back("Done " + relativeDay(*task.completedAt, clockNow, calendar));
    std::string line;
    for (const std::string& part : parts)
        line += (line.empty() ? "" : "  ·  ") + part;
    return line;
}

TaskDetailContent taskDetailContent(const Store& store, const UUID& id, Date clockNow,
                                    const Calendar& calendar) {
    TaskDetailContent content;
    content.task = taskWithID(store.tasks.get(), id);
    if (!content.task) return content;
    content.listMenu = listMenuFor(store.lists.get(), *content.task);
    if (!content.task->parentID) content.subtasks = firstOfEachID(subtasksOf(store.tasks.get(), id, true));
    content.summary = detailSummary(store, *content.task, clockNow, calendar);
    content.today = calendar.startOfDay(clockNow);
    return content;
}

} // namespace vesk
