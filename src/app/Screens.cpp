#include "app/Screens.hpp"

#include "tabs/tasks/TasksView.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine) {
    (void)store;
    (void)ui;
    (void)engine;
    ScreenFactories screens;
    screens.tasks = [&store, &ui](QWidget* parent) { return new TasksView(store, ui, parent); };
    return screens;
}

} // namespace vesk
