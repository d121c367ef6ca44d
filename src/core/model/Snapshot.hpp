#pragma once

#include "core/model/BonsaiModels.hpp"
#include "core/model/Prefs.hpp"
#include "core/model/TaskModels.hpp"
#include "core/model/TimerModels.hpp"

#include <optional>
#include <vector>

namespace vesk {

// The saved document: everything the store persists.
struct Snapshot {
    std::vector<TaskList> lists{};        // in display order
    std::vector<TaskItem> tasks{};        // all tasks and subtasks of all lists
    std::vector<FocusSession> sessions{}; // oldest first
    TimerState timer{};
    Prefs prefs{};
    // The store always writes it; a document without it leaves the store's ledger alone.
    std::optional<BonsaiProgress> bonsai{};
};

} // namespace vesk
