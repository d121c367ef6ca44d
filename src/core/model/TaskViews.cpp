#include "core/model/TaskViews.hpp"

#include "core/model/TaskOrder.hpp"
#include "core/model/TimerReadings.hpp"

#include <algorithm>

namespace vesk {

namespace {

void sortByOrder(std::vector<TaskItem>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const TaskItem& a, const TaskItem& b) { return orderPrecedes(a.order, b.order); });
}

bool isOpenTopLevel(const TaskItem& item) {
    return !item.completedAt && !item.parentID;
}

std::vector<TaskItem> sortTasks(std::vector<TaskItem> open, const Prefs& prefs) {
    if (!prefs.sortByDate) {
        sortByOrder(open);
        return open;
    }
    std::stable_sort(open.begin(), open.end(), [](const TaskItem& a, const TaskItem& b) {
        if (a.due && b.due) return *a.due != *b.due ? *a.due < *b.due : orderPrecedes(a.order, b.order);
        if (a.due || b.due) return a.due.has_value(); // dated before undated
        return orderPrecedes(a.order, b.order);
    });
    return open;
}

} // namespace

std::optional<TaskItem> taskWithID(const std::vector<TaskItem>& tasks, const UUID& id) {
    const auto found =
        std::find_if(tasks.begin(), tasks.end(), [&](const TaskItem& item) { return item.id == id; });
    if (found == tasks.end()) return std::nullopt;
    return *found;
}

std::optional<std::string> taskTitle(const std::vector<TaskItem>& tasks, const std::optional<UUID>& id) {
    if (!id) return std::nullopt;
    const auto item = taskWithID(tasks, *id);
    if (!item) return std::nullopt;
    return item->title.empty() ? "Untitled" : item->title;
}

std::optional<TaskList> currentList(const std::vector<TaskList>& lists, const Prefs& prefs) {
    if (prefs.starredView || lists.empty()) return std::nullopt;
    const auto found = std::find_if(lists.begin(), lists.end(),
                                    [&](const TaskList& list) { return list.id == prefs.selectedListID; });
    return found == lists.end() ? lists.front() : *found;
}

UUID targetListID(const std::vector<TaskList>& lists, const Prefs& prefs) {
    const auto found = std::find_if(lists.begin(), lists.end(),
                                    [&](const TaskList& list) { return list.id == prefs.selectedListID; });
    if (found != lists.end()) return found->id;
    // The store always holds a list; the zero id only guards a broken invariant.
    return lists.empty() ? UUID{} : lists.front().id;
}

std::vector<TaskItem> visibleOpenTasks(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists,
                                       const Prefs& prefs) {
    std::vector<TaskItem> open;
    if (prefs.starredView) {
        for (const TaskItem& item : tasks)
            if (isOpenTopLevel(item) && item.starred) open.push_back(item);
    } else if (const auto list = currentList(lists, prefs)) {
        for (const TaskItem& item : tasks)
            if (isOpenTopLevel(item) && item.listID == list->id) open.push_back(item);
    }
    return sortTasks(std::move(open), prefs);
}

std::vector<TaskItem> visibleCompleted(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists,
                                       const Prefs& prefs) {
    const auto list = currentList(lists, prefs);
    if (!list) return {};
    std::vector<TaskItem> done;
    for (const TaskItem& item : tasks)
        if (item.listID == list->id && item.completedAt) done.push_back(item);
    std::stable_sort(done.begin(), done.end(),
                     [](const TaskItem& a, const TaskItem& b) { return *a.completedAt > *b.completedAt; });
    return done;
}

std::vector<TaskItem> subtasksOf(const std::vector<TaskItem>& tasks, const UUID& parentID, bool includeDone) {
    std::vector<TaskItem> children;
    for (const TaskItem& item : tasks)
        if (item.parentID == parentID && (includeDone || !item.completedAt)) children.push_back(item);
    sortByOrder(children);
    return children;
}

std::vector<TaskItem> allOpenTasks(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists) {
    std::vector<TaskItem> result;
    for (const TaskList& list : lists) {
        std::vector<TaskItem> top;
        for (const TaskItem& item : tasks)
            if (isOpenTopLevel(item) && item.listID == list.id) top.push_back(item);
        sortByOrder(top);
        for (const TaskItem& item : top) {
            result.push_back(item);
            const auto children = subtasksOf(tasks, item.id, false);
            result.insert(result.end(), children.begin(), children.end());
        }
    }
    return result;
}

std::size_t openCount(const std::vector<TaskItem>& tasks) {
    return static_cast<std::size_t>(std::count_if(tasks.begin(), tasks.end(), isOpenTopLevel));
}

double focusTime(const std::vector<FocusSession>& sessions, const TimerState& timer, Date now,
                 const UUID& id) {
    double total = 0;
    for (const FocusSession& session : sessions)
        if (session.taskID == id) total += session.duration;
    if (timer.taskID == id) total += liveFocus(timer, now);
    return total;
}

} // namespace vesk
