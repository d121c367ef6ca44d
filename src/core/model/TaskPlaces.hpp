#pragma once

#include "core/model/TaskModels.hpp"

#include <cstddef>
#include <vector>

namespace vesk {

// Puts back in a view every task a hand-edited file left out of all of them: one naming a list
// that does not exist goes to its parent's list, or else to the first of `lists` (never
// empty); one naming itself, a missing task or, through its parents, itself again as its
// parent has none. Returns how many tasks it changed.
std::size_t repairListsAndParents(std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists);

} // namespace vesk
