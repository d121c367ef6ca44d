#pragma once

#include "core/model/Date.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/Uuid.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class Store;

// A due date with the day it is seen on, which decides its words and colour.
struct DueDate {
    Date date;
    Date today; // start of the current day
    friend bool operator==(const DueDate&, const DueDate&) = default;
};

// One line of an open task, as `TaskRow` shows it.
struct TaskRowContent {
    UUID id;
    bool isSub = false;
    std::string title;     // "Untitled" for a task without one
    bool untitled = false; // drawn fainter
    std::string note;      // one line; empty shows no note
    std::optional<DueDate> due;
    // The running or paused timer is on this task: "In focus" in place of the time, and no
    // play button.
    bool inFocus = false;
    // The focus logged on the task, from a minute on, unless it is in focus.
    std::optional<std::string> focusedTime;
    bool starred = false;
    // Its check circle is the tour's spotlight.
    bool tourTarget = false;

    bool showsFacts() const { return due || inFocus || focusedTime; }
    friend bool operator==(const TaskRowContent&, const TaskRowContent&) = default;
};

// An open top-level task followed by its open subtasks.
struct TaskGroupContent {
    TaskRowContent task;
    std::vector<TaskRowContent> subtasks;

    friend bool operator==(const TaskGroupContent&, const TaskGroupContent&) = default;
};

struct CompletedRowContent {
    UUID id;
    std::string title; // "Untitled" for a task without one
    friend bool operator==(const CompletedRowContent&, const CompletedRowContent&) = default;
};

// The empty state of the starred view, of a list with no task yet, or of one whose tasks are all
// completed (the compact form, which has no line).
enum class EmptyTasksForm { starred, fresh, allComplete };

// The symbol, title and line of an empty state.
struct EmptyTasksText {
    std::string symbol;
    std::string title;
    std::optional<std::string> line;

    friend bool operator==(const EmptyTasksText&, const EmptyTasksText&) = default;
};
EmptyTasksText emptyTasksText(EmptyTasksForm form);

// The first task with each id, in their order. A hand-edited file may repeat an id; rows are
// keyed by id and show once, so counts count each id once too.
std::vector<TaskItem> firstOfEachID(std::vector<TaskItem> tasks);

// What the task list shows for the model and the screen's own state.
struct TasksContent {
    // Neither open nor completed tasks: the full empty state in place of the list.
    bool fullEmpty = false;
    bool starredView = false;
    // Every task of the list is completed: the compact empty state heads the list.
    bool compactEmpty = false;
    std::vector<TaskGroupContent> groups;
    // Completed tasks of the list, subtasks included; no section when 0.
    std::size_t completedCount = 0;
    // The completed rows, newest first, while the section is open.
    std::vector<CompletedRowContent> completed;

    std::optional<UUID> firstOpenID() const {
        return groups.empty() ? std::nullopt : std::optional(groups.front().task.id);
    }
    friend bool operator==(const TasksContent&, const TasksContent&) = default;
};

TasksContent tasksContent(const Store& store, const std::optional<UUID>& tourTaskID, bool showCompleted,
                          Date today);

// "Completed (3)".
std::string completedHeaderText(std::size_t count);

// One row of the list, in order: the compact empty state, a group per open task, the
// completed section's header and its rows. A task keeps its key while it stays open, or
// completed.
struct TasksListRow {
    enum class Kind { compactEmpty, group, completedHeader, completed };
    Kind kind = Kind::group;
    std::size_t index = 0; // into `groups` or `completed`
    std::string key;

    friend bool operator==(const TasksListRow&, const TasksListRow&) = default;
};
std::vector<TasksListRow> listRows(const TasksContent& content);
std::string groupKey(const UUID& id);
std::string completedRowKey(const UUID& id);
inline const std::string completedHeaderKey = "completed";

} // namespace vesk
