#pragma once

#include "garden/bonsai/BonsaiContent.hpp"
#include "shell/anim/Presence.hpp"
#include "shell/state/ContentBinding.hpp"

#include <QWidget>

class QGridLayout;

namespace vesk {

class BonsaiEngine;
class BonsaiThumbnails;
class RandomSource;
class SceneFrames;
class Store;
class TarnelUI;

// The bonsai tab: the first-seedling screen while no tree is planted, else the tree screen,
// or the garden while it is open. A screen is built when it comes and leaves with its
// transition (the tree from and to the leading edge, the garden the trailing one).
class BonsaiTab final : public QWidget {
  public:
    BonsaiTab(Store& store, TarnelUI& ui, RandomSource& random, BonsaiEngine& engine, SceneFrames& frames,
              BonsaiThumbnails& thumbnails, QWidget* parent = nullptr);

    BonsaiContent::Screen screen() const { return screen_.content(); }
    QWidget* screenWidget() const { return current_; }

  private:
    QWidget* build(BonsaiContent::Screen screen, Presence::Arrival arrival);

    Store& store_;
    TarnelUI& ui_;
    RandomSource& random_;
    BonsaiEngine& engine_;
    SceneFrames& frames_;
    BonsaiThumbnails& thumbnails_;
    QGridLayout* stack_;
    QWidget* current_ = nullptr;
    ContentBinding<BonsaiContent::Screen> screen_;
};

} // namespace vesk
