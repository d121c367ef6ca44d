#include "shell/state/TarnelMenuItems.hpp"

#include "core/store/Store.hpp"

#include <QActionGroup>
#include <QMenu>
#include <algorithm>

namespace vesk {
namespace {

MenuEntry button(std::string title, std::function<void()> action) {
    MenuEntry entry;
    entry.kind = MenuEntry::Kind::button;
    entry.title = std::move(title);
    entry.triggered = std::move(action);
    return entry;
}

MenuEntry divider() {
    return MenuEntry{};
}

MenuEntry toggle(std::string title, bool on, std::function<void(bool)> toggled) {
    MenuEntry entry;
    entry.kind = MenuEntry::Kind::toggle;
    entry.title = std::move(title);
    entry.checked = on;
    entry.toggled = std::move(toggled);
    return entry;
}

MenuEntry minutesPicker(std::string title, const std::vector<std::int64_t>& values, std::int64_t current,
                        std::function<void(std::int64_t)> chosen) {
    MenuEntry entry;
    entry.kind = MenuEntry::Kind::picker;
    entry.title = std::move(title);
    for (const std::int64_t value : values)
        entry.choices.emplace_back(value, std::to_string(value) + " min");
    if (std::find(values.begin(), values.end(), current) != values.end()) entry.selected = current;
    entry.chosen = std::move(chosen);
    return entry;
}

} // namespace

std::vector<MenuEntry> tarnelMenuItems(Store& store, bool full, const MenuServices& services) {
    std::vector<MenuEntry> entries;
    if (store.isTimerActive()) {
        const bool running = store.timer.get().runningSince.has_value();
        // Looks again when chosen: the timer may have changed while the menu was open.
        entries.push_back(button(running ? "Pause timer" : "Resume timer", [&store] {
            if (store.timer.get().runningSince)
                store.pause();
            else
                store.resume();
        }));
        entries.push_back(button("Finish session", [&store] { store.finish(); }));
        entries.push_back(divider());
    }
    if (full) {
        const Prefs& prefs = store.prefs.get();
        entries.push_back(minutesPicker("Focus length", {5, 10, 15, 20, 25, 30, 45, 50, 60, 90},
                                        prefs.focusMinutes, [&store](std::int64_t value) {
                                            store.writePrefs([value](Prefs& p) { p.focusMinutes = value; });
                                        }));
        entries.push_back(minutesPicker("Break length", {1, 3, 5, 10, 15, 20}, prefs.breakMinutes,
                                        [&store](std::int64_t value) {
                                            store.writePrefs([value](Prefs& p) { p.breakMinutes = value; });
                                        }));
        entries.push_back(toggle("Auto-start breaks", prefs.autoStartBreak, [&store](bool on) {
            store.writePrefs([on](Prefs& p) { p.autoStartBreak = on; });
        }));
        entries.push_back(toggle("Sounds", prefs.sound,
                                 [&store](bool on) { store.writePrefs([on](Prefs& p) { p.sound = on; }); }));
        entries.push_back(toggle("Show bonsai growth on completion", prefs.growthReveal, [&store](bool on) {
            store.writePrefs([on](Prefs& p) { p.growthReveal = on; });
        }));
        entries.push_back(divider());
    }
    entries.push_back(toggle("Launch at login", services.launchAtLogin && services.launchAtLogin(),
                             services.setLaunchAtLogin));
    MenuEntry hotKeyLine;
    hotKeyLine.kind = MenuEntry::Kind::text;
    hotKeyLine.title = "Toggle Vesk  ⌥Space";
    entries.push_back(hotKeyLine);
    entries.push_back(divider());
    entries.push_back(button("Quit Vesk", services.quit));
    return entries;
}

void fillMenu(QMenu& menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        const QString title = QString::fromStdString(entry.title);
        switch (entry.kind) {
        case MenuEntry::Kind::divider:
            menu.addSeparator();
            break;
        case MenuEntry::Kind::text:
            menu.addAction(title)->setEnabled(false);
            break;
        case MenuEntry::Kind::button: {
            QAction* action = menu.addAction(title);
            if (entry.triggered) QObject::connect(action, &QAction::triggered, action, entry.triggered);
            break;
        }
        case MenuEntry::Kind::toggle: {
            QAction* action = menu.addAction(title);
            action->setCheckable(true);
            action->setChecked(entry.checked);
            if (entry.toggled) QObject::connect(action, &QAction::toggled, action, entry.toggled);
            break;
        }
        case MenuEntry::Kind::picker: {
            QMenu* submenu = menu.addMenu(title);
            auto* group = new QActionGroup(submenu);
            group->setExclusive(true);
            for (const auto& [value, label] : entry.choices) {
                QAction* action = submenu->addAction(QString::fromStdString(label));
                action->setCheckable(true);
                action->setChecked(entry.selected == value);
                group->addAction(action);
                QObject::connect(action, &QAction::triggered, action, [chosen = entry.chosen, value = value] {
                    if (chosen) chosen(value);
                });
            }
            break;
        }
        }
    }
}

} // namespace vesk
