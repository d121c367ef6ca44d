// One undo step: copies of what a deletion removed, each with the place it held, forgotten
// 6 s later. A newer step replaces it and lives its own full 6 s.
#include "core/store/Store.hpp"

#include <algorithm>

namespace vesk {

namespace {

constexpr double undoLifetimeSeconds = 6.0;

template <class Item, class Taken>
std::vector<std::pair<std::size_t, Item>> placesOf(const std::vector<Item>& all, const Taken& taken) {
    std::vector<std::pair<std::size_t, Item>> placed;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (taken(all[i])) placed.emplace_back(i, all[i]);
    return placed;
}

// In ascending order of their former places, so that with nothing else moved each lands
// exactly where it stood; what came since keeps its place after them.
template <class Item> void putBack(std::vector<Item>& all, std::vector<std::pair<std::size_t, Item>> placed) {
    for (auto& [place, item] : placed) {
        const auto& id = item.id;
        const bool present = std::any_of(all.begin(), all.end(), [&id](const Item& other) { return other.id == id; });
        if (present) continue;
        all.insert(all.begin() + static_cast<std::ptrdiff_t>(std::min(place, all.size())), std::move(item));
    }
}

} // namespace

void Store::rememberUndo(std::string label, const std::unordered_set<UUID>& taskIDs,
                         const std::optional<UUID>& listID) {
    undoState_ = UndoState{
        placesOf(lists.get(), [&](const TaskList& list) { return list.id == listID; }),
        placesOf(tasks.get(), [&](const TaskItem& item) { return taskIDs.contains(item.id); }),
    };
    undoLabel.set(std::move(label));
    env_.queue.debounce(undoExpiry_, undoLifetimeSeconds, [this] { forgetUndo(); });
}

void Store::forgetUndo() {
    undoExpiry_.reset();
    undoState_.reset();
    undoLabel.set(std::nullopt);
}

void Store::undo() {
    const auto hold = changes_.hold();
    if (!undoState_) return;
    // Only what the deletion removed comes back: a task added, completed or moved since
    // stays as it is. Lists only return, so the selected one still exists.
    UndoState state = std::move(*undoState_);
    forgetUndo();
    lists.update([&](std::vector<TaskList>& all) { putBack(all, std::move(state.lists)); });
    tasks.update([&](std::vector<TaskItem>& all) { putBack(all, std::move(state.tasks)); });
    changed();
}

} // namespace vesk
