#include "app/Screens.hpp"

#include "garden/bonsai/BonsaiScreens.hpp"
#include "garden/tour/TourCard.hpp"
#include "garden/tour/TourOverlay.hpp"
#include "shell/state/TarnelUI.hpp"
#include "tabs/detail/TaskDetailView.hpp"
#include "tabs/focus/FocusView.hpp"
#include "tabs/stats/StatsView.hpp"
#include "tabs/tasks/TasksView.hpp"

namespace vesk {

ScreenFactories makeScreens(Store& store, TarnelUI& ui, ViewServices services, BonsaiEngine& engine,
                            BonsaiThumbnails& thumbnails, const std::shared_ptr<SceneFrames>& frames) {
    ScreenFactories screens;
    screens.tasks = [&store, &ui, services](QWidget* parent) {
        return new TasksView(store, ui, services, parent);
    };
    addBonsaiScreens(screens, store, ui, services.random, engine, thumbnails, frames);
    screens.taskDetail = [&store, &ui, services](QWidget* parent) -> QWidget* {
        return new TaskDetailView(store, ui, services, ui.detailID.get().value_or(UUID{}), parent);
    };
    screens.focus = [&store, services](QWidget* parent) -> QWidget* {
        return new FocusView(store, services, parent);
    };
    screens.stats = [&store, services](QWidget* parent) { return new StatsView(store, services, parent); };
    screens.tourOverlay = [&ui](QWidget* parent) -> QWidget* { return new TourOverlay(ui, parent); };
    screens.tourCard = [&store, &ui, services, &thumbnails](QWidget* parent) -> QWidget* {
        return new TourCard(store, ui, services.random, thumbnails, parent);
    };
    return screens;
}

} // namespace vesk
