#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

// One choice of an exclusive picker.
struct MenuChoice {
    std::string title;
    bool selected = false;
    std::function<void()> chosen;
};

// One entry of a menu as plain data, so that which entries a screen offers, and what they
// do, can be checked without a display. `ThemedMenu` turns a list of them into a menu.
struct MenuEntry {
    enum class Kind { button, toggle, picker, submenu, text, divider };

    Kind kind = Kind::divider;
    std::string title;
    std::string symbol; // a symbol shown before the title ("checkmark", "star"); empty: none
    bool enabled = true;
    bool danger = false;               // a destructive entry
    bool checked = false;              // toggle
    bool inlined = false;              // picker: the choices stand in this menu, not in a submenu
    std::vector<MenuChoice> choices;   // picker: at most one selected
    std::vector<MenuEntry> entries;    // submenu
    std::function<void()> triggered;   // button
    std::function<void(bool)> toggled; // toggle: the new state

    static MenuEntry button(std::string title, std::function<void()> triggered) {
        MenuEntry entry = make(Kind::button, std::move(title));
        entry.triggered = std::move(triggered);
        return entry;
    }
    static MenuEntry toggle(std::string title, bool on, std::function<void(bool)> toggled) {
        MenuEntry entry = make(Kind::toggle, std::move(title));
        entry.checked = on;
        entry.toggled = std::move(toggled);
        return entry;
    }
    static MenuEntry picker(std::string title, std::vector<MenuChoice> choices) {
        MenuEntry entry = make(Kind::picker, std::move(title));
        entry.choices = std::move(choices);
        return entry;
    }
    static MenuEntry submenu(std::string title, std::vector<MenuEntry> entries) {
        MenuEntry entry = make(Kind::submenu, std::move(title));
        entry.entries = std::move(entries);
        return entry;
    }
    // A line that does nothing when chosen.
    static MenuEntry text(std::string title) { return make(Kind::text, std::move(title)); }
    static MenuEntry divider() { return {}; }

    MenuEntry withSymbol(std::string name) && {
        symbol = std::move(name);
        return std::move(*this);
    }
    MenuEntry disabledUnless(bool isEnabled) && {
        enabled = isEnabled;
        return std::move(*this);
    }
    MenuEntry destructive() && {
        danger = true;
        return std::move(*this);
    }
    MenuEntry shownInline() && {
        inlined = true;
        return std::move(*this);
    }

  private:
    static MenuEntry make(Kind kind, std::string title) {
        MenuEntry entry;
        entry.kind = kind;
        entry.title = std::move(title);
        return entry;
    }
};

} // namespace vesk
