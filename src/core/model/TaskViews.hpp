#pragma once

#include "core/model/Date.hpp"
#include "core/model/Prefs.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/TimerModels.hpp"
#include "core/model/Uuid.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The read-only views of tasks and lists: computed from the whole arrays on every read, so
// they can never go stale. Every sort is stable over the array order.

// The first task with this id.
std::optional<TaskItem> taskWithID(const std::vector<TaskItem>& tasks, const UUID& id);
// The task's title ("Untitled" when empty); nothing without an id or for an unknown one.
std::optional<std::string> taskTitle(const std::vector<TaskItem>& tasks, const std::optional<UUID>& id);
// Nothing in the starred view; else the selected list, else the first one.
std::optional<TaskList> currentList(const std::vector<TaskList>& lists, const Prefs& prefs);
// Where a new task goes when the caller names no list: the selected list, else the first.
UUID targetListID(const std::vector<TaskList>& lists, const Prefs& prefs);
// The open top-level tasks the task tab shows, by order or by due date.
std::vector<TaskItem> visibleOpenTasks(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists,
                                       const Prefs& prefs);
// The completed tasks of the current list, newest completion first.
std::vector<TaskItem> visibleCompleted(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists,
                                       const Prefs& prefs);
std::vector<TaskItem> subtasksOf(const std::vector<TaskItem>& tasks, const UUID& parentID, bool includeDone);
// Every open task, list by list, each followed by its open subtasks.
std::vector<TaskItem> allOpenTasks(const std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists);
// Open top-level tasks over all lists.
std::size_t openCount(const std::vector<TaskItem>& tasks);
// Seconds of focus on the task, the timer's current run (read at `now`) included.
double focusTime(const std::vector<FocusSession>& sessions, const TimerState& timer, Date now,
                 const UUID& id);

} // namespace vesk
