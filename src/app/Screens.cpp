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

ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine, BonsaiThumbnails& thumbnails,
                            const std::shared_ptr<SceneFrames>& frames) {
    ScreenFactories screens;
    screens.tasks = [&store, &ui](QWidget* parent) { return new TasksView(store, ui, parent); };
    addBonsaiScreens(screens, store, ui, engine, thumbnails, frames);
    screens.taskDetail = [&store, &ui](QWidget* parent) -> QWidget* {
        return new TaskDetailView(store, ui, ui.detailID.get().value_or(UUID{}), parent);
    };
    screens.focus = [&store](QWidget* parent) -> QWidget* { return new FocusView(store, parent); };
    screens.stats = [&store](QWidget* parent) { return new StatsView(store, parent); };
    screens.tourOverlay = [&ui](QWidget* parent) -> QWidget* { return new TourOverlay(ui, parent); };
    screens.tourCard = [&store, &ui, &thumbnails](QWidget* parent) -> QWidget* {
        return new TourCard(store, ui, thumbnails, parent);
    };
    return screens;
}

} // namespace vesk
