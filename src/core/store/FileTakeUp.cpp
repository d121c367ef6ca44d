#include "core/store/FileTakeUp.hpp"

#include <algorithm>
#include <unordered_set>

namespace vesk {

namespace {

// Appends the run's items whose ids the file does not hold.
template <class Item> void addNew(std::vector<Item>& file, const std::vector<Item>& run) {
    std::unordered_set<UUID> held;
    for (const Item& item : file)
        held.insert(item.id);
    for (const Item& item : run)
        if (held.insert(item.id).second) file.push_back(item);
}

// Where the tasks of the run's first list go: the file's selected list, else its first.
std::optional<UUID> fileListFor(const Snapshot& file) {
    if (file.lists.empty()) return std::nullopt;
    const auto& selected = file.prefs.selectedListID;
    const bool known = selected && std::any_of(file.lists.begin(), file.lists.end(),
                                               [&](const TaskList& list) { return list.id == *selected; });
    return known ? *selected : file.lists.front().id;
}

} // namespace

Snapshot takeUpFile(Snapshot file, const Snapshot& run, const std::optional<UUID>& startList) {
    const auto target = startList ? fileListFor(file) : std::nullopt;
    std::vector<TaskList> lists = run.lists;
    std::vector<TaskItem> tasks = run.tasks;
    if (target) {
        std::erase_if(lists, [&](const TaskList& list) { return list.id == *startList; });
        for (TaskItem& task : tasks)
            if (task.listID == *startList) task.listID = *target;
    }
    addNew(file.lists, lists);
    addNew(file.tasks, tasks);
    addNew(file.sessions, run.sessions);
    if (run.timer != TimerState{}) file.timer = run.timer;
    file.prefs.onboarded = file.prefs.onboarded || run.prefs.onboarded;

    BonsaiProgress ledger = file.bonsai.value_or(BonsaiProgress{});
    const BonsaiProgress& earned = run.bonsai.value_or(BonsaiProgress{});
    ledger.gains.insert(ledger.gains.end(), earned.gains.begin(), earned.gains.end());
    addNew(ledger.garden, earned.garden);
    ledger.seedlingsPlanted += earned.seedlingsPlanted;
    if (ledger.seed == 0) ledger.seed = earned.seed;
    // Cubes the run earned with no tree to grow go to the file's current tree, if it has one.
    if (GardenTree* current = treeWithSeed(ledger, ledger.seed))
        current->cubesGrown += earned.pending;
    else
        ledger.pending += earned.pending;
    file.bonsai = std::move(ledger);
    return file;
}

} // namespace vesk
