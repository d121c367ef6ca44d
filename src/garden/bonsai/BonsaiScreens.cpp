#include "garden/bonsai/BonsaiScreens.hpp"

#include "garden/bonsai/BonsaiTab.hpp"
#include "garden/bonsai/RevealSatellite.hpp"
#include "garden/bonsai/SceneFrames.hpp"
#include "shell/state/TarnelUI.hpp"

namespace vesk {

std::shared_ptr<SceneFrames> makeLiveFrames(TarnelUI& ui) {
    // About the views' sizes: the reveal panel's, and the tab's in the open tarnel, whose
    // frame images are kept.
    auto frames = std::make_shared<SceneFrames>(std::vector<QSize>{{208, 204}, {378, 316}});
    // An open panel is where 3D views come from: the tab, and the reveal of a task ticked there.
    ui.expanded.observe([&ui, weak = std::weak_ptr<SceneFrames>(frames)] {
        if (const auto frames = weak.lock()) frames->setPanelOpen(ui.expanded.get());
    });
    if (ui.expanded.get()) frames->setPanelOpen(true);
    return frames;
}

void addBonsaiScreens(ScreenFactories& screens, Store& store, TarnelUI& ui, RandomSource& random,
                      BonsaiEngine& engine, BonsaiThumbnails& thumbnails,
                      const std::shared_ptr<SceneFrames>& frames) {
    screens.bonsai = [&store, &ui, &random, &engine, &thumbnails, frames](QWidget* parent) -> QWidget* {
        return new BonsaiTab(store, ui, random, engine, *frames, thumbnails, parent);
    };
    screens.revealPanel = [&ui, &engine, frames](QWidget* parent) -> QWidget* {
        return new RevealSatellite(ui, engine, *frames, parent);
    };
}

} // namespace vesk
