#include "app/Screens.hpp"

#include "garden/bonsai/BonsaiScreens.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine) {
    ScreenFactories screens;
    addBonsaiScreens(screens, store, ui, engine);
    return screens;
}

} // namespace vesk
