#pragma once

#include "shell/views/ScreenFactories.hpp"

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class Store;
class TarnelUI;

// The screens of the tabs, the garden and the tour, handed to the shell as factories.
ScreenFactories makeScreens(Store& store, TarnelUI& ui, BonsaiEngine& engine, BonsaiThumbnails& thumbnails);

} // namespace vesk
