#include "tabs/tasks/ListHeaderContent.hpp"

#include "core/model/TaskViews.hpp"
#include "core/store/Store.hpp"
#include "core/store/TextTrimming.hpp"

namespace vesk {

ListPickerLabel listPickerLabel(const Store& store) {
    const auto current = currentList(store.lists.get(), store.prefs.get());
    return {store.prefs.get().starredView, current ? current->name : "Starred"};
}

std::vector<MenuEntry> listPickerMenu(Store& store, const std::function<void(ListNameDraft)>& startNaming) {
    const auto current = currentList(store.lists.get(), store.prefs.get());
    const std::vector<TaskList>& lists = store.lists.get();
    const bool starredView = store.prefs.get().starredView;
    std::vector<MenuEntry> entries;
    for (const TaskList& list : lists) {
        MenuEntry entry = MenuEntry::button(list.name, [&store, id = list.id] { store.selectList(id); });
        if (current && current->id == list.id) entry = std::move(entry).withSymbol("checkmark");
        entries.push_back(std::move(entry));
    }
    entries.push_back(MenuEntry::divider());
    entries.push_back(MenuEntry::button("Starred", [&store] {
                          store.writePrefs([](Prefs& prefs) { prefs.starredView = true; });
                      }).withSymbol(starredView ? "checkmark" : "star"));
    entries.push_back(MenuEntry::divider());
    entries.push_back(MenuEntry::button("New list\u2026", [startNaming] { startNaming({}); }));
    if (current) {
        entries.push_back(MenuEntry::button("Rename list\u2026", [startNaming, list = *current] {
            startNaming({list.name, list.id});
        }));
        if (lists.size() >= 2)
            entries.push_back(MenuEntry::button("Delete list", [&store, id = current->id] {
                                  store.deleteList(id);
                              }).destructive());
    }
    return entries;
}

bool showsFilterMenu(const Store& store) {
    return !store.prefs.get().starredView;
}

std::vector<MenuEntry> filterMenu(Store& store) {
    const bool byDate = store.prefs.get().sortByDate;
    const auto sortBy = [&store](bool date) {
        return [&store, date] { store.writePrefs([date](Prefs& prefs) { prefs.sortByDate = date; }); };
    };
    return {
        MenuEntry::picker("Sort by", {{"My order", !byDate, sortBy(false)}, {"Date", byDate, sortBy(true)}})
            .shownInline(),
        MenuEntry::divider(),
        MenuEntry::button("Delete all completed", [&store] { store.clearCompleted(); })
            .destructive()
            .disabledUnless(
                !visibleCompleted(store.tasks.get(), store.lists.get(), store.prefs.get()).empty()),
    };
}

void commitListName(Store& store, const ListNameDraft& draft) {
    if (draft.renaming)
        store.renameList(*draft.renaming, draft.text);
    else if (!trimmed(draft.text, Blank::spaces).empty())
        store.addList(draft.text);
}

} // namespace vesk
