#pragma once

#include "shell/views/ScreenFactories.hpp"

#include <memory>

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class RandomSource;
class SceneFrames;
class Store;
class TarnelUI;

// The pictures every live 3D view draws, made ready whenever the tarnel opens.
std::shared_ptr<SceneFrames> makeLiveFrames(TarnelUI& ui);

// Hands the shell the bonsai tab and the growth-reveal panel. Both draw the engine's scene
// through `frames`.
void addBonsaiScreens(ScreenFactories& screens, Store& store, TarnelUI& ui, RandomSource& random,
                      BonsaiEngine& engine, BonsaiThumbnails& thumbnails,
                      const std::shared_ptr<SceneFrames>& frames);

} // namespace vesk
