#include "core/model/TaskOrder.hpp"

#include <limits>
#include <unordered_map>

namespace vesk {

namespace {

// A group of siblings: one list, one parent (or none).
struct SiblingGroup {
    UUID listID;
    std::optional<UUID> parentID;
    friend bool operator==(const SiblingGroup&, const SiblingGroup&) = default;
};

struct SiblingGroupHash {
    std::size_t operator()(const SiblingGroup& group) const {
        const std::size_t list = std::hash<UUID>{}(group.listID);
        return group.parentID ? list ^ (std::hash<UUID>{}(*group.parentID) * 31 + 1) : list;
    }
};

} // namespace

std::optional<double> orderAbove(double smallest) {
    const double lower = smallest - 1;
    if (lower < smallest) return lower;
    const double next = std::nextafter(smallest, -std::numeric_limits<double>::infinity());
    if (!std::isfinite(next)) return std::nullopt;
    return next;
}

void repairMissingOrders(std::vector<TaskItem>& tasks) {
    std::unordered_map<SiblingGroup, double, SiblingGroupHash> smallest;
    for (const TaskItem& item : tasks) {
        if (!hasOrder(item.order)) continue;
        const auto [entry, added] =
            smallest.try_emplace(SiblingGroup{item.listID, item.parentID}, item.order);
        if (!added && item.order < entry->second) entry->second = item.order;
    }
    for (TaskItem& item : tasks) {
        if (hasOrder(item.order)) continue;
        const auto [entry, added] = smallest.try_emplace(SiblingGroup{item.listID, item.parentID}, 0.0);
        // At the lowest number there is no room above: the task shares the top.
        item.order = orderAbove(entry->second).value_or(entry->second);
        entry->second = item.order;
    }
}

} // namespace vesk
