// The task operations. Tasks live in one flat array that keeps its order: new tasks are
// appended, and every sorted view is computed when read.
#include "core/model/TaskOrder.hpp"
#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "core/store/TextTrimming.hpp"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

std::vector<TaskItem>::iterator findTask(std::vector<TaskItem>& all, const UUID& id) {
    return std::find_if(all.begin(), all.end(), [&](const TaskItem& item) { return item.id == id; });
}

bool isOpen(const TaskItem& item) {
    return !item.completedAt;
}

} // namespace

double Store::topOrder(const UUID& listID) {
    const auto inList = [&](const TaskItem& item) { return !item.parentID && item.listID == listID; };
    std::optional<double> smallest;
    for (const TaskItem& item : tasks.get()) {
        // An order that is no number must not spread to new tasks.
        if (!inList(item) || !hasOrder(item.order)) continue;
        if (!smallest || item.order < *smallest) smallest = item.order;
    }
    if (!smallest) return -1;
    if (const auto above = orderAbove(*smallest)) return *above;
    // A hand-edited order at the lowest number leaves no room above it: the list's tasks are
    // numbered afresh in the order they show, so that a new task still comes first.
    std::vector<std::size_t> ranked;
    for (std::size_t i = 0; i < tasks.get().size(); ++i)
        if (inList(tasks.get()[i])) ranked.push_back(i);
    std::stable_sort(ranked.begin(), ranked.end(), [&](std::size_t a, std::size_t b) {
        return orderPrecedes(tasks.get()[a].order, tasks.get()[b].order);
    });
    tasks.update([&](std::vector<TaskItem>& all) {
        for (std::size_t rank = 0; rank < ranked.size(); ++rank)
            all[ranked[rank]].order = static_cast<double>(rank);
    });
    return -1;
}

std::optional<UUID> Store::addTask(const std::string& title, std::optional<UUID> parentID,
                                   std::optional<UUID> listID) {
    const auto hold = changes_.hold();
    std::string text = trimmed(title, Blank::spacesAndLineBreaks);
    if (text.empty()) return std::nullopt;

    const std::optional<TaskItem> parent = parentID ? taskWithID(tasks.get(), *parentID) : std::nullopt;
    const UUID chosenList = parent ? parent->listID : listID.value_or(targetListID(lists.get(), prefs.get()));

    double order = -1;
    if (parentID) {
        std::optional<double> largest;
        for (const TaskItem& item : tasks.get())
            if (item.parentID == parentID && !std::isnan(item.order) && (!largest || item.order > *largest))
                largest = item.order;
        order = largest ? *largest + 1 : 1;
    } else {
        order = topOrder(chosenList);
    }

    TaskItem item;
    item.id = UUID::random(env_.random);
    item.listID = chosenList;
    item.parentID = parentID;
    item.title = std::move(text);
    // Added from the starred view, a task must stay in sight there.
    item.starred = prefs.get().starredView && !parentID;
    item.createdAt = env_.clock.now();
    item.order = order;
    const UUID id = item.id;
    tasks.update([&](std::vector<TaskItem>& all) { all.push_back(std::move(item)); });

    grow(1, GainReason::created);
    changed();
    return id;
}

void Store::toggleDone(const UUID& id) {
    const auto hold = changes_.hold();
    std::vector<TaskItem> all = tasks.get();
    const auto found = findTask(all, id);
    if (found == all.end()) return;
    const std::size_t self = static_cast<std::size_t>(found - all.begin());
    const Date instant = env_.clock.now();
    const bool completing = isOpen(*found);
    const std::optional<UUID> parentID = found->parentID;

    std::int64_t reward = 0;
    const auto complete = [&](TaskItem& item) {
        item.completedAt = instant;
        // A task earns once, however often it is reopened and completed.
        if (item.rewarded.value_or(false)) return;
        item.rewarded = true;
        reward += completionReward();
    };
    for (std::size_t i = 0; i < all.size(); ++i) {
        TaskItem& item = all[i];
        if (i == self) {
            if (completing)
                complete(item);
            else
                item.completedAt.reset();
        } else if (completing && item.parentID == id && isOpen(item)) {
            complete(item);
        }
    }
    // An open subtask is never left under a completed parent.
    if (!completing && parentID) {
        const auto parent = findTask(all, *parentID);
        if (parent != all.end()) parent->completedAt.reset();
    }
    tasks.set(std::move(all));

    if (reward > 0) grow(reward, GainReason::completed);
    changed();
}

void Store::update(const UUID& id, const std::function<void(TaskItem&)>& change) {
    std::vector<TaskItem> all = tasks.get();
    const auto found = findTask(all, id);
    if (found == all.end()) return;
    change(*found);
    tasks.set(std::move(all));
    changed();
}

void Store::toggleStar(const UUID& id) {
    update(id, [](TaskItem& item) { item.starred = !item.starred; });
}

void Store::deleteTask(const UUID& id) {
    const auto hold = changes_.hold();
    const auto item = taskWithID(tasks.get(), id);
    if (!item) return;
    std::unordered_set<UUID> removed{id};
    for (const TaskItem& other : tasks.get())
        if (other.parentID == id) removed.insert(other.id);
    rememberUndo("Deleted \u201C" + (item->title.empty() ? std::string("task") : item->title) + "\u201D",
                 removed);
    removeTasks(removed);
    changed();
}

void Store::removeTasks(const std::unordered_set<UUID>& removed) {
    tasks.update([&](std::vector<TaskItem>& all) {
        std::erase_if(all, [&](const TaskItem& item) { return removed.contains(item.id); });
    });
    // The run goes on, attached to nothing.
    if (timer.get().taskID && removed.contains(*timer.get().taskID))
        timer.update([](TimerState& state) { state.taskID.reset(); });
}

void Store::clearCompleted() {
    const auto hold = changes_.hold();
    const auto list = currentList(lists.get(), prefs.get());
    if (!list) return;
    std::unordered_set<UUID> removed;
    for (const TaskItem& item : tasks.get())
        if (item.listID == list->id && item.completedAt) removed.insert(item.id);
    if (removed.empty()) return;

    std::size_t count = 0;
    for (const TaskItem& item : tasks.get())
        if (removed.contains(item.id)) ++count;
    rememberUndo("Deleted " + std::to_string(count) + " completed", removed);
    tasks.update([&](std::vector<TaskItem>& all) {
        std::erase_if(all, [&](const TaskItem& item) { return removed.contains(item.id); });
    });
    changed();
}

void Store::move(const UUID& id, const UUID& toList) {
    // Computed before the move, so a task already at the top of that list counts itself.
    const double order = topOrder(toList);
    tasks.update([&](std::vector<TaskItem>& all) {
        for (TaskItem& item : all) {
            if (item.id == id) {
                item.listID = toList;
                item.parentID.reset();
                item.order = order;
            } else if (item.parentID == id) {
                item.listID = toList;
            }
        }
    });
    changed();
}

void Store::moveVisible(const std::set<std::size_t>& offsets, std::size_t destination) {
    const auto hold = changes_.hold();
    std::vector<TaskItem> shown = visibleOpenTasks(tasks.get(), lists.get(), prefs.get());
    if (destination > shown.size() || (!offsets.empty() && *offsets.rbegin() >= shown.size())) return;

    std::vector<TaskItem> moved;
    std::vector<TaskItem> rest;
    std::size_t before = 0; // moved tasks that stood above the destination
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (offsets.contains(i)) {
            moved.push_back(std::move(shown[i]));
            if (i < destination) ++before;
        } else {
            rest.push_back(std::move(shown[i]));
        }
    }
    rest.insert(rest.begin() + static_cast<std::ptrdiff_t>(destination - before), moved.begin(), moved.end());

    std::unordered_map<UUID, double> positions;
    for (std::size_t position = 0; position < rest.size(); ++position)
        positions.try_emplace(rest[position].id, static_cast<double>(position));
    tasks.update([&](std::vector<TaskItem>& all) {
        for (TaskItem& item : all)
            if (const auto found = positions.find(item.id); found != positions.end())
                item.order = found->second;
    });
    // The manual order just made is what the user sees.
    if (prefs.get().sortByDate) prefs.update([](Prefs& p) { p.sortByDate = false; });
    changed();
}

void Store::moveVisible(const UUID& dragged, const UUID& onto) {
    const std::vector<TaskItem> shown = visibleOpenTasks(tasks.get(), lists.get(), prefs.get());
    const auto position = [&](const UUID& id) {
        return std::find_if(shown.begin(), shown.end(), [&](const TaskItem& item) { return item.id == id; }) -
               shown.begin();
    };
    const auto from = static_cast<std::size_t>(position(dragged));
    auto to = static_cast<std::size_t>(position(onto));
    if (from == shown.size() || to == shown.size() || from == to) return;
    // Dragged down it lands below the target, dragged up above it.
    if (from < to) ++to;
    moveVisible(std::set<std::size_t>{from}, to);
}

} // namespace vesk
