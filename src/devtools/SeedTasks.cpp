#include "devtools/SeedTasks.hpp"

#include "core/runtime/RandomSource.hpp"

namespace vesk {

std::vector<TaskItem> seedTasks(std::span<const SeedTask> table, std::span<const UUID> lists,
                                const SeedDates& dates, RandomSource& random) {
    std::vector<TaskItem> tasks;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SeedTask& seed = table[i];
        TaskItem& task = tasks.emplace_back();
        task.id = UUID::random(random);
        task.listID = lists[seed.list];
        if (seed.parent) task.parentID = tasks[*seed.parent].id;
        task.title = seed.title;
        task.notes = seed.notes;
        if (seed.dueInDays) task.due = dates.day(*seed.dueInDays);
        task.starred = seed.starred;
        if (seed.completedSecondsAgo) {
            task.completedAt = addingSeconds(dates.now, -*seed.completedSecondsAgo);
            if (dates.doneRewarded) task.rewarded = true;
        }
        task.createdAt = dates.day(-dates.createdDaysAgo);
        task.order = static_cast<double>(i + 1);
    }
    return tasks;
}

} // namespace vesk
