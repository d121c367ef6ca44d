#include "tabs/tasks/TasksContent.hpp"

#include "core/format/Fmt.hpp"
#include "core/model/TaskOrder.hpp"
#include "core/model/TaskViews.hpp"
#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

constexpr double minimumShownFocusSeconds = 60;

std::string titleOrUntitled(const TaskItem& task) {
    return task.title.empty() ? "Untitled" : task.title;
}

// Seconds of focus per task, the current run included: what focusTime gives for
// one task, for all of them in one pass over the sessions.
std::unordered_map<UUID, double> focusTimes(const Store& store) {
    std::unordered_map<UUID, double> times;
    for (const FocusSession& session : store.sessions.get())
        if (session.taskID) times[*session.taskID] += session.duration;
    if (const auto& attached = store.timer.get().taskID)
        times[*attached] += liveFocus(store.timer.get(), store.now.get());
    return times;
}

struct RowFacts {
    const Store& store;
    const std::optional<UUID>& tourTaskID;
    std::unordered_map<UUID, double> focus;
    std::optional<UUID> timedTaskID;
    Date today;

    TaskRowContent row(const TaskItem& task) const {
        TaskRowContent row;
        row.id = task.id;
        row.title = titleOrUntitled(task);
        row.untitled = task.title.empty();
        row.note = task.notes;
        std::replace(row.note.begin(), row.note.end(), '\n', ' ');
        if (task.due) row.due = DueDate{*task.due, today};
        row.inFocus = timedTaskID == task.id;
        const auto seconds = focus.find(task.id);
        if (!row.inFocus && seconds != focus.end() && seconds->second >= minimumShownFocusSeconds)
            row.focusedTime = Fmt::duration(seconds->second);
        row.starred = task.starred;
        row.tourTarget = tourTaskID == task.id;
        return row;
    }

    TaskRowContent subtaskRow(const TaskItem& task) const {
        TaskRowContent sub = row(task);
        sub.isSub = true;
        return sub;
    }
};

} // namespace

std::vector<TaskItem> firstOfEachID(std::vector<TaskItem> tasks) {
    std::unordered_set<UUID> seen;
    std::erase_if(tasks, [&](const TaskItem& task) { return !seen.insert(task.id).second; });
    return tasks;
}

EmptyTasksText emptyTasksText(EmptyTasksForm form) {
    switch (form) {
    case EmptyTasksForm::starred:
        return {"star", "No starred tasks", "Star important tasks to see them here"};
    case EmptyTasksForm::fresh:
        return {"circle.dashed", "No tasks yet", "Add one above — Ctrl+N from anywhere in the tarnel"};
    case EmptyTasksForm::allComplete:
        break;
    }
    return {"checkmark.circle", "All tasks complete", std::nullopt};
}

TasksContent tasksContent(const Store& store, const std::optional<UUID>& tourTaskID, bool showCompleted,
                          Date today) {
    const std::vector<TaskItem> open =
        firstOfEachID(visibleOpenTasks(store.tasks.get(), store.lists.get(), store.prefs.get()));
    const std::vector<TaskItem> done =
        firstOfEachID(visibleCompleted(store.tasks.get(), store.lists.get(), store.prefs.get()));
    TasksContent content;
    content.starredView = store.prefs.get().starredView;
    content.fullEmpty = open.empty() && done.empty();
    if (content.fullEmpty) return content;
    content.compactEmpty = open.empty();

    RowFacts facts{store, tourTaskID, focusTimes(store), std::nullopt, today};
    if (isTimerActive(store.timer.get())) facts.timedTaskID = store.timer.get().taskID;

    // The open subtasks of the shown tasks, gathered in one pass and ordered as
    // subtasksOf orders them (stable, so equal orders keep the array's order).
    std::unordered_map<UUID, std::size_t> groupOf;
    for (std::size_t i = 0; i < open.size(); ++i)
        groupOf.emplace(open[i].id, i);
    std::vector<std::vector<TaskItem>> children(open.size());
    for (const TaskItem& task : store.tasks.get()) {
        if (!task.parentID || task.completedAt) continue;
        if (const auto group = groupOf.find(*task.parentID); group != groupOf.end())
            children[group->second].push_back(task);
    }

    content.groups.reserve(open.size());
    for (std::size_t i = 0; i < open.size(); ++i) {
        std::stable_sort(children[i].begin(), children[i].end(), [](const TaskItem& a, const TaskItem& b) {
            return orderPrecedes(a.order, b.order);
        });
        children[i] = firstOfEachID(std::move(children[i]));
        TaskGroupContent group{facts.row(open[i]), {}};
        group.subtasks.reserve(children[i].size());
        for (const TaskItem& subtask : children[i])
            group.subtasks.push_back(facts.subtaskRow(subtask));
        content.groups.push_back(std::move(group));
    }

    content.completedCount = done.size();
    if (showCompleted)
        for (const TaskItem& task : done)
            content.completed.push_back({task.id, titleOrUntitled(task)});
    return content;
}

std::string completedHeaderText(std::size_t count) {
    return "Completed (" + std::to_string(count) + ")";
}

std::string groupKey(const UUID& id) {
    return "g" + id.uuidString();
}

std::string completedRowKey(const UUID& id) {
    return "c" + id.uuidString();
}

std::vector<TasksListRow> listRows(const TasksContent& content) {
    using Kind = TasksListRow::Kind;
    std::vector<TasksListRow> rows;
    if (content.fullEmpty) return rows;
    rows.reserve(content.groups.size() + content.completed.size() + 2);
    if (content.compactEmpty) rows.push_back({Kind::compactEmpty, 0, "empty"});
    for (std::size_t i = 0; i < content.groups.size(); ++i)
        rows.push_back({Kind::group, i, groupKey(content.groups[i].task.id)});
    if (content.completedCount > 0) rows.push_back({Kind::completedHeader, 0, completedHeaderKey});
    for (std::size_t i = 0; i < content.completed.size(); ++i)
        rows.push_back({Kind::completed, i, completedRowKey(content.completed[i].id)});
    return rows;
}

} // namespace vesk
