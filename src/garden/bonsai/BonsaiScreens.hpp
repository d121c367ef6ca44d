#pragma once

#include "shell/views/ScreenFactories.hpp"

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class Store;
class TarnelUI;

// Hands the shell the bonsai tab and the growth-reveal panel. Both draw the engine's scene
// through one set of frames.
void addBonsaiScreens(ScreenFactories& screens, Store& store, TarnelUI& ui, BonsaiEngine& engine,
                      BonsaiThumbnails& thumbnails);

} // namespace vesk
