// The read-only views of tasks and lists: computed from the whole arrays on every read, so
// they can never go stale. Every sort is stable over the array order.
#include "core/model/TaskOrder.hpp"
#include "core/store/Store.hpp"

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

} // namespace

std::optional<TaskList> Store::currentList() const {
    if (prefs.get().starredView || lists.get().empty()) return std::nullopt;
    const auto& all = lists.get();
    const auto found = std::find_if(
        all.begin(), all.end(), [&](const TaskList& list) { return list.id == prefs.get().selectedListID; });
    return found == all.end() ? all.front() : *found;
}

UUID Store::targetListID() const {
    const auto& all = lists.get();
    const auto found = std::find_if(
        all.begin(), all.end(), [&](const TaskList& list) { return list.id == prefs.get().selectedListID; });
    if (found != all.end()) return found->id;
    // The store always holds a list; the zero id only guards a broken invariant.
    return all.empty() ? UUID{} : all.front().id;
}

std::vector<TaskItem> Store::sortTasks(std::vector<TaskItem> open) const {
    if (!prefs.get().sortByDate) {
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

std::vector<TaskItem> Store::visibleOpenTasks() const {
    std::vector<TaskItem> open;
    if (prefs.get().starredView) {
        for (const TaskItem& item : tasks.get())
            if (isOpenTopLevel(item) && item.starred) open.push_back(item);
    } else if (const auto list = currentList()) {
        for (const TaskItem& item : tasks.get())
            if (isOpenTopLevel(item) && item.listID == list->id) open.push_back(item);
    }
    return sortTasks(std::move(open));
}

std::vector<TaskItem> Store::visibleCompleted() const {
    const auto list = currentList();
    if (!list) return {};
    std::vector<TaskItem> done;
    for (const TaskItem& item : tasks.get())
        if (item.listID == list->id && item.completedAt) done.push_back(item);
    std::stable_sort(done.begin(), done.end(),
                     [](const TaskItem& a, const TaskItem& b) { return *a.completedAt > *b.completedAt; });
    return done;
}

std::vector<TaskItem> Store::subtasks(const UUID& parentID, bool includeDone) const {
    std::vector<TaskItem> children;
    for (const TaskItem& item : tasks.get())
        if (item.parentID == parentID && (includeDone || !item.completedAt)) children.push_back(item);
    sortByOrder(children);
    return children;
}

std::vector<TaskItem> Store::allOpenTasks() const {
    std::vector<TaskItem> result;
    for (const TaskList& list : lists.get()) {
        std::vector<TaskItem> top;
        for (const TaskItem& item : tasks.get())
            if (isOpenTopLevel(item) && item.listID == list.id) top.push_back(item);
        sortByOrder(top);
        for (const TaskItem& item : top) {
            result.push_back(item);
            const auto children = subtasks(item.id, false);
            result.insert(result.end(), children.begin(), children.end());
        }
    }
    return result;
}

std::size_t Store::openCount() const {
    return static_cast<std::size_t>(std::count_if(tasks.get().begin(), tasks.get().end(), isOpenTopLevel));
}

double Store::focusTime(const UUID& id) const {
    double total = 0;
    for (const FocusSession& session : sessions.get())
        if (session.taskID == id) total += session.duration;
    if (timer.get().taskID == id) total += liveFocus();
    return total;
}

} // namespace vesk
