#pragma once

#include "core/model/UnknownMembers.hpp"
#include "core/model/Uuid.hpp"

#include <cstdint>
#include <optional>

namespace vesk {

// The user's settings; a new value holds the defaults.
struct Prefs {
    std::int64_t focusMinutes = 25;
    std::int64_t breakMinutes = 5;
    bool autoStartBreak = true;
    bool sound = true;
    std::optional<UUID> selectedListID{};
    bool starredView = false; // the starred tasks of all lists instead of one list
    bool sortByDate = false;  // open tasks by due date instead of by order
    bool growthReveal = true;
    bool onboarded = false; // the guided tour is done
    UnknownMembers unknown{};

    friend bool operator==(const Prefs&, const Prefs&) = default;
};

} // namespace vesk
