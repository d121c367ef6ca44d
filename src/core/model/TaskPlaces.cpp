#include "core/model/TaskPlaces.hpp"

#include <unordered_map>
#include <unordered_set>

namespace vesk {

namespace {

// Each chain of parents that comes back to a task it passed is cut where it comes back: that
// task keeps no parent.
void cutParentLoops(std::vector<TaskItem>& tasks) {
    std::unordered_map<UUID, std::size_t> indexOf;
    for (std::size_t i = 0; i < tasks.size(); ++i)
        indexOf.try_emplace(tasks[i].id, i);
    const auto parentIndex = [&](std::size_t i) -> std::optional<std::size_t> {
        if (!tasks[i].parentID) return std::nullopt;
        const auto found = indexOf.find(*tasks[i].parentID);
        if (found == indexOf.end()) return std::nullopt;
        return found->second;
    };
    enum class Seen : unsigned char { unseen, onThisWalk, done };
    std::vector<Seen> seen(tasks.size(), Seen::unseen);
    std::vector<std::size_t> walk;
    for (std::size_t start = 0; start < tasks.size(); ++start) {
        std::optional<std::size_t> at = start;
        while (at && seen[*at] == Seen::unseen) {
            seen[*at] = Seen::onThisWalk;
            walk.push_back(*at);
            at = parentIndex(*at);
        }
        if (at && seen[*at] == Seen::onThisWalk) tasks[*at].parentID.reset();
        for (const std::size_t passed : walk)
            seen[passed] = Seen::done;
        walk.clear();
    }
}

} // namespace

std::size_t repairListsAndParents(std::vector<TaskItem>& tasks, const std::vector<TaskList>& lists) {
    std::vector<std::pair<UUID, std::optional<UUID>>> before;
    before.reserve(tasks.size());
    for (const TaskItem& item : tasks)
        before.emplace_back(item.listID, item.parentID);
    cutParentLoops(tasks);
    std::unordered_set<UUID> listIDs;
    for (const TaskList& list : lists)
        listIDs.insert(list.id);
    // The parents' lists as the file gives them, before any repair.
    std::unordered_map<UUID, UUID> listOfTask;
    for (const TaskItem& item : tasks)
        listOfTask.try_emplace(item.id, item.listID);

    for (TaskItem& item : tasks) {
        const bool hasParent =
            item.parentID && *item.parentID != item.id && listOfTask.contains(*item.parentID);
        if (!listIDs.contains(item.listID)) {
            const UUID* parentList = hasParent ? &listOfTask.at(*item.parentID) : nullptr;
            item.listID = parentList && listIDs.contains(*parentList) ? *parentList : lists.front().id;
        }
        if (item.parentID && !hasParent) item.parentID.reset();
    }
    std::size_t changed = 0;
    for (std::size_t i = 0; i < tasks.size(); ++i)
        if (before[i] != std::pair(tasks[i].listID, tasks[i].parentID)) ++changed;
    return changed;
}

} // namespace vesk
