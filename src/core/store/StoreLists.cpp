// The list operations. The store always holds at least one list: the last one cannot be
// deleted, and it is where tasks go when no list is named.
#include "core/store/Store.hpp"
#include "core/store/TextTrimming.hpp"

#include <algorithm>
#include <unordered_set>

namespace vesk {

void Store::selectList(const UUID& id) {
    prefs.update([&](Prefs& p) {
        p.selectedListID = id;
        p.starredView = false;
    });
    changed();
}

UUID Store::addList(const std::string& name) {
    const auto hold = changes_.hold();
    // A name that is not blank is kept exactly as typed.
    TaskList list{UUID::random(env_.random),
                  trimmed(name, Blank::spaces).empty() ? std::string("Untitled list") : name};
    const UUID id = list.id;
    lists.update([&](std::vector<TaskList>& all) { all.push_back(std::move(list)); });
    selectList(id);
    return id;
}

void Store::renameList(const UUID& id, const std::string& name) {
    std::string text = trimmed(name, Blank::spaces);
    if (text.empty()) return;
    std::vector<TaskList> all = lists.get();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const TaskList& list) { return list.id == id; });
    if (found == all.end()) return;
    found->name = std::move(text);
    lists.set(std::move(all));
    changed();
}

void Store::deleteList(const UUID& id) {
    const auto hold = changes_.hold();
    if (lists.get().size() < 2) return;
    const auto& all = lists.get();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const TaskList& list) { return list.id == id; });
    if (found == all.end()) return;
    std::unordered_set<UUID> removed;
    for (const TaskItem& item : tasks.get())
        if (item.listID == id) removed.insert(item.id);
    rememberUndo("Deleted \u201C" + found->name + "\u201D", removed, id);
    removeTasks(removed);
    lists.update([&](std::vector<TaskList>& items) {
        std::erase_if(items, [&](const TaskList& list) { return list.id == id; });
    });
    prefs.update([&](Prefs& p) { p.selectedListID = lists.get().front().id; });
    changed();
}

} // namespace vesk
