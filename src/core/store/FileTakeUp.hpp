#pragma once

#include "core/model/Snapshot.hpp"

#include <optional>

namespace vesk {

// The document of a data file that could not be read when the program started, with what the
// run made meanwhile added to it: its lists, tasks and sessions, the cubes it earned and the
// trees it planted. The file's settings stay, the tour counts as done when either is. The list
// the run started with is dropped when the file has lists: its tasks go to the file's
// selected list. The run's timer is kept when it was used.
Snapshot takeUpFile(Snapshot file, const Snapshot& run, const std::optional<UUID>& startList);

} // namespace vesk
