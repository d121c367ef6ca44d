#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QMenu;

namespace vesk {

class Store;

// One entry of the tarnel's menus, free of the toolkit so that the entries can be checked
// without a display.
struct MenuEntry {
    enum class Kind { button, picker, toggle, text, divider };
    Kind kind = Kind::divider;
    std::string title;
    bool checked = false;                                      // toggle
    std::vector<std::pair<std::int64_t, std::string>> choices; // picker: value and label
    std::optional<std::int64_t> selected;                      // picker: none when the value is not listed
    std::function<void()> triggered;                           // button
    std::function<void(bool)> toggled;                         // toggle
    std::function<void(std::int64_t)> chosen;                  // picker
};

// What the menus need beyond the store.
struct MenuServices {
    std::function<bool()> launchAtLogin; // read afresh each time the entries are built
    std::function<void(bool)> setLaunchAtLogin;
    std::function<void()> quit;
};

// The entries of the settings menu (`full`) or of the collapsed pill's context menu.
std::vector<MenuEntry> tarnelMenuItems(Store& store, bool full, const MenuServices& services);

// Puts the entries into a menu: pickers become submenus with one exclusive choice.
void fillMenu(QMenu& menu, const std::vector<MenuEntry>& entries);

} // namespace vesk
