#include "tabs/tasks/TaskMenu.hpp"

#include "core/store/Store.hpp"
#include "shell/anim/Transaction.hpp"

namespace vesk {

namespace {

// The start of today, `days` calendar days on; none when the calendar cannot form that day.
std::optional<Date> dayFromToday(const ViewServices& services, int days) {
    const Date today = services.today();
    return days == 0 ? std::optional(today) : services.calendar.addingDays(today, days);
}

} // namespace

std::vector<TaskList> moveTargets(const std::vector<TaskList>& lists, const TaskItem& task) {
    std::vector<TaskList> targets;
    for (const TaskList& list : lists)
        if (list.id != task.listID) targets.push_back(list);
    return targets;
}

std::vector<MenuEntry> taskMenu(Store& store, const TaskItem& task, ViewServices services) {
    const UUID id = task.id;
    const auto due = [&store, services, id](int days) {
        return [&store, services, id, days] {
            const std::optional<Date> day = dayFromToday(services, days);
            store.update(id, [&](TaskItem& item) { item.due = day; });
        };
    };
    std::vector<MenuEntry> entries{
        MenuEntry::button("Start pomodoro", [&store, id] { store.start(TimerMode::pomodoro, id); }),
        MenuEntry::button("Start stopwatch", [&store, id] { store.start(TimerMode::stopwatch, id); }),
        MenuEntry::divider(),
        MenuEntry::button(task.starred ? "Remove star" : "Star", [&store, id] { store.toggleStar(id); }),
        MenuEntry::button("Due today", due(0)),
        MenuEntry::button("Due tomorrow", due(1)),
    };
    if (store.lists.get().size() >= 2) {
        std::vector<MenuEntry> lists;
        for (const TaskList& list : moveTargets(store.lists.get(), task))
            lists.push_back(MenuEntry::button(list.name, [&store, id, to = list.id] { store.move(id, to); }));
        entries.push_back(MenuEntry::submenu("Move to", std::move(lists)));
    }
    entries.push_back(MenuEntry::divider());
    entries.push_back(MenuEntry::button("Delete", [&store, id] {
                          withAnimation(Animation::tarnelFast, [&] { store.deleteTask(id); });
                      }).destructive());
    return entries;
}

} // namespace vesk
