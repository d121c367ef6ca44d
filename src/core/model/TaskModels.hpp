#pragma once

#include "core/model/Date.hpp"
#include "core/model/UnknownMembers.hpp"
#include "core/model/Uuid.hpp"
#include "core/model/ValueHash.hpp"

#include <optional>
#include <string>

namespace vesk {

// A named task list.
struct TaskList {
    UUID id{};
    std::string name{};
    UnknownMembers unknown{};

    // Over the fields the document lists (FieldVisit.hpp), as the hash.
    friend bool operator==(const TaskList& a, const TaskList& b);
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

    friend bool operator==(const TaskItem& a, const TaskItem& b);
};

} // namespace vesk

template <> struct std::hash<vesk::TaskList> {
    std::size_t operator()(const vesk::TaskList& list) const;
};

template <> struct std::hash<vesk::TaskItem> {
    std::size_t operator()(const vesk::TaskItem& task) const;
};
