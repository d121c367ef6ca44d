#pragma once

#include "core/model/TaskModels.hpp"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace vesk {

// Gives every repeat of an id (a block pasted in an editor) an id of its own, so that an action
// on one never reaches the other; the first keeps it. The same repeat gets the same new id each
// time, so that the file read again, and the edits based on it, agree with the store. Returns
// how many got one.
std::size_t giveRepeatsOwnIDs(std::vector<TaskItem>& tasks);
std::size_t giveRepeatsOwnIDs(std::vector<TaskList>& lists);
// Both, for the lists and tasks read from `file` (either may be missing), with one line on
// standard error when any got a new id.
void partRepeatedIDs(std::vector<TaskList>* lists, std::vector<TaskItem>* tasks, const std::filesystem::path& file);

} // namespace vesk
