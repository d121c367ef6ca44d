#pragma once

#include "shell/views/ScreenFactories.hpp"

#include <memory>

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class SceneFrames;
class Store;
class TarnelUI;

// The screens of the tabs, the garden and the tour, handed to the shell as factories.
ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine, BonsaiThumbnails& thumbnails,
                            const std::shared_ptr<SceneFrames>& frames);

} // namespace vesk
