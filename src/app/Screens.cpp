#include "app/Screens.hpp"

#include "tabs/focus/FocusView.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine) {
    (void)ui;
    (void)engine;
    ScreenFactories screens;
    screens.focus = [&store](QWidget* parent) { return new FocusView(store, parent); };
    return screens;
}

} // namespace vesk
