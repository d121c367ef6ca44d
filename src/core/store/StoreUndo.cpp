// One undo step: a copy of the lists and tasks taken just before a deletion, forgotten
// 6 s later. A newer step replaces it and lives its own full 6 s.
#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk {

namespace {

constexpr double undoLifetimeSeconds = 6.0;

} // namespace

void Store::rememberUndo(std::string label) {
    undoState_ = UndoState{lists.get(), tasks.get()};
    undoLabel.set(std::move(label));
    env_.queue.debounce(undoExpiry_, undoLifetimeSeconds, [this] { forgetUndo(); });
}

void Store::forgetUndo() {
    env_.queue.cancel(undoExpiry_);
    undoExpiry_ = 0;
    undoState_.reset();
    undoLabel.set(std::nullopt);
}

void Store::undo() {
    const auto hold = changes_.hold();
    if (!undoState_) return;
    // Whole arrays: whatever changed since the deletion goes back too.
    UndoState state = std::move(*undoState_);
    forgetUndo();
    lists.set(std::move(state.lists));
    tasks.set(std::move(state.tasks));
    const auto& all = lists.get();
    const bool known = std::any_of(
        all.begin(), all.end(), [&](const TaskList& list) { return list.id == prefs.get().selectedListID; });
    if (!known && !all.empty()) prefs.update([&](Prefs& p) { p.selectedListID = all.front().id; });
    changed();
}

} // namespace vesk
