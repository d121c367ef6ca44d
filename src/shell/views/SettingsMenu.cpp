#include "shell/views/SettingsMenu.hpp"

#include "shell/controls/ThemedMenu.hpp"
#include "shell/theme/Theme.hpp"

namespace vesk {

SettingsMenu::SettingsMenu(Store& store, MenuServices services, QWidget* parent)
    : PlainButton(parent), store_(store), services_(std::move(services)) {
    setSymbol("ellipsis", 12);
    setColors(Theme::text2(), Theme::text2());
    setFixedSize(28, 24);
    setAction([this] { open(); });
}

void SettingsMenu::open() {
    ThemedMenu menu(tarnelMenuItems(store_, TarnelMenu::settings, services_), this);
    menu.exec(menu.originUnder(*this, 0));
}

} // namespace vesk
