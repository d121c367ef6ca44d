#pragma once

#include "core/model/TaskModels.hpp"
#include "shell/controls/MenuModel.hpp"
#include "shell/state/ViewServices.hpp"

#include <vector>

namespace vesk {

class Store;

// The lists a task can move to: every list but its own, in list order.
std::vector<TaskList> moveTargets(const std::vector<TaskList>& lists, const TaskItem& task);

// The context menu of an open task or subtask: start a pomodoro or a stopwatch on it, star or
// unstar it, make it due today or tomorrow, move it to another list (with two lists or more),
// delete it.
// Due days count from the day the entry is chosen.
std::vector<MenuEntry> taskMenu(Store& store, const TaskItem& task, ViewServices services);

} // namespace vesk
