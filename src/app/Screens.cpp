#include "app/Screens.hpp"

#include "tabs/stats/StatsView.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine) {
    (void)store;
    (void)ui;
    (void)engine;
    ScreenFactories screens;
    screens.stats = [&store](QWidget* parent) { return new StatsView(store, parent); };
    return screens;
}

} // namespace vesk
