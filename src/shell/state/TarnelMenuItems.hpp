#pragma once

#include "shell/controls/MenuModel.hpp"

#include <functional>
#include <vector>

namespace vesk {

class Store;

// What the menus need beyond the store.
struct MenuServices {
    std::function<bool()> launchAtLogin; // read afresh each time the entries are built
    std::function<void(bool)> setLaunchAtLogin;
    std::function<void()> quit;
    // Whether Alt+Space is ours, read when the entries are built; unset counts as ours.
    std::function<bool()> hotKeyOurs;
};

// The entries of the settings menu (`full`) or of the collapsed pill's context menu.
std::vector<MenuEntry> tarnelMenuItems(Store& store, bool full, const MenuServices& services);

} // namespace vesk
