#include "app/Screens.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine) {
    (void)store;
    (void)ui;
    (void)engine;
    ScreenFactories screens;
    return screens;
}

} // namespace vesk
