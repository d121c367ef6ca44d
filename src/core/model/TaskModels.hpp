#pragma once

#include "core/model/Date.hpp"
#include "core/model/UnknownMembers.hpp"
#include "core/model/Uuid.hpp"
#include "core/model/ValueHash.hpp"

#include <optional>
#include <string>
#include <tuple>

namespace vesk {

// A named task list.
struct TaskList {
    UUID id{};
    std::string name{};
    UnknownMembers unknown{};

    friend bool operator==(const TaskList&, const TaskList&) = default;
};

// A task, or a subtask when it has a parent.
struct TaskItem {
    UUID id{};
    UUID listID{};
    std::optional<UUID> parentID{};
    std::string title{}; // may be empty: views show "Untitled"
    std::string notes{};
    std::optional<Date> due{};
    bool starred = false;
    std::optional<Date> completedAt{}; // nil while open
    Date createdAt{};
    // Manual position among siblings, smaller first. NaN when the document gave none:
    // compare with orderPrecedes (TaskOrder.hpp), never with <.
    double order = 0;
    std::optional<bool> rewarded{}; // true once its completion has earned cubes
    UnknownMembers unknown{};

    friend bool operator==(const TaskItem& a, const TaskItem& b) {
        return std::tie(a.id, a.listID, a.parentID, a.title, a.notes, a.due, a.starred, a.completedAt,
                        a.createdAt) == std::tie(b.id, b.listID, b.parentID, b.title, b.notes, b.due,
                                                 b.starred, b.completedAt, b.createdAt) &&
               sameDouble(a.order, b.order) && a.rewarded == b.rewarded && a.unknown == b.unknown;
    }
};

} // namespace vesk

template <> struct std::hash<vesk::TaskList> {
    std::size_t operator()(const vesk::TaskList& list) const { return vesk::hashFields(list.id, list.name); }
};

template <> struct std::hash<vesk::TaskItem> {
    std::size_t operator()(const vesk::TaskItem& task) const {
        return vesk::hashFields(task.id, task.listID, task.parentID, task.title, task.notes, task.due,
                                task.starred, task.completedAt, task.createdAt, task.order, task.rewarded);
    }
};
