#include "shell/state/TarnelMenuItems.hpp"

#include "core/model/TimerReadings.hpp"
#include "core/store/Store.hpp"

#include <cstdint>
#include <string>

namespace vesk {
namespace {

MenuEntry minutesPicker(std::string title, const std::vector<std::int64_t>& values, std::int64_t current,
                        const std::function<void(std::int64_t)>& chosen) {
    std::vector<MenuChoice> choices;
    for (const std::int64_t value : values)
        choices.push_back(
            {std::to_string(value) + " min", value == current, [chosen, value] { chosen(value); }});
    return MenuEntry::picker(std::move(title), std::move(choices));
}

} // namespace

std::vector<MenuEntry> tarnelMenuItems(Store& store, TarnelMenu menu, const MenuServices& services) {
    std::vector<MenuEntry> entries;
    if (isTimerActive(store.timer.get())) {
        const bool running = store.timer.get().runningSince.has_value();
        // Looks again when chosen: the timer may have changed while the menu was open.
        entries.push_back(MenuEntry::button(running ? "Pause timer" : "Resume timer", [&store] {
            if (store.timer.get().runningSince)
                store.pause();
            else
                store.resume();
        }));
        entries.push_back(MenuEntry::button("Finish session", [&store] { store.finish(); }));
        entries.push_back(MenuEntry::divider());
    }
    if (menu == TarnelMenu::settings) {
        const Prefs& prefs = store.prefs.get();
        entries.push_back(minutesPicker("Focus length", {5, 10, 15, 20, 25, 30, 45, 50, 60, 90},
                                        prefs.focusMinutes, [&store](std::int64_t value) {
                                            store.writePrefs([value](Prefs& p) { p.focusMinutes = value; });
                                        }));
        entries.push_back(minutesPicker("Break length", {1, 3, 5, 10, 15, 20}, prefs.breakMinutes,
                                        [&store](std::int64_t value) {
                                            store.writePrefs([value](Prefs& p) { p.breakMinutes = value; });
                                        }));
        entries.push_back(MenuEntry::toggle("Auto-start breaks", prefs.autoStartBreak, [&store](bool on) {
            store.writePrefs([on](Prefs& p) { p.autoStartBreak = on; });
        }));
        entries.push_back(MenuEntry::toggle("Sounds", prefs.sound, [&store](bool on) {
            store.writePrefs([on](Prefs& p) { p.sound = on; });
        }));
        entries.push_back(
            MenuEntry::toggle("Show bonsai growth on completion", prefs.growthReveal, [&store](bool on) {
                store.writePrefs([on](Prefs& p) { p.growthReveal = on; });
            }));
        entries.push_back(MenuEntry::divider());
    }
    entries.push_back(MenuEntry::toggle("Launch at login", services.launchAtLogin && services.launchAtLogin(),
                                        services.setLaunchAtLogin));
    const bool hotKeyOurs = !services.hotKeyOurs || services.hotKeyOurs();
    entries.push_back(
        MenuEntry::text(hotKeyOurs ? "Toggle Vesk  Alt+Space" : "Toggle Vesk  Alt+Space (taken)"));
    entries.push_back(MenuEntry::divider());
    entries.push_back(MenuEntry::button("Quit Vesk", services.quit));
    return entries;
}

} // namespace vesk
