#include "garden/bonsai/BonsaiScreens.hpp"

#include "garden/bonsai/BonsaiTab.hpp"
#include "garden/bonsai/RevealSatellite.hpp"
#include "garden/bonsai/SceneFrames.hpp"

#include <memory>

namespace vesk {

void addBonsaiScreens(ScreenFactories& screens, Store& store, TarnelUI& ui, BonsaiEngine& engine,
                      BonsaiThumbnails& thumbnails) {
    auto frames = std::make_shared<SceneFrames>();
    screens.bonsai = [&store, &ui, &engine, &thumbnails, frames](QWidget* parent) -> QWidget* {
        return new BonsaiTab(store, ui, engine, *frames, thumbnails, parent);
    };
    screens.revealPanel = [&ui, &engine, frames](QWidget* parent) -> QWidget* {
        return new RevealSatellite(ui, engine, *frames, parent);
    };
}

} // namespace vesk
