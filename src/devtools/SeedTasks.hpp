#pragma once

#include "core/model/TaskModels.hpp"

#include <functional>
#include <span>

namespace vesk {

class RandomSource;

// One task of a seeding table: the demo data and the video scene are written as such tables.
struct SeedTask {
    const char* title;
    const char* notes;
    std::size_t list;                  // index into the lists the tasks go to
    std::optional<std::size_t> parent; // index into the table
    std::optional<int> dueInDays;
    bool starred;
    std::optional<double> completedSecondsAgo;
};

// When a table's tasks are dated from: `day(n)` is local midnight n calendar days from today.
struct SeedDates {
    Date now;
    std::function<Date(int days)> day;
    int createdDaysAgo = 0;
    bool doneRewarded = false; // done tasks have already earned their cubes
};

// The tasks of a table in its order, each placed at its row counted from 1, with ids drawn
// from `random` in table order. A subtask's parent comes before it in the table.
std::vector<TaskItem> seedTasks(std::span<const SeedTask> table, std::span<const UUID> lists,
                                const SeedDates& dates, RandomSource& random);

} // namespace vesk
