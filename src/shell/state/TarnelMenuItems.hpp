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

// The settings menu, or the collapsed pill's context menu.
enum class TarnelMenu { settings, pill };

// The entries of one of the two menus.
std::vector<MenuEntry> tarnelMenuItems(Store& store, TarnelMenu menu, const MenuServices& services);

} // namespace vesk
