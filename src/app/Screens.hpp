#pragma once

#include "shell/state/ViewServices.hpp"
#include "shell/views/ScreenFactories.hpp"

#include <memory>

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class SceneFrames;
class Store;
class TarnelUI;

// The screens of the tabs, the garden and the tour, handed to the shell as factories; each
// gets of `services` what it needs.
ScreenFactories makeScreens(Store& store, TarnelUI& ui, ViewServices services, BonsaiEngine& engine,
                            BonsaiThumbnails& thumbnails, const std::shared_ptr<SceneFrames>& frames);

} // namespace vesk
