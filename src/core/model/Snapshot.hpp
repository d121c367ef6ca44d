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
    UnknownMembers unknown{}; // of the document itself
};

// The same document as the store holds it, with a ledger always present: saved without first
// copying every task and session into a Snapshot.
struct SnapshotParts {
    const std::vector<TaskList>& lists;
    const std::vector<TaskItem>& tasks;
    const std::vector<FocusSession>& sessions;
    const TimerState& timer;
    const Prefs& prefs;
    const BonsaiProgress& bonsai;
    const UnknownMembers& unknown;
};

} // namespace vesk
